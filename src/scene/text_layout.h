// Bitmap-font glyph tables and the layout that turns a string into one triangle strip.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "platform/gfx/device.h"

class XmlDocument;

// Texture coordinates of one glyph; all 0 for a code without a glyph.
struct GlyphRect {
  float uLeft = 0, vTop = 0, uRight = 0, vBottom = 0;
};

struct FontGlyphs {
  std::array<GlyphRect, 256> glyphs{};  // indexed by the character byte
  float aspect = 1.0f;                  // the font's "AspectRatio"
  float lineHeight = 0.0f;              // v-bottom - v-top of the last glyph read
};

// Layout style bits.
enum : int { kTextStyleSlant = 2 };

// Reads a font description: the root's "AspectRatio" (default 1; a value that is not a positive
// number counts as missing) and, under "Glyphs", one element per glyph with "Value" (0..255) and
// "TexCoords" (exactly four numbers). Glyphs that break these rules are skipped. False when the
// document has no root element.
bool ReadFontGlyphs(XmlDocument& doc, FontGlyphs& out);

// Lays the bytes out on one line: four vertices a character in strip order, so consecutive
// characters share an edge and one strip of 4n - 2 triangles draws the string. Positions are
// normalised to -1..1 on both axes (y = -1 is the top of the line). out holds 4n vertices (at least
// 4, all zero for an empty string); returns 4n. textAspect = laid-out width / line height, 0 when the
// font has no usable line height.
int LayoutText(const FontGlyphs& font, std::string_view text, int style, std::vector<gfx::VertexPosUv>& out,
               float& textAspect);
