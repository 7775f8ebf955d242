// PNG through libpng's simplified reader: it handles every colour type, bit depth, palette,
// transparency chunk and interlace, and reports errors without longjmp reaching our code.
#include <png.h>

#include <bit>
#include <cstring>

#include "platform/gfx/image_decode.h"

namespace gfx {

// BGRA bytes are read as 0xAARRGGBB words.
static_assert(std::endian::native == std::endian::little);

bool DecodePng(const uint8_t* data, size_t size, Image& out, std::string* error) {
  out = Image{};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  auto fail = [&](const std::string& why) {
    png_image_free(&image);
    out = Image{};
    if (error) *error = why;
    return false;
  };
  if (!png_image_begin_read_from_memory(&image, data, size))
    return fail(std::string("PNG: ") + image.message);
  if (!ImageSizeAcceptable(image.width, image.height)) return fail("PNG: image size out of range");

  image.format = PNG_FORMAT_BGRA;
  out.width = int(image.width);
  out.height = int(image.height);
  out.pixels.resize(size_t(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), int(image.width * 4), nullptr))
    return fail(std::string("PNG: ") + image.message);
  png_image_free(&image);
  return true;
}

}  // namespace gfx
