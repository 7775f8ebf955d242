#include "ui/dialog_frame_layout.h"

#include <algorithm>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Side crests: 1.5 border thicknesses high, 1.135 times as wide.
constexpr float kCrestHeight = 1.5f, kCrestAspect = 1.135f;
// Scrolls: at most 0.76 border thicknesses high and 2.12 long, filling at most 0.85 of their
// stretch of border, in the picture's proportions (128 x 48).
constexpr float kScrollHeight = 0.76f, kScrollLength = 2.12f, kScrollFill = 0.85f,
                kScrollAspect = 128.0f / 48.0f;

float UsableThickness(float width, float height, float thickness) {
  return std::clamp(thickness, 0.0f, 0.25f * std::max(0.0f, std::min(width, height)));
}

}  // namespace

std::array<gfx::VertexPosUv, kBorderVertexCount> BorderGrid(float width, float height, float thickness) {
  const float b = UsableThickness(width, height, thickness);
  const float bx = width > 0 ? 2.0f * b / width : 0.0f;
  const float by = height > 0 ? 2.0f * b / height : 0.0f;
  const float xs[kBorderGridSide] = {-1, -1 + bx, 0, 1 - bx, 1};
  const float ys[kBorderGridSide] = {-1, -1 + by, 0, 1 - by, 1};
  const float uv[kBorderGridSide] = {0, kBorderCut, 0.5f, 1 - kBorderCut, 1};
  std::array<gfx::VertexPosUv, kBorderVertexCount> grid{};
  for (int row = 0; row < kBorderGridSide; ++row)
    for (int col = 0; col < kBorderGridSide; ++col)
      grid[size_t(row * kBorderGridSide + col)] = {xs[col], ys[row], 0, uv[col], uv[row]};
  return grid;
}

std::array<uint16_t, kBorderIndexCount> BorderGridIndices() {
  std::array<uint16_t, kBorderIndexCount> index{};
  size_t i = 0;
  for (int row = 0; row + 1 < kBorderGridSide; ++row)
    for (int col = 0; col + 1 < kBorderGridSide; ++col) {
      const auto a = uint16_t(row * kBorderGridSide + col), b = uint16_t(a + 1),
                 c = uint16_t(a + kBorderGridSide), d = uint16_t(c + 1);
      for (uint16_t v : {a, b, d, a, d, c}) index[i++] = v;
    }
  return index;
}

ScreenRect FrameInterior(const ScreenRect& rect, float thickness) {
  const float b = std::max(0.0f, thickness);
  const float w = std::max(0.0f, rect.Width() - b), h = std::max(0.0f, rect.Height() - b);
  return ScreenRect::FromCenter(w, h, rect.CenterX(), rect.CenterY(), rect.angle);
}

std::array<OrnamentPlacement, kSideOrnaments + kScrollOrnaments> PlaceOrnaments(const ScreenRect& rect,
                                                                                float thickness) {
  std::array<OrnamentPlacement, kSideOrnaments + kScrollOrnaments> out{};
  const float b = UsableThickness(rect.Width(), rect.Height(), thickness);
  const float cx = rect.CenterX(), cy = rect.CenterY();
  struct Side {
    float x, y;    // the middle of the side, on the border's outer edge
    float dx, dy;  // along the side
    float angle;   // crown outward
    float length;
  };
  const Side sides[kSideOrnaments] = {
      {cx, rect.top, 1, 0, 0, rect.Width()},
      {cx, rect.bottom, 1, 0, kPi, rect.Width()},
      {rect.left, cy, 0, 1, -kPi / 2, rect.Height()},
      {rect.right, cy, 0, 1, kPi / 2, rect.Height()},
  };
  const float crestH = kCrestHeight * b, crestW = kCrestAspect * crestH;
  for (int s = 0; s < kSideOrnaments; ++s) {
    const Side& side = sides[s];
    // Turned a quarter, a rectangle keeps its width and height; the turn lays it along the side.
    out[size_t(s)] = {ScreenRect::FromCenter(crestW, crestH, side.x, side.y, side.angle), b > 0};
    // A scroll in the middle of each stretch of border between a corner and the crest, at most
    // 2.12 thicknesses long and 0.76 high; a stretch shorter than a thickness shows none.
    const float stretch = side.length / 2 - b - crestW / 2;
    const float length = std::min(kScrollLength * b, kScrollFill * stretch);
    const float height = std::min(kScrollHeight * b, length / kScrollAspect);
    const bool fits = b > 0 && stretch >= b;
    const float distance = crestW / 2 + stretch / 2;
    // On the middle of the border, inside the outer edge.
    const float inX = side.dx == 0 ? (s == 2 ? b / 2 : -b / 2) : 0;
    const float inY = side.dy == 0 ? (s == 0 ? b / 2 : -b / 2) : 0;
    for (int end = 0; end < 2; ++end) {
      const float sign = end == 0 ? -1.0f : 1.0f;
      const float x = side.x + inX + sign * distance * side.dx, y = side.y + inY + sign * distance * side.dy;
      const float angle = side.dx != 0 ? 0.0f : kPi / 2;
      out[size_t(kSideOrnaments + 2 * s + end)] = {ScreenRect::FromCenter(length, height, x, y, angle), fits};
    }
  }
  return out;
}
