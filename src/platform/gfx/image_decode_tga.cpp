// Our own TGA reader: true colour only (uncompressed type 2 and run-length type 10), 24 or 32 bits
// per pixel. The origin bits of the descriptor are honoured (bottom-up is the format's default);
// a colour map, if a true-colour file carries one, is skipped.
#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/gfx/image_decode.h"

namespace gfx {

static_assert(std::endian::native == std::endian::little);

namespace {

uint16_t Le16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

uint32_t Pixel(const uint8_t* p, int bytesPerPixel) {
  uint32_t alpha = bytesPerPixel == 4 ? p[3] : 0xFF;
  return alpha << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

}  // namespace

bool DecodeTga(const uint8_t* data, size_t size, Image& out, std::string* error) {
  out = Image{};
  auto fail = [&](const char* why) {
    out = Image{};
    if (error) *error = std::string("TGA: ") + why;
    return false;
  };
  constexpr size_t kHeader = 18;
  if (size < kHeader) return fail("file too short");
  const int idLength = data[0];
  const int colorMapType = data[1];
  const int imageType = data[2];
  const size_t colorMapLength = Le16(data + 5);
  const int colorMapEntryBits = data[7];
  const int width = Le16(data + 12);
  const int height = Le16(data + 14);
  const int bits = data[16];
  const int descriptor = data[17];
  if (imageType != 2 && imageType != 10) return fail("not a true-colour image");
  if (bits != 24 && bits != 32) return fail("not 24 or 32 bits per pixel");
  if (colorMapType > 1) return fail("bad colour map type");
  if (!ImageSizeAcceptable(width, height)) return fail("image size out of range");

  size_t pos = kHeader + idLength;
  if (colorMapType == 1) pos += colorMapLength * ((colorMapEntryBits + 7) / 8);
  if (pos > size) return fail("file too short");

  const int bpp = bits / 8;
  const size_t count = size_t(width) * height;
  // Uncompressed data must be all there before anything is allocated; run-length data can expand
  // at most 128 times per packet byte pair, which bounds the image by the file size as well.
  if (imageType == 2 && (size - pos) / bpp < count) return fail("pixel data truncated");
  if (imageType == 10 && (size - pos) < (count + 127) / 128 * (1 + size_t(bpp)))
    return fail("pixel data truncated");

  out.width = width;
  out.height = height;
  out.pixels.resize(count);
  uint32_t* pixels = out.pixels.data();
  if (imageType == 2 && bpp == 4) {
    // Stored blue, green, red, alpha: already 0xAARRGGBB words on a little-endian machine.
    std::memcpy(pixels, data + pos, count * 4);
  } else if (imageType == 2) {
    for (size_t i = 0; i < count; ++i, pos += bpp) pixels[i] = Pixel(data + pos, bpp);
  } else {
    size_t i = 0;
    while (i < count) {
      if (pos >= size) return fail("run-length data truncated");
      const int header = data[pos++];
      const size_t run = size_t(header & 0x7F) + 1;
      if (run > count - i) return fail("run-length packet beyond the image");
      if (header & 0x80) {
        if (size - pos < size_t(bpp)) return fail("run-length data truncated");
        const uint32_t value = Pixel(data + pos, bpp);
        pos += bpp;
        for (size_t k = 0; k < run; ++k) pixels[i++] = value;
      } else {
        if ((size - pos) / bpp < run) return fail("run-length data truncated");
        for (size_t k = 0; k < run; ++k, pos += bpp) pixels[i++] = Pixel(data + pos, bpp);
      }
    }
  }

  // Descriptor bit 5: rows stored top first; bit 4: columns stored right to left.
  if (!(descriptor & 0x20)) {
    for (int y = 0; y < height / 2; ++y)
      std::swap_ranges(pixels + size_t(y) * width, pixels + size_t(y + 1) * width,
                       pixels + size_t(height - 1 - y) * width);
  }
  if (descriptor & 0x10) {
    for (int y = 0; y < height; ++y) std::reverse(pixels + size_t(y) * width, pixels + size_t(y + 1) * width);
  }
  return true;
}

}  // namespace gfx
