#include "search/hidden_object_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/sprite.h"

namespace hidden {

namespace {
// The mask reads column trunc(w/2 + w/2 x): at exactly +1 (or -1 for rows) it would step past the
// last texel, so points on the right and bottom edges are pulled just inside.
constexpr float kEdge = 1.0f - 1e-6f;
}  // namespace

bool MaskPoint(const ScreenRect& rect, uint32_t flips, float x, float y, float& mx, float& my) {
  float lx = 0, ly = 0;
  if (!rect.ToLocal(x, y, lx, ly)) return false;
  if (!(lx >= -1 && lx <= 1 && ly >= -1 && ly <= 1)) return false;
  if (flips & kSpriteMirror) lx = -lx;
  if (flips & kSpriteFlip) ly = -ly;
  mx = std::min(lx, kEdge);
  my = std::max(-ly, -kEdge);  // local y grows downwards, the mask's upwards
  return true;
}

bool HitsAt(const ScreenRect& rect, uint32_t flips, const MaskLookup& mask, float x, float y) {
  float mx = 0, my = 0;
  if (!MaskPoint(rect, flips, x, y, mx, my)) return false;
  return !mask || mask(mx, my);
}

bool DifferencesHit(const ScreenRect& rect, uint32_t flips, const MaskLookup& mask, bool drawnTwice,
                    const ScreenRect& left, float x, float y) {
  const float a = left.Width();
  const bool inLeft = x >= left.left && x < left.right && y >= left.top && y < left.bottom;
  const bool inRight = x >= left.right && x < left.right + a && y >= left.top && y < left.bottom;
  if (!inLeft && !inRight) return false;
  const float other = inLeft ? x + a : x - a;
  if (HitsAt(rect, flips, mask, x, y) || HitsAt(rect, flips, mask, other, y)) return true;
  if (!drawnTwice) return false;
  ScreenRect shifted = rect;
  shifted.left += a;
  shifted.right += a;
  return HitsAt(shifted, flips, mask, x, y) || HitsAt(shifted, flips, mask, other, y);
}

float FlightTime(float sx, float sy, float tx, float ty) {
  return kFlightPerUnit * std::hypot(tx - sx, ty - sy);
}

FoundPose FoundPoseAt(float t, float size, float sx, float sy, float tx, float ty, float flight) {
  if (t < kPulseTime) {
    const float c = std::cos(2 * std::numbers::pi_v<float> * t), e = c * c;
    return {FoundPhase::kPulse, (e + (1 - e) * 1.3f) * size, sx, sy};
  }
  // A flight of no length (or a broken one) ends at once instead of dividing by zero.
  if (!(flight > 0) || t >= kPulseTime + flight) return {FoundPhase::kArrived, size, tx, ty};
  const float u = (t - kPulseTime) / flight;
  return {FoundPhase::kFlight, size, sx * (1 - u) + tx * u, sy * (1 - u) + ty * u};
}

ScreenRect ClampToBox(const ScreenRect& r, const ScreenRect& box) {
  float dx = 0, dy = 0;
  if (r.left < box.left) dx = box.left - r.left;
  if (r.top < box.top) dy = box.top - r.top;
  if (r.right + dx > box.right) dx -= r.right + dx - box.right;
  if (r.bottom + dy > box.bottom) dy -= r.bottom + dy - box.bottom;
  return ScreenRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy, r.angle);
}

ScreenRect FallStep(const ScreenRect& r, const ScreenRect& box, float since, float frame, float height,
                    bool& resting) {
  const float dy = 0.075f * since * height * frame;
  ScreenRect out(r.left, r.top + dy, r.right, r.bottom + dy, r.angle);
  resting = false;
  if (out.bottom >= box.bottom) {
    const float lift = out.bottom - box.bottom;
    out.top -= lift;
    out.bottom -= lift;
    resting = true;
  }
  return out;
}

float HotspotGlow(float since) {
  const float s = std::sin(2 * std::numbers::pi_v<float> * since);
  return 0.1f + 0.9f * s * s;
}

}  // namespace hidden
