// JPEG bytes -> decoder. A decoded image must be whole and within the size limits.
#include <cstdint>
#include <cstdlib>

#include "platform/gfx/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gfx::Image image;
  const bool ok = gfx::DecodeJpeg(data, size, image);
  if (ok != !image.pixels.empty()) std::abort();
  if (ok && (!gfx::ImageSizeAcceptable(image.width, image.height) ||
             image.pixels.size() != size_t(image.width) * size_t(image.height)))
    std::abort();
  return 0;
}
