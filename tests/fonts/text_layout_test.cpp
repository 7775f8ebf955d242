// The layout rules of bitmap text and the reading of font descriptions.
#include "scene/text_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/xml_document.h"
#include "fonts/font_fixture.h"

namespace {

// A font whose glyphs are 0.1 wide and 0.2 high in texture units with aspect 0.5: 'A' and 'B'
// have glyphs, everything else (the space included) takes the default advance.
FontGlyphs TestFont() {
  FontGlyphs f;
  f.aspect = 0.5f;
  f.glyphs['A'] = {0.0f, 0.0f, 0.1f, 0.2f};
  f.glyphs['B'] = {0.1f, 0.0f, 0.3f, 0.2f};
  f.lineHeight = 0.2f;
  return f;
}

float Aspect(const FontGlyphs& f, const std::string& text, int style = 0) {
  std::vector<gfx::VertexPosUv> v;
  float aspect = -1;
  LayoutText(f, text, style, v, aspect);
  return aspect;
}

TEST(TextLayout, FourVerticesPerCharacterSharingEdgesInStripOrder) {
  FontGlyphs f = TestFont();
  std::vector<gfx::VertexPosUv> v;
  float aspect = 0;
  ASSERT_EQ(LayoutText(f, "AB A", 0, v, aspect), 16);
  ASSERT_EQ(v.size(), 16u);
  // Widths in x units: A 0.1 / 0.5 = 0.2, B 0.4, space 0.5 * 0.2 * 0.25 = 0.025, A 0.2.
  const float w = 0.2f + 0.4f + 0.025f + 0.2f;
  EXPECT_NEAR(aspect, w / 0.2f, 1e-5);
  // First quad spans the whole height; its left edge is the text's left edge (-1).
  EXPECT_FLOAT_EQ(v[0].x, -1.0f);
  EXPECT_FLOAT_EQ(v[0].y, 1.0f);   // bottom
  EXPECT_FLOAT_EQ(v[1].y, -1.0f);  // top
  EXPECT_FLOAT_EQ(v[0].v, 0.2f);   // the bottom takes v-bottom
  EXPECT_FLOAT_EQ(v[1].v, 0.0f);
  EXPECT_FLOAT_EQ(v[2].u, 0.1f);
  // Consecutive characters share their edge, and the last vertex ends at the right edge (+1).
  for (int c = 1; c < 4; ++c) EXPECT_FLOAT_EQ(v[4 * c].x, v[4 * c - 2].x) << "character " << c;
  EXPECT_NEAR(v[15].x, 1.0f, 1e-6);
  EXPECT_NEAR(v[4].x, -1.0f + 2.0f * 0.2f / w, 1e-6);
}

TEST(TextLayout, AdvanceRulesAndAspects) {
  FontGlyphs f = TestFont();
  // A space (no glyph) advances by 0.25 x font aspect x line height.
  EXPECT_NEAR(Aspect(f, " "), 0.25f * 0.5f, 1e-6);
  EXPECT_NEAR(Aspect(f, "\xFF"), 0.25f * 0.5f, 1e-6);  // a high byte without a glyph: same rule
  // A glyph twice has twice the aspect of the glyph once.
  EXPECT_NEAR(Aspect(f, "BB"), 2.0f * Aspect(f, "B"), 1e-6);
  // The slant adds 0.42 line heights to the width.
  EXPECT_NEAR(Aspect(f, "A", kTextStyleSlant), Aspect(f, "A") + 0.42f, 1e-5);
}

TEST(TextLayout, SlantShiftsOnlyTheTopVertices) {
  FontGlyphs f = TestFont();
  std::vector<gfx::VertexPosUv> v;
  float aspect = 0;
  LayoutText(f, "A", kTextStyleSlant, v, aspect);
  EXPECT_FLOAT_EQ(v[0].x, -1.0f);                       // bottom left stays
  EXPECT_GT(v[1].x, v[0].x);                            // top left moves right
  EXPECT_NEAR(v[3].x, 1.0f, 1e-6);                      // top right ends the text
  EXPECT_NEAR(v[1].x - v[0].x, v[3].x - v[2].x, 1e-6);  // both by the same amount
}

TEST(TextLayout, BytesIndexGlyphsUnsigned) {
  FontGlyphs f = TestFont();
  f.glyphs[0xE9] = {0.5f, 0.0f, 0.6f, 0.2f};
  std::vector<gfx::VertexPosUv> v;
  float aspect = 0;
  LayoutText(f, "\xE9", 0, v, aspect);
  EXPECT_FLOAT_EQ(v[0].u, 0.5f);
  EXPECT_NEAR(aspect, (0.1f / 0.5f) / 0.2f, 1e-5);
}

TEST(TextLayout, EmptyAndUnusableFontsGiveNothingVisible) {
  FontGlyphs f = TestFont();
  std::vector<gfx::VertexPosUv> v;
  float aspect = -1;
  EXPECT_EQ(LayoutText(f, "", 0, v, aspect), 0);
  EXPECT_EQ(v.size(), 4u);  // the array still exists, all zero
  EXPECT_EQ(aspect, 0.0f);

  // No glyph read: no line height. Without the guard every position would be a division by zero.
  FontGlyphs empty;
  EXPECT_EQ(LayoutText(empty, "AB", 0, v, aspect), 8);
  EXPECT_EQ(aspect, 0.0f);
  for (const auto& p : v) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

  // Widths that overflow (a tiny font aspect, or huge opposing glyphs) also give nothing visible.
  FontGlyphs huge;
  huge.aspect = 1e-38f;
  huge.glyphs['A'] = {0, 0, 1, 1e-3f};
  huge.glyphs['B'] = {0, 0, -1, 1e-3f};
  huge.lineHeight = 1e-3f;
  for (const char* text : {"A", "AB", "ABA"}) {
    LayoutText(huge, text, 0, v, aspect);
    EXPECT_EQ(aspect, 0.0f) << text;
    for (const auto& p : v) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << text;
  }
}

// ---- Reading descriptions -----------------------------------------------------------------------

bool Read(const std::string& xml, FontGlyphs& out) {
  XmlDocument doc;
  doc.LoadBytes(xml.data(), xml.size());
  return ReadFontGlyphs(doc, out);
}

TEST(FontDescription, ReadsGlyphsAspectAndLastLineHeight) {
  FontGlyphs f;
  ASSERT_TRUE(
      Read(fonttest::FontXml(0.5f, {{65, {0, 0, 0.25f, 0.5f}}, {233, {0.25f, 0.5f, 0.5f, 0.75f}}}), f));
  EXPECT_FLOAT_EQ(f.aspect, 0.5f);
  EXPECT_FLOAT_EQ(f.glyphs[65].uRight, 0.25f);
  EXPECT_FLOAT_EQ(f.glyphs[233].vTop, 0.5f);
  EXPECT_FLOAT_EQ(f.lineHeight, 0.25f);  // from the last glyph
  EXPECT_EQ(f.glyphs[66].uRight, 0.0f);
}

TEST(FontDescription, GlyphElementsOfAnyNameAmongCommentsAndText) {
  FontGlyphs f;
  ASSERT_TRUE(
      Read("<F><Glyphs>text<!-- c --><G Value=\"1\" TexCoords=\"0,0,1,1\"/> <X Value=\"2\" "
           "TexCoords=\"0,0,0.5,0.5\"/></Glyphs></F>",
           f));
  EXPECT_FLOAT_EQ(f.aspect, 1.0f);  // default
  EXPECT_FLOAT_EQ(f.glyphs[1].uRight, 1.0f);
  EXPECT_FLOAT_EQ(f.glyphs[2].uRight, 0.5f);
}

TEST(FontDescription, HostileValuesAreSkippedNotTrusted) {
  FontGlyphs f;
  ASSERT_TRUE(
      Read("<F AspectRatio=\"0\"><Glyphs>"
           "<G Value=\"256\" TexCoords=\"0,0,1,1\"/>"
           "<G Value=\"-1\" TexCoords=\"0,0,1,1\"/>"
           "<G Value=\"70\" TexCoords=\"0,0,1\"/>"
           "<G Value=\"71\" TexCoords=\"0,0,1,1,1\"/>"
           "<G Value=\"72\" TexCoords=\"0,0,nan,1\"/>"
           "<G Value=\"65\" TexCoords=\"0,0.1,0.2,0.3\"/>"
           "</Glyphs></F>",
           f));
  EXPECT_FLOAT_EQ(f.aspect, 1.0f);  // 0 would divide every advance
  EXPECT_EQ(f.glyphs[70].uRight, 0.0f);
  EXPECT_EQ(f.glyphs[71].uRight, 0.0f);
  EXPECT_EQ(f.glyphs[72].uRight, 0.0f);
  EXPECT_EQ(f.glyphs[255].uRight, 0.0f);
  EXPECT_NEAR(f.lineHeight, 0.2f, 1e-6);  // skipped glyphs never set it

  FontGlyphs g;
  EXPECT_TRUE(Read("<F AspectRatio=\"-3\"/>", g));
  EXPECT_FLOAT_EQ(g.aspect, 1.0f);
  EXPECT_FALSE(Read("<!-- no root -->", g));
  EXPECT_FALSE(Read("<F><Glyphs>", g));  // does not parse: empty document
}

}  // namespace
