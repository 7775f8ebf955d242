// Renders glyphs of an outline font into coverage bitmaps with FreeType.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fontbake {

// An 8-bit coverage bitmap placed relative to the pen origin on the baseline (x right, y down).
struct Coverage {
  int left = 0;  // pixel column of the bitmap's first column, relative to the origin
  int top = 0;   // pixel row of the bitmap's first row, relative to the baseline (negative = above)
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  uint8_t At(int x, int y) const {  // x, y relative to the origin; 0 outside
    int cx = x - left, cy = y - top;
    if (cx < 0 || cy < 0 || cx >= width || cy >= height) return 0;
    return pixels[size_t(cy) * size_t(width) + size_t(cx)];
  }
};

struct RasterGlyph {
  uint8_t code = 0;
  float advance = 0;  // pixels
  Coverage fill;
  Coverage outline;  // empty when no outline is drawn
};

class GlyphRasterizer {
 public:
  GlyphRasterizer();
  ~GlyphRasterizer();
  GlyphRasterizer(const GlyphRasterizer&) = delete;
  GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

  // Opens the main font and an optional fallback at the pixel size; false with a message.
  bool Open(const std::string& path, const std::string& fallbackPath, int pixelSize, float outlineWidth,
            std::string& error);
  // Renders the character with the given Unicode code point; false when neither font has it.
  bool Render(uint32_t unicode, RasterGlyph& out);
  // Line metrics of the main font in pixels (ascender above the baseline, descender below, >= 0).
  int Ascender() const { return ascender_; }
  int Descender() const { return descender_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int ascender_ = 0;
  int descender_ = 0;
};

}  // namespace fontbake
