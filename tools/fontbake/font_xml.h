// Writes the glyph description the game reads beside the atlas.
#pragma once

#include <string>

#include "atlas.h"

namespace fontbake {

// Root "Font" with "AspectRatio" (atlas height / width, which makes the layout's advance rule give
// each glyph its pixel proportions), then "Glyphs" with one "Glyph" per cell: "Value" (the
// Windows-1252 code) and "TexCoords" (u-left,v-top,u-right,v-bottom).
std::string FontXml(const Atlas& atlas, const std::string& comment);

}  // namespace fontbake
