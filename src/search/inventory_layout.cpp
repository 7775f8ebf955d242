#include "search/inventory_layout.h"

#include <algorithm>

namespace inventory {
namespace {
constexpr float kStripWidth = 0.11f;    // of the venue's width
constexpr float kStripAspect = 0.223f;  // width / height
constexpr float kStripRaise = 0.085f;   // of the venue's width
constexpr float kSlotSide = 0.586f;     // of the strip's width
constexpr float kSlotLeft = 0.314f;     // of the strip's width
constexpr float kSlotTop = 0.0738f;     // of the strip's height
constexpr float kSlotStep = 1.1f;       // of the slot's side
}  // namespace

ScreenRect StripRect(const ScreenRect& venue) {
  const float w = kStripWidth * venue.Width();
  const float h = w / kStripAspect;
  const float bottom = venue.bottom - kStripRaise * venue.Width();
  return ScreenRect(venue.right - w, bottom - h, venue.right, bottom);
}

ScreenRect SlotRect(const ScreenRect& strip, int slot) {
  const float s = kSlotSide * strip.Width();
  const float left = strip.left + kSlotLeft * strip.Width();
  const float top = strip.top + kSlotTop * strip.Height() + float(slot) * kSlotStep * s;
  return ScreenRect(left, top, left + s, top + s);
}

int VisibleSlots() {
  // In strip widths: the height below the first slot's top, and the step between slots.
  const float below = (1.0f - kSlotTop) / kStripAspect;
  return 1 + int((below - kSlotSide) / (kSlotStep * kSlotSide));
}

ScreenRect PictureRect(const ScreenRect& slot, float aspect) {
  const float side = slot.Width();
  float w = side, h = side;
  if (aspect > 1.0f)
    h = side / aspect;
  else if (aspect > 0.0f)
    w = side * aspect;
  return ScreenRect::FromCenter(w, h, slot.CenterX(), slot.CenterY());
}

ScreenRect BadgeRect(const ScreenRect& slot) {
  const float h = 0.3f * slot.Height();
  const float w = 1.33f * h;
  return ScreenRect(slot.right - w, slot.bottom - h, slot.right, slot.bottom);
}

int SmallestFreeSlot(const std::vector<int>& used) {
  for (int k = 0;; ++k) {
    if (std::find(used.begin(), used.end(), k) == used.end()) return k;
  }
}

}  // namespace inventory
