#include "font_xml.h"

#include <cstdio>

namespace fontbake {

namespace {
std::string G(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}
}  // namespace

std::string FontXml(const Atlas& atlas, const std::string& comment) {
  std::string s = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n";
  if (!comment.empty()) s += "<!-- " + comment + " -->\n";
  s += "<Font AspectRatio=\"" + G(double(atlas.height) / double(atlas.width)) + "\">\n";
  s += "  <Glyphs>\n";
  const double w = atlas.width, h = atlas.height;
  for (const AtlasGlyph& g : atlas.glyphs) {
    s += "    <Glyph Value=\"" + std::to_string(int(g.code)) + "\" TexCoords=\"" + G(g.x0 / w) + "," +
         G(g.y0 / h) + "," + G(g.x1 / w) + "," + G(g.y1 / h) + "\"/>\n";
  }
  s += "  </Glyphs>\n</Font>\n";
  return s;
}

}  // namespace fontbake
