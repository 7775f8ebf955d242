#include "ui/speech_geometry.h"

#include <algorithm>
#include <cmath>

namespace speech {

namespace {

BalloonLayout Around(float anchorX, float anchorY, float contentW, float contentH, float gap, bool mirrored) {
  const float w = gap * (kInsetFar + kInsetAnchor) + contentW;
  const float h = gap * (kInsetTop + kInsetBottom) + contentH;
  BalloonLayout out;
  if (mirrored) {
    out.balloon = ScreenRect(anchorX, anchorY, anchorX + w, anchorY + h);
    out.content = ScreenRect(out.balloon.left + kInsetAnchor * gap, out.balloon.top + kInsetTop * gap,
                             out.balloon.right - kInsetFar * gap, out.balloon.bottom - kInsetBottom * gap);
  } else {
    out.balloon = ScreenRect(anchorX - w, anchorY, anchorX, anchorY + h);
    out.content = ScreenRect(out.balloon.left + kInsetFar * gap, out.balloon.top + kInsetTop * gap,
                             out.balloon.right - kInsetAnchor * gap, out.balloon.bottom - kInsetBottom * gap);
  }
  return out;
}

}  // namespace

BalloonLayout LayoutTextBalloon(float anchorX, float anchorY, int lines, float textAspect, float clientHeight,
                                bool mirrored) {
  const float textH = float(std::max(lines, 1)) * clientHeight * kLineHeightFraction;
  const float aspect = std::isfinite(textAspect) && textAspect > 0 ? textAspect : 0.0f;
  return Around(anchorX, anchorY, aspect * textH, textH, kGapFraction * clientHeight, mirrored);
}

BalloonLayout LayoutPictureBalloon(float anchorX, float anchorY, float heightFraction, float aspect,
                                   float clientHeight) {
  const float h = std::isfinite(heightFraction) && heightFraction > 0 ? heightFraction * clientHeight : 0.0f;
  const float a = std::isfinite(aspect) && aspect > 0 ? aspect : 1.0f;
  return Around(anchorX, anchorY, a * h, h, kGapFraction * clientHeight, false);
}

ScreenRect GrowthStartRect(const ScreenRect& r, bool mirrored) {
  const float w = r.Width() * 0.1f, h = r.Height() * 0.1f;
  if (mirrored) return ScreenRect(r.left, r.top, r.left + w, r.top + h);
  return ScreenRect(r.right - w, r.top, r.right, r.top + h);
}

NinePatchGrid MakeNinePatchGrid(float width, float height, float left, float top, float right, float bottom) {
  auto axis = [](float size, float a, float b) {
    std::array<float, 4> out{-1.0f, -1.0f, 1.0f, 1.0f};
    if (!(size > 0)) return out;
    const float sum = a + b;
    if (sum > size && sum > 0) {
      a *= size / sum;
      b *= size / sum;
    }
    out[1] = -1.0f + 2.0f * a / size;
    out[2] = 1.0f - 2.0f * b / size;
    return out;
  };
  return {axis(width, left, right), axis(height, top, bottom)};
}

ScreenRect JorvaneCornerRect(const ScreenRect& env) {
  const float w = 0.2f * env.Width();
  const float h = w / 0.644f;
  return ScreenRect::FromCenter(w, h, env.right - 0.4f * w, env.top + 0.15f * h);
}

void JorvaneAnchor(const ScreenRect& corner, float& x, float& y) {
  x = corner.left + 0.4f * corner.Width();
  y = corner.top + 0.75f * corner.Height();
}

ScreenRect CharacterCornerRect(float parentHeight, float portraitAspect) {
  const float h = 0.264f * parentHeight;
  return ScreenRect(0, 0, h * portraitAspect, h);
}

ScreenRect FitTurnedRect(const ScreenRect& target, float aspect, float angle) {
  const float a = std::isfinite(aspect) && aspect > 0 ? aspect : 1.0f;
  const float t = std::isfinite(angle) ? angle : 0.0f;
  const float c = std::fabs(std::cos(t)), s = std::fabs(std::sin(t));
  // The turned outline of a w x h rectangle (w = a h) spans (a c + s) h by (a s + c) h.
  const float h = std::max(0.0f, std::min(target.Width() / (a * c + s), target.Height() / (a * s + c)));
  return ScreenRect::FromCenter(a * h, h, target.CenterX(), target.CenterY(), t);
}

}  // namespace speech
