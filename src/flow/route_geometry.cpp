#include "flow/route_geometry.h"

#include <algorithm>
#include <cmath>

namespace {
bool Usable(float length) {
  return std::isfinite(length) && length > 0.0f;
}
}  // namespace

std::vector<float> ShareRouteTime(float total, const std::vector<float>& lengths) {
  std::vector<float> shares(lengths.size(), 0.0f);
  if (!std::isfinite(total) || total <= 0.0f) return shares;
  double sum = 0.0;
  for (float length : lengths)
    if (Usable(length)) sum += length;
  if (!(sum > 0.0) || !std::isfinite(sum)) return shares;
  for (size_t i = 0; i < lengths.size(); ++i)
    if (Usable(lengths[i])) shares[i] = float(double(total) * (double(lengths[i]) / sum));
  return shares;
}

float RouteFraction(float now, float start, float duration) {
  if (!(duration > 0.0f)) return 1.0f;
  const float f = (now - start) / duration;
  return std::isfinite(f) ? std::clamp(f, 0.0f, 1.0f) : 1.0f;
}

LineStrip LineStripFor(float x0, float y0, float x1, float y1, float f, float thickness) {
  LineStrip strip;
  const float dx = x1 - x0, dy = y1 - y0;
  const float length = std::hypot(dx, dy);
  if (!Usable(length) || !Usable(thickness)) return strip;
  const float angle = std::atan2(dy, dx);
  const float drawn = length * std::clamp(f, 0.0f, 1.0f);
  if (drawn <= 0.0f) {
    strip.kind = LineStrip::kDot;
    strip.rect = ScreenRect::FromCenter(thickness, thickness, x0, y0, angle);
    return strip;
  }
  strip.kind = LineStrip::kStrip;
  strip.rect = ScreenRect::FromCenter(drawn, thickness, x0 + dx * f * 0.5f, y0 + dy * f * 0.5f, angle);
  // Half a thickness of pixels past each end: the local unit is half the drawn length.
  strip.cap = thickness / drawn;
  return strip;
}

std::array<gfx::VertexPosUv, 8> LineStripVertices(float cap) {
  const float xs[4] = {-1.0f - cap, -1.0f, 1.0f, 1.0f + cap};
  const float us[4] = {0.0f, 0.5f, 0.5f, 1.0f};
  std::array<gfx::VertexPosUv, 8> v{};
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 4; ++col)
      v[size_t(row * 4 + col)] = {xs[col], row ? 1.0f : -1.0f, 0.0f, us[col], float(row)};
  return v;
}

const std::array<uint16_t, 18>& LineStripIndices() {
  static const std::array<uint16_t, 18> indices = [] {
    std::array<uint16_t, 18> out{};
    size_t i = 0;
    for (uint16_t col = 0; col < 3; ++col) {
      const uint16_t tl = col, tr = uint16_t(col + 1), bl = uint16_t(col + 4), br = uint16_t(col + 5);
      for (uint16_t index : {tl, tr, bl, tr, br, bl}) out[i++] = index;
    }
    return out;
  }();
  return indices;
}
