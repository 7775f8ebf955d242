#include "platform/os/window_geometry.h"

#include <algorithm>
#include <cstdint>

namespace os {
namespace {
int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
}  // namespace

Viewport LetterboxViewport(int width, int height) {
  Viewport v;
  if (width <= 0 || height <= 0) return v;
  if (int64_t(width) * 3 > int64_t(height) * 4) {
    v.height = height;
    v.width = int(int64_t(height) * 4 / 3);
  } else {
    v.width = width;
    v.height = int(int64_t(width) * 3 / 4);
  }
  v.x = (width - v.width) / 2;
  v.y = (height - v.height) / 2;
  return v;
}

Size Force43(int width, int height) {
  if (int64_t(height) * 4 / 3 < width) {
    width = int(int64_t(height) * 4 / 3);
  } else if (int64_t(width) * 3 / 4 < height) {
    height = int(int64_t(width) * 3 / 4);
  }
  return {width, height};
}

Size SnapResizeTo43(Size old, Size now, int maxWidth, int maxHeight) {
  Size s = now;
  if (now.height != old.height && now.width == old.width) {
    s.width = int(int64_t(now.height) * 4 / 3);
  } else {
    s.height = int(int64_t(now.width) * 3 / 4);
  }
  // A snap must not push the window past the screen; shrink to fit, still 4:3.
  if (maxWidth > 0 && s.width > maxWidth) {
    s.width = maxWidth;
    s.height = int(int64_t(maxWidth) * 3 / 4);
  }
  if (maxHeight > 0 && s.height > maxHeight) {
    s.height = maxHeight;
    s.width = int(int64_t(maxHeight) * 4 / 3);
  }
  s.width = std::max(s.width, 1);
  s.height = std::max(s.height, 1);
  return s;
}

void MapToBackBuffer(int wx, int wy, int clientWidth, int clientHeight, int bbWidth, int bbHeight, int& bx,
                     int& by) {
  Viewport v = LetterboxViewport(clientWidth, clientHeight);
  if (v.width <= 0 || v.height <= 0 || bbWidth <= 0 || bbHeight <= 0) {
    bx = wx;
    by = wy;
    return;
  }
  // Map pixel centres, so a 1:1 picture maps every pixel onto itself.
  bx = int(FloorDiv((2 * (int64_t(wx) - v.x) + 1) * bbWidth, 2 * int64_t(v.width)));
  by = int(FloorDiv((2 * (int64_t(wy) - v.y) + 1) * bbHeight, 2 * int64_t(v.height)));
}

}  // namespace os
