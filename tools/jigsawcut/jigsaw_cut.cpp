#include "jigsaw_cut.h"

#include <algorithm>
#include <cmath>

namespace jigsawcut {

namespace {

// The tab disc sits this far beyond the edge; with radii of 24..28 it reaches 46..52 pixels into
// the neighbour (within the piece's 55-pixel margin) and keeps a neck about 24 pixels wide.
constexpr float kTabOffset = 22.0f;

uint32_t Next(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

float Unit(uint32_t& state) {
  return float(Next(state) & 0xFFFF) / 65535.0f;
}

Tabs::Tab MakeTab(uint32_t& state) {
  Tabs::Tab t;
  t.towardsSecond = (Next(state) & 1) != 0;
  t.along = 0.42f + 0.16f * Unit(state);
  t.radius = 24.0f + 4.0f * Unit(state);
  return t;
}

bool InDisc(float x, float y, float cx, float cy, float r) {
  const float dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= r * r;
}

}  // namespace

Tabs MakeTabs(uint32_t seed) {
  Tabs tabs{};
  uint32_t state = seed;
  for (auto& row : tabs.vertical)
    for (auto& tab : row) tab = MakeTab(state);
  for (auto& row : tabs.horizontal)
    for (auto& tab : row) tab = MakeTab(state);
  return tabs;
}

int OwnerAt(const Tabs& tabs, float x, float y) {
  if (x < 0 || y < 0 || x >= float(kSourceWidth) || y >= float(kSourceHeight)) return -1;
  int column = std::min(int(x / kCell), kColumns - 1);
  int row = std::min(int(y / kCell), kRows - 1);
  // A tab of a neighbour reaching into this cell takes the point; tabs never reach past one cell.
  for (int r = std::max(row - 1, 0); r <= std::min(row + 1, kRows - 1); ++r) {
    for (int c = std::max(column - 1, 0); c <= std::min(column + 1, kColumns - 1); ++c) {
      if (c < kColumns - 1) {
        const Tabs::Tab& t = tabs.vertical[r][c];
        const float edge = float((c + 1) * kCell);
        const float cy = (float(r) + t.along) * kCell;
        const float cx = t.towardsSecond ? edge + kTabOffset : edge - kTabOffset;
        if (InDisc(x, y, cx, cy, t.radius)) return r * kColumns + (t.towardsSecond ? c : c + 1);
      }
      if (r < kRows - 1) {
        const Tabs::Tab& t = tabs.horizontal[r][c];
        const float edge = float((r + 1) * kCell);
        const float cx = (float(c) + t.along) * kCell;
        const float cy = t.towardsSecond ? edge + kTabOffset : edge - kTabOffset;
        if (InDisc(x, y, cx, cy, t.radius)) return (t.towardsSecond ? r : r + 1) * kColumns + c;
      }
    }
  }
  return row * kColumns + column;
}

artbuild::Raster CutPiece(const artbuild::Raster& source, const Tabs& tabs, int row, int column) {
  artbuild::Raster out;
  out.width = out.height = kPieceSize;
  out.rgba.assign(size_t(kPieceSize) * kPieceSize * 4, 0);
  const int me = row * kColumns + column;
  const int x0 = column * kCell - kMargin, y0 = row * kCell - kMargin;
  std::vector<float> coverage(size_t(kPieceSize) * kPieceSize, 0.0f);
  for (int v = 0; v < kPieceSize; ++v) {
    for (int u = 0; u < kPieceSize; ++u) {
      // Four by four samples a pixel: soft cut edges whose shares add up between neighbours.
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          inside += OwnerAt(tabs, float(x0 + u) + (float(sx) + 0.5f) / 4,
                            float(y0 + v) + (float(sy) + 0.5f) / 4) == me;
      coverage[size_t(v) * kPieceSize + u] = float(inside) / 16.0f;
    }
  }
  for (int v = 0; v < kPieceSize; ++v) {
    for (int u = 0; u < kPieceSize; ++u) {
      const int sx = std::clamp(x0 + u, 0, source.width - 1), sy = std::clamp(y0 + v, 0, source.height - 1);
      const uint8_t* s = &source.rgba[(size_t(sy) * source.width + sx) * 4];
      uint8_t* d = &out.rgba[(size_t(v) * kPieceSize + u) * 4];
      const float a = coverage[size_t(v) * kPieceSize + u];
      // Torn paper shows a pale fibre rim along the cut (not along the photograph's own border).
      float rim = 0;
      if (a > 0) {
        for (int dy = -2; dy <= 2 && rim == 0; ++dy)
          for (int dx = -2; dx <= 2; ++dx) {
            const int nu = u + dx, nv = v + dy;
            const int px = x0 + nu, py = y0 + nv;
            if (px < 0 || py < 0 || px >= kSourceWidth || py >= kSourceHeight) continue;
            const bool outside = nu < 0 || nv < 0 || nu >= kPieceSize || nv >= kPieceSize ||
                                 coverage[size_t(nv) * kPieceSize + nu] == 0;
            if (outside) {
              rim = 0.45f;
              break;
            }
          }
      }
      static const float kFibre[3] = {246, 236, 212};
      for (int k = 0; k < 3; ++k) d[k] = uint8_t(std::lround(float(s[k]) * (1 - rim) + kFibre[k] * rim));
      d[3] = uint8_t(std::lround(a * 255.0f));
    }
  }
  return out;
}

void MarkCreases(artbuild::Raster& picture) {
  auto lighten = [&](int x, int y, float amount) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
    uint8_t* p = &picture.rgba[(size_t(y) * picture.width + x) * 4];
    for (int k = 0; k < 3; ++k) p[k] = uint8_t(std::lround(float(p[k]) + (250.0f - float(p[k])) * amount));
  };
  for (int c = 1; c < kColumns; ++c) {
    const int x = int(std::lround(float(c) * float(picture.width) / kColumns));
    for (int y = 0; y < picture.height; ++y) lighten(x, y, 0.35f);
  }
  for (int r = 1; r < kRows; ++r) {
    const int y = int(std::lround(float(r) * float(picture.height) / kRows));
    for (int x = 0; x < picture.width; ++x) lighten(x, y, 0.35f);
  }
}

}  // namespace jigsawcut
