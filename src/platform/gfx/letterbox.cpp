#include "platform/gfx/letterbox.h"

#include <cstdint>

namespace gfx {

PixelRect Letterbox43(int w, int h) {
  if (w <= 0 || h <= 0) return {};
  PixelRect r;
  if (int64_t(w) * 3 >= int64_t(h) * 4) {
    r.height = h;
    r.width = int(int64_t(h) * 4 / 3);
  } else {
    r.width = w;
    r.height = int(int64_t(w) * 3 / 4);
  }
  r.x = (w - r.width) / 2;
  r.y = (h - r.height) / 2;
  return r;
}

}  // namespace gfx
