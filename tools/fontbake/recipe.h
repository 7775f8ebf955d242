// A font recipe: which outline font to bake, at what size, and how to colour the glyphs.
//
//   # comment
//   font = opentype/comic-neue/ComicNeue-Bold.otf   (relative to the font folder)
//   size = 40                  pixel size of the em
//   fill = #FFFFFF             one colour, or a top-to-bottom gradient: #FFF0A0@0 #C08020@1
//   outline = #301800          optional outline colour ...
//   outline_width = 2          ... and its width in pixels (0 = none)
//   shadow = #80000000 2 2     optional drop shadow: colour, dx, dy in pixels
//   padding = 2                transparent pixels between atlas cells
//   fallback = truetype/dejavu/DejaVuSans.ttf   optional font for characters the main one lacks
//
// Colours are #RRGGBB or #AARRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontbake {

struct GradientStop {
  float pos = 0;  // 0 = top of the line, 1 = bottom
  uint32_t argb = 0;
};

struct Recipe {
  std::string font;
  std::string fallback;
  int size = 32;
  std::vector<GradientStop> fill{{0.0f, 0xFFFFFFFF}};
  uint32_t outline = 0xFF000000;
  float outlineWidth = 0;
  uint32_t shadow = 0;
  int shadowDx = 0;
  int shadowDy = 0;
  int padding = 2;
};

// Parses the recipe text; false with a message naming the line on any error.
bool ParseRecipe(const std::string& text, Recipe& out, std::string& error);

// The fill colour at a position 0..1 down the line (stops interpolated per channel).
uint32_t GradientAt(const std::vector<GradientStop>& stops, float pos);

bool ParseColor(const std::string& text, uint32_t& argb);

}  // namespace fontbake
