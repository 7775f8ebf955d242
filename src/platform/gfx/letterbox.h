// Where the back buffer lands in the window: the largest centred 4:3 rectangle of the drawable.
#pragma once

namespace gfx {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;  // y counted from the top
};

// Empty (zero size) for an empty drawable.
PixelRect Letterbox43(int drawableWidth, int drawableHeight);

}  // namespace gfx
