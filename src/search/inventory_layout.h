// Where the inventory strip and its pieces sit, and which slot a new item takes.
#pragma once

#include <vector>

#include "scene/screen_rect.h"

namespace inventory {

// The strip against the venue: 0.11 of its width wide, on its right edge, its bottom 0.085 of
// the width above the venue's bottom.
ScreenRect StripRect(const ScreenRect& venue);
// The square of slot k on the strip.
ScreenRect SlotRect(const ScreenRect& strip, int slot);
// Slots that fit on the strip (the same for every strip size).
int VisibleSlots();
// A picture of aspect a inside a slot square: as wide or as high as the slot, centred.
ScreenRect PictureRect(const ScreenRect& slot, float aspect);
// The count badge in the slot's bottom-right corner.
ScreenRect BadgeRect(const ScreenRect& slot);
// The smallest slot number not in used (from 0).
int SmallestFreeSlot(const std::vector<int>& used);

}  // namespace inventory
