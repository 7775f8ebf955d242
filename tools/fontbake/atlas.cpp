#include "atlas.h"

#include <algorithm>
#include <cmath>

namespace fontbake {

namespace {

struct Colour {
  float a = 0, r = 0, g = 0, b = 0;
};

Colour FromArgb(uint32_t argb, float coverage) {
  return {float(argb >> 24) / 255.0f * coverage, float((argb >> 16) & 0xFF) / 255.0f,
          float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f};
}

// Straight-alpha "top over bottom".
Colour Over(const Colour& top, const Colour& bottom) {
  float a = top.a + bottom.a * (1.0f - top.a);
  if (a <= 0.0f) return {0, bottom.r, bottom.g, bottom.b};
  auto mix = [&](float t, float b) { return (t * top.a + b * bottom.a * (1.0f - top.a)) / a; };
  return {a, mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)};
}

uint32_t ToArgb(const Colour& c) {
  auto byte = [](float v) { return uint32_t(std::clamp(std::lround(v * 255.0f), 0L, 255L)); };
  return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

struct Extent {
  int left = 0, right = 0;  // relative to the pen origin
};

void Widen(const Coverage& c, int dx, int dy, int& left, int& right, int& top, int& bottom) {
  if (c.width == 0 || c.height == 0) return;
  left = std::min(left, c.left + dx);
  right = std::max(right, c.left + c.width + dx);
  top = std::min(top, c.top + dy);
  bottom = std::max(bottom, c.top + c.height + dy);
}

}  // namespace

bool BuildAtlas(const std::vector<RasterGlyph>& glyphs, const Recipe& recipe, int ascender, int descender,
                Atlas& out) {
  const int ow = int(std::ceil(recipe.outlineWidth));
  const bool shadow = (recipe.shadow >> 24) != 0;

  // Common vertical extent and each glyph's horizontal extent.
  int top = -ascender - ow, bottom = descender + ow;
  std::vector<Extent> extents(glyphs.size());
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const RasterGlyph& g = glyphs[i];
    // The cell spans the advance, widened only where ink (outline and shadow included) leaves it,
    // so rims mostly sit in the side bearings and the spacing stays the font's own.
    int left = 0, right = int(std::ceil(g.advance));
    int t = top, b = bottom;
    Widen(g.fill, 0, 0, left, right, t, b);
    Widen(g.outline, 0, 0, left, right, t, b);
    if (shadow) {
      Widen(g.fill, recipe.shadowDx, recipe.shadowDy, left, right, t, b);
      Widen(g.outline, recipe.shadowDx, recipe.shadowDy, left, right, t, b);
    }
    top = std::min(top, t);
    bottom = std::max(bottom, b);
    extents[i] = {left, right};
  }
  const int cellH = bottom - top;
  const int pad = recipe.padding;

  // Shelf packing in code order into the smallest power-of-two rectangle (as wide as high or twice
  // as wide) that holds every cell.
  int width = 64, height = 64;
  std::vector<AtlasGlyph> placed;
  for (;; (width == height ? width : height) *= 2) {
    if (width > 4096) return false;
    placed.clear();
    int x = pad, y = pad;
    bool fits = true;
    for (size_t i = 0; i < glyphs.size() && fits; ++i) {
      int w = extents[i].right - extents[i].left;
      if (x + w + pad > width) {
        x = pad;
        y += cellH + pad;
      }
      if (x + w + pad > width || y + cellH + pad > height) fits = false;
      placed.push_back({glyphs[i].code, x, y, x + w, y + cellH});
      x += w + pad;
    }
    if (fits) break;
  }

  // Transparent pixels carry the edge colour so that filtering does not pull dark fringes in.
  uint32_t edge = (recipe.outlineWidth > 0 ? recipe.outline : GradientAt(recipe.fill, 0.5f)) & 0x00FFFFFF;
  out.width = width;
  out.height = height;
  out.pixels.assign(size_t(width) * size_t(height), edge);
  out.glyphs = placed;

  const float emTop = float(-ascender), emHeight = float(std::max(1, ascender + descender));
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const RasterGlyph& g = glyphs[i];
    const AtlasGlyph& cell = placed[i];
    for (int cy = 0; cy < cellH; ++cy) {
      int y = top + cy;  // relative to the baseline
      float pos = std::clamp((float(y) + 0.5f - emTop) / emHeight, 0.0f, 1.0f);
      uint32_t fillArgb = GradientAt(recipe.fill, pos);
      for (int cx = 0; cx < cell.x1 - cell.x0; ++cx) {
        int x = extents[i].left + cx;  // relative to the pen origin
        Colour c{0, 0, 0, 0};
        if (shadow) {
          int sx = x - recipe.shadowDx, sy = y - recipe.shadowDy;
          uint8_t s = std::max(g.fill.At(sx, sy), g.outline.At(sx, sy));
          c = FromArgb(recipe.shadow, float(s) / 255.0f);
        }
        if (uint8_t o = g.outline.At(x, y)) c = Over(FromArgb(recipe.outline, float(o) / 255.0f), c);
        if (uint8_t f = g.fill.At(x, y)) c = Over(FromArgb(fillArgb, float(f) / 255.0f), c);
        uint32_t argb = c.a > 0.0f ? ToArgb(c) : edge;
        out.pixels[size_t(cell.y0 + cy) * size_t(width) + size_t(cell.x0 + cx)] = argb;
      }
    }
  }
  return true;
}

}  // namespace fontbake
