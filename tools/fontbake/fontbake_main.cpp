// fontbake RECIPE --png OUT.png --xml OUT.xml [--font-dir DIR]
// Bakes the printable Windows-1252 range of the recipe's font into a glyph atlas and its description.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "atlas.h"
#include "cp1252.h"
#include "font_xml.h"
#include "glyph_raster.h"
#include "png_out.h"
#include "recipe.h"

using namespace fontbake;

namespace {

int Usage() {
  std::fprintf(stderr, "usage: fontbake RECIPE --png OUT.png --xml OUT.xml [--font-dir DIR]\n");
  return 2;
}

std::string Resolve(const std::string& dir, const std::string& name) {
  if (name.empty() || name[0] == '/') return name;
  return dir + "/" + name;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string recipePath, pngPath, xmlPath, fontDir = "/usr/share/fonts";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--png" || a == "--xml" || a == "--font-dir") && i + 1 < argc) {
      std::string v = argv[++i];
      (a == "--png" ? pngPath : a == "--xml" ? xmlPath : fontDir) = v;
    } else if (recipePath.empty() && !a.empty() && a[0] != '-') {
      recipePath = a;
    } else {
      return Usage();
    }
  }
  if (recipePath.empty() || pngPath.empty() || xmlPath.empty()) return Usage();

  std::ifstream in(recipePath, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "fontbake: cannot read %s\n", recipePath.c_str());
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  Recipe recipe;
  std::string error;
  if (!ParseRecipe(text.str(), recipe, error)) {
    std::fprintf(stderr, "fontbake: %s: %s\n", recipePath.c_str(), error.c_str());
    return 1;
  }

  GlyphRasterizer raster;
  if (!raster.Open(Resolve(fontDir, recipe.font), Resolve(fontDir, recipe.fallback), recipe.size,
                   recipe.outlineWidth, error)) {
    std::fprintf(stderr, "fontbake: %s\n", error.c_str());
    return 1;
  }
  std::vector<RasterGlyph> glyphs;
  std::vector<int> missing;
  for (int code = 0; code < 256; ++code) {
    if (!IsPrintable(uint8_t(code))) continue;
    RasterGlyph g;
    g.code = uint8_t(code);
    if (raster.Render(Cp1252ToUnicode(uint8_t(code)), g)) {
      glyphs.push_back(std::move(g));
    } else {
      missing.push_back(code);
    }
  }
  for (int code : missing)
    std::fprintf(stderr, "fontbake: %s: no glyph for 0x%02X\n", recipePath.c_str(), code);

  Atlas atlas;
  if (!BuildAtlas(glyphs, recipe, raster.Ascender(), raster.Descender(), atlas)) {
    std::fprintf(stderr, "fontbake: %s: glyphs do not fit a 4096 atlas\n", recipePath.c_str());
    return 1;
  }
  if (!WritePng(pngPath, atlas.width, atlas.height, atlas.pixels)) {
    std::fprintf(stderr, "fontbake: cannot write %s\n", pngPath.c_str());
    return 1;
  }
  std::string xml =
      FontXml(atlas, "Baked by fontbake from " + BaseName(recipePath) + " (" + BaseName(recipe.font) + ")");
  std::ofstream out(xmlPath, std::ios::binary | std::ios::trunc);
  out << xml;
  out.close();
  if (!out) {
    std::fprintf(stderr, "fontbake: cannot write %s\n", xmlPath.c_str());
    return 1;
  }
  return 0;
}
