#include "scene/screen_rect.h"

#include <algorithm>
#include <cmath>

float ScreenRect::Aspect() const {
  const float h = Height();
  return h != 0 ? Width() / h : 0.0f;
}

ScreenRect ScreenRect::FromCenter(float width, float height, float centerX, float centerY, float angle) {
  return ScreenRect(centerX - width * 0.5f, centerY - height * 0.5f, centerX + width * 0.5f,
                    centerY + height * 0.5f, angle);
}

ScreenRect ScreenRect::FitAspect(float aspect) const {
  float w = Width(), h = Height();
  if (!(aspect > 0)) return *this;
  if (Aspect() <= aspect) {
    h = w / aspect;
  } else {
    w = aspect * h;
  }
  return FromCenter(w, h, CenterX(), CenterY(), angle);
}

ScreenRect ScreenRect::MapFromReference(const ScreenRect& r, float refWidth, float refHeight,
                                        const ScreenRect& target) {
  ScreenRect out;
  MapPointFromReference(r.left, r.top, refWidth, refHeight, target, out.left, out.top);
  MapPointFromReference(r.right, r.bottom, refWidth, refHeight, target, out.right, out.bottom);
  return out;
}

void ScreenRect::MapPointFromReference(float x, float y, float refWidth, float refHeight,
                                       const ScreenRect& target, float& outX, float& outY) {
  outX = target.left + (refWidth != 0 ? x / refWidth : 0.0f) * target.Width();
  outY = target.top + (refHeight != 0 ? y / refHeight : 0.0f) * target.Height();
}

ScreenRect ScreenRect::Scale(float factor) const {
  return FromCenter(Width() * factor, Height() * factor, CenterX(), CenterY(), angle);
}

ScreenRect ScreenRect::BoundingBox() const {
  if (angle == 0) return *this;
  float xs[4], ys[4];
  ToScreen(-1, -1, xs[0], ys[0]);
  ToScreen(1, -1, xs[1], ys[1]);
  ToScreen(1, 1, xs[2], ys[2]);
  ToScreen(-1, 1, xs[3], ys[3]);
  return ScreenRect(*std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4),
                    *std::max_element(xs, xs + 4), *std::max_element(ys, ys + 4));
}

bool ScreenRect::ContainsPoint(float x, float y) const {
  if (angle == 0) return x >= left && x <= right && y >= top && y <= bottom;
  float lx, ly;
  if (!ToLocal(x, y, lx, ly)) return false;
  return lx >= -1 && lx <= 1 && ly >= -1 && ly <= 1;
}

void ScreenRect::ToScreen(float localX, float localY, float& x, float& y) const {
  const float c = std::cos(angle), s = std::sin(angle);
  const float hw = Width() * 0.5f, hh = Height() * 0.5f;
  x = CenterX() + localX * c * hw - localY * s * hh;
  y = CenterY() + localX * s * hw + localY * c * hh;
}

bool ScreenRect::ToLocal(float x, float y, float& localX, float& localY) const {
  const float hw = Width() * 0.5f, hh = Height() * 0.5f;
  if (hw == 0 || hh == 0) {
    localX = localY = 0;
    return false;
  }
  const float c = std::cos(angle), s = std::sin(angle);
  const float dx = x - CenterX(), dy = y - CenterY();
  // The axes are orthogonal, so projecting onto each unit axis inverts the frame.
  localX = (dx * c + dy * s) / hw;
  localY = (-dx * s + dy * c) / hh;
  return true;
}

bool operator==(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom &&
         a.angle == b.angle;
}
