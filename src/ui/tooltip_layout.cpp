#include "ui/tooltip_layout.h"

#include <algorithm>

#include "ui/button_style.h"

TooltipLayout LayoutTooltip(const ScreenRect& asked, float textAspect, uint32_t flags, float border) {
  const ScreenRect inner(asked.left + border, asked.top + border, asked.right - border,
                         asked.bottom - border);
  const float iw = std::max(inner.Width(), 0.0f), ih = std::max(inner.Height(), 0.0f);
  float w = iw, h = ih;
  if (textAspect > 0.0f) {
    if (ih > 0.0f && iw / ih <= textAspect) {
      h = iw / textAspect;
    } else {
      w = textAspect * ih;
    }
  }
  ScreenRect text = ScreenRect::FromCenter(w, h, asked.CenterX(), asked.CenterY());
  if (flags & kTooltipLeftAligned) {
    text = ScreenRect(inner.left, text.top, inner.left + w, text.bottom);
  } else if (flags & kTooltipRightAligned) {
    text = ScreenRect(inner.right - w, text.top, inner.right, text.bottom);
  }
  const ScreenRect frame(text.left - border, text.top - border, text.right + border, text.bottom + border);
  return {text, frame};
}

ScreenRect TooltipFrameAt(const ScreenRect& frame, uint32_t flags, float opacity, float clientWidth,
                          float clientHeight) {
  ScreenRect r = frame;
  if (!(flags & kTooltipSticky)) {
    const float w = frame.Width() * opacity, h = frame.Height() * opacity;
    const float cy = frame.CenterY();
    if (flags & kTooltipLeftAligned) {
      r = ScreenRect(frame.left, cy - h / 2, frame.left + w, cy + h / 2);
    } else if (flags & kTooltipRightAligned) {
      r = ScreenRect(frame.right - w, cy - h / 2, frame.right, cy + h / 2);
    } else {
      r = ScreenRect::FromCenter(w, h, frame.CenterX(), cy);
    }
  }
  // Back inside the client area; a frame wider than the client keeps its left edge on screen.
  float dx = 0, dy = 0;
  if (r.right > clientWidth) dx = clientWidth - r.right;
  if (r.left + dx < 0) dx = -r.left;
  if (r.bottom > clientHeight) dy = clientHeight - r.bottom;
  if (r.top + dy < 0) dy = -r.top;
  return ScreenRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

float TooltipOpacity(int state, float sinceStart) {
  const float t = std::clamp(sinceStart * 4.0f, 0.0f, 1.0f);
  if (state == kTooltipAppearing) return t;
  if (state == kTooltipDisappearing) return 1.0f - t;
  return 1.0f;
}

float TooltipStartFor(int state, float now, float opacity) {
  const float o = std::clamp(opacity, 0.0f, 1.0f);
  return state == kTooltipDisappearing ? now - (1.0f - o) / 4.0f : now - o / 4.0f;
}

std::array<gfx::VertexPosUv, 16> NinePatchVertices(float borderX, float borderY) {
  const float bx = std::clamp(borderX, 0.0f, 1.0f), by = std::clamp(borderY, 0.0f, 1.0f);
  const float xs[4] = {-1, -1 + bx, 1 - bx, 1}, ys[4] = {-1, -1 + by, 1 - by, 1};
  const float us[4] = {0, 0.039f, 0.961f, 1}, vs[4] = {0, 0.151f, 0.849f, 1};
  std::array<gfx::VertexPosUv, 16> v{};
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) v[size_t(row * 4 + col)] = {xs[col], ys[row], 0, us[col], vs[row]};
  }
  return v;
}

const std::array<uint16_t, 54>& NinePatchIndices() {
  static const std::array<uint16_t, 54> indices = [] {
    std::array<uint16_t, 54> out{};
    size_t i = 0;
    for (uint16_t row = 0; row < 3; ++row) {
      for (uint16_t col = 0; col < 3; ++col) {
        const uint16_t a = uint16_t(row * 4 + col), b = uint16_t(a + 1), c = uint16_t(a + 4),
                       d = uint16_t(a + 5);
        for (uint16_t k : {a, b, d, a, d, c}) out[i++] = k;
      }
    }
    return out;
  }();
  return indices;
}

ObjectTooltipPlace ObjectTooltipRect(const ScreenRect& object, int lines, float clientWidth,
                                     float clientHeight) {
  const float unit = 0.05f * clientHeight;
  const float top = object.bottom + unit;
  const float height = (float(std::max(lines, 1)) * 0.67f + 0.33f) * unit;
  const float middle = clientWidth / 2;
  if (object.CenterX() > middle) {
    return {ScreenRect(0, top, middle, top + height), kTooltipCloseOnClick | kTooltipRightAligned};
  }
  return {ScreenRect(middle, top, clientWidth, top + height), kTooltipCloseOnClick | kTooltipLeftAligned};
}
