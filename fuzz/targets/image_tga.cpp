// TGA bytes -> decoder and hit-mask builder. A decoded image must be whole and within the size
// limits; a mask must hold one byte per pixel of the sizes it reports.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/texture_cache.h"
#include "platform/gfx/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gfx::Image image;
  const bool ok = gfx::DecodeTga(data, size, image);
  if (ok != !image.pixels.empty()) std::abort();
  if (ok && (!gfx::ImageSizeAcceptable(image.width, image.height) ||
             image.pixels.size() != size_t(image.width) * size_t(image.height)))
    std::abort();

  int w = 0, h = 0;
  std::vector<uint8_t> mask;
  if (BuildHitMask(data, size, w, h, mask)) {
    if (mask.size() != size_t(w) * size_t(h) || mask.empty() || mask.size() > size) std::abort();
  } else if (!mask.empty()) {
    std::abort();
  }
  return 0;
}
