#include "scene/text_layout.h"

#include <cmath>

#include "data/xml_document.h"

namespace {
// Advance of a code without a glyph (and of the space in fonts that have none), in line heights
// times the font aspect.
constexpr float kBlankAdvance = 0.25f;
constexpr float kSlant = 0.42f;
}  // namespace

bool ReadFontGlyphs(XmlDocument& doc, FontGlyphs& out) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return false;
  FontGlyphs font;
  float aspect = doc.GetFloatAttribute(root, "AspectRatio", 1.0f);
  // The aspect divides every advance: zero, negative or non-finite values would give infinities.
  font.aspect = std::isfinite(aspect) && aspect > 0.0f ? aspect : 1.0f;

  ScopedXmlNode glyphs(doc, doc.FindChildNode(root, "Glyphs"));
  if (glyphs) {
    ScopedXmlNode glyph(doc, doc.FindChildNode(glyphs));
    if (glyph && !doc.IsElement(glyph)) glyph.NextElement();
    for (; glyph; glyph.NextElement()) {
      int value = doc.GetIntAttribute(glyph, "Value", 0);
      if (value < 0 || value > 255) continue;
      std::vector<float> tc = doc.GetFloatListAttribute(glyph, "TexCoords");
      if (tc.size() != 4) continue;
      bool finite = true;
      for (float f : tc) finite = finite && std::isfinite(f);
      if (!finite) continue;
      font.glyphs[size_t(value)] = {tc[0], tc[1], tc[2], tc[3]};
      font.lineHeight = tc[3] - tc[1];
    }
  }
  out = font;
  return true;
}

int LayoutText(const FontGlyphs& font, std::string_view text, int style, std::vector<gfx::VertexPosUv>& out,
               float& textAspect) {
  const size_t n = text.size();
  out.assign(n == 0 ? 4 : 4 * n, gfx::VertexPosUv{0, 0, 0, 0, 0});
  const int count = int(4 * n);
  textAspect = 0.0f;
  const float h = font.lineHeight;
  // A font without a usable line height (no glyphs, or inverted ones) lays out as nothing visible.
  if (!(h > 0.0f) || !std::isfinite(h)) return count;

  const float s = (style & kTextStyleSlant) ? kSlant * h : 0.0f;
  float x = 0.0f;
  for (size_t i = 0; i < n; ++i) {
    const GlyphRect& g = font.glyphs[static_cast<unsigned char>(text[i])];
    float du = g.uRight - g.uLeft;
    float a = du != 0.0f ? du / font.aspect : font.aspect * h * kBlankAdvance;
    gfx::VertexPosUv* v = &out[4 * i];
    v[0] = {x, h, 0, g.uLeft, g.vBottom};
    v[1] = {x + s, 0, 0, g.uLeft, g.vTop};
    v[2] = {x + a, h, 0, g.uRight, g.vBottom};
    v[3] = {x + a + s, 0, 0, g.uRight, g.vTop};
    x += a;
  }
  const float w = x + s;
  const float fw = w != 0.0f ? w / 2.0f : 1.0f;
  const float fh = h / 2.0f;
  bool finite = std::isfinite(w) && std::isfinite(w / h);
  for (size_t i = 0; i < 4 * n && finite; ++i) {
    out[i].x = out[i].x / fw - 1.0f;
    out[i].y = out[i].y / fh - 1.0f;
    finite = std::isfinite(out[i].x) && std::isfinite(out[i].y);
  }
  // Absurd glyph tables (huge or opposing widths) overflow; such text shows as nothing.
  if (!finite) {
    out.assign(out.size(), gfx::VertexPosUv{0, 0, 0, 0, 0});
    return count;
  }
  textAspect = w / h;
  return count;
}
