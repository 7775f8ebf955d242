// Colours the rendered glyphs and packs them into one atlas image.
#pragma once

#include <cstdint>
#include <vector>

#include "glyph_raster.h"
#include "recipe.h"

namespace fontbake {

struct AtlasGlyph {
  uint8_t code = 0;
  // Cell bounds in atlas pixels (right and bottom exclusive).
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Atlas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, straight alpha, top row first
  std::vector<AtlasGlyph> glyphs;
};

// Builds the atlas: every glyph gets a cell of the common line height (ascender to descender plus
// outline and shadow) and its own width (the advance, widened where ink reaches beyond it), so
// consecutive cells placed edge to edge reproduce the font's spacing. The atlas is the smallest power-of-two
// rectangle, square or twice as wide as high, that holds all cells; false when even 4096 pixels are too
// small.
bool BuildAtlas(const std::vector<RasterGlyph>& glyphs, const Recipe& recipe, int ascender, int descender,
                Atlas& out);

}  // namespace fontbake
