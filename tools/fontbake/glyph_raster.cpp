#include "glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <cmath>

namespace fontbake {

struct GlyphRasterizer::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Face fallback = nullptr;
  FT_Stroker stroker = nullptr;
  float outlineWidth = 0;

  ~Impl() {
    if (stroker) FT_Stroker_Done(stroker);
    if (fallback) FT_Done_Face(fallback);
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

// Copies a rendered bitmap glyph (8-bit grey) into a coverage bitmap.
bool ToCoverage(FT_Glyph glyph, Coverage& out) {
  if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) != 0) {
    FT_Done_Glyph(glyph);
    return false;
  }
  FT_BitmapGlyph bg = reinterpret_cast<FT_BitmapGlyph>(glyph);
  const FT_Bitmap& bm = bg->bitmap;
  out = Coverage{};
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) {
    FT_Done_Glyph(glyph);
    return false;
  }
  out.left = bg->left;
  out.top = -bg->top;
  out.width = int(bm.width);
  out.height = int(bm.rows);
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y) {
    const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
    for (int x = 0; x < out.width; ++x) out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = row[x];
  }
  FT_Done_Glyph(glyph);
  return true;
}

bool OpenFace(FT_Library lib, const std::string& path, int pixelSize, FT_Face& face, std::string& error) {
  if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) {
    error = "cannot open font " + path;
    return false;
  }
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0) {
    error = "cannot set size " + std::to_string(pixelSize) + " on " + path;
    return false;
  }
  return true;
}

}  // namespace

GlyphRasterizer::GlyphRasterizer() : impl_(std::make_unique<Impl>()) {}
GlyphRasterizer::~GlyphRasterizer() = default;

bool GlyphRasterizer::Open(const std::string& path, const std::string& fallbackPath, int pixelSize,
                           float outlineWidth, std::string& error) {
  if (FT_Init_FreeType(&impl_->library) != 0) {
    error = "cannot start FreeType";
    return false;
  }
  if (!OpenFace(impl_->library, path, pixelSize, impl_->face, error)) return false;
  if (!fallbackPath.empty() && !OpenFace(impl_->library, fallbackPath, pixelSize, impl_->fallback, error)) {
    return false;
  }
  impl_->outlineWidth = outlineWidth;
  if (outlineWidth > 0) {
    FT_Stroker_New(impl_->library, &impl_->stroker);
    FT_Stroker_Set(impl_->stroker, FT_Fixed(std::lround(outlineWidth * 64)), FT_STROKER_LINECAP_ROUND,
                   FT_STROKER_LINEJOIN_ROUND, 0);
  }
  const FT_Size_Metrics& m = impl_->face->size->metrics;
  ascender_ = int(std::ceil(double(m.ascender) / 64.0));
  descender_ = int(std::ceil(double(-m.descender) / 64.0));
  return true;
}

bool GlyphRasterizer::Render(uint32_t unicode, RasterGlyph& out) {
  FT_Face face = impl_->face;
  FT_UInt index = FT_Get_Char_Index(face, unicode);
  if (index == 0 && impl_->fallback) {
    face = impl_->fallback;
    index = FT_Get_Char_Index(face, unicode);
  }
  if (index == 0) return false;
  // Unhinted outlines: the atlas is scaled on screen anyway, and hinting differs between FreeType
  // releases, which would make the baked bytes depend on the build machine.
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return false;
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  out.advance = float(face->glyph->advance.x) / 64.0f;

  out.fill = Coverage{};
  out.outline = Coverage{};
  if (face->glyph->outline.n_points == 0) return true;  // a space: advance only

  FT_Glyph glyph = nullptr;
  if (FT_Get_Glyph(face->glyph, &glyph) != 0) return false;
  FT_Glyph copy = nullptr;
  if (impl_->stroker) FT_Glyph_Copy(glyph, &copy);

  bool ok = ToCoverage(glyph, out.fill);
  if (copy) {
    if (ok && FT_Glyph_StrokeBorder(&copy, impl_->stroker, 0, 1) == 0) {
      ok = ToCoverage(copy, out.outline);
    } else {
      FT_Done_Glyph(copy);
      ok = false;
    }
  }
  return ok;
}

}  // namespace fontbake
