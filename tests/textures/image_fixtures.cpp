#include "textures/image_fixtures.h"

// clang-format off
#include <cstddef>  // jpeglib.h needs size_t and FILE declared before it
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <cstdlib>
#include <cstring>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace fixtures {

uint32_t PatternPixel(int x, int y, uint8_t alpha) {
  return uint32_t(alpha) << 24 | uint32_t((x * 37) & 0xFF) << 16 | uint32_t((y * 59) & 0xFF) << 8 |
         uint32_t((x + y) * 13 & 0xFF);
}

gfx::Image Pattern(int w, int h, uint8_t alpha) {
  gfx::Image img;
  img.width = w;
  img.height = h;
  img.pixels.resize(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.pixels[size_t(y) * w + x] = PatternPixel(x, y, alpha);
  return img;
}

Bytes EncodePng(const gfx::Image& image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words on a little-endian machine
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr);
  Bytes out(size);
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.pixels.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

Bytes EncodeJpeg(const gfx::Image& image, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = (JSAMPROW)(image.pixels.data() + size_t(cinfo.next_scanline) * image.width);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

Bytes EncodeTga(const gfx::Image& image, int bits, bool topFirst, bool rle, bool rightFirst,
                const std::string& id) {
  Bytes out(18, 0);
  out[0] = uint8_t(id.size());
  out[2] = rle ? 10 : 2;
  out[12] = uint8_t(image.width), out[13] = uint8_t(image.width >> 8);
  out[14] = uint8_t(image.height), out[15] = uint8_t(image.height >> 8);
  out[16] = uint8_t(bits);
  out[17] = uint8_t((bits == 32 ? 8 : 0) | (topFirst ? 0x20 : 0) | (rightFirst ? 0x10 : 0));
  for (char c : id) out.push_back(uint8_t(c));
  // Pixels in file order.
  std::vector<uint32_t> order;
  for (int r = 0; r < image.height; ++r) {
    const int y = topFirst ? r : image.height - 1 - r;
    for (int c = 0; c < image.width; ++c) {
      const int x = rightFirst ? image.width - 1 - c : c;
      order.push_back(image.pixels[size_t(y) * image.width + x]);
    }
  }
  auto put = [&](uint32_t p) {
    out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
    if (bits == 32) out.push_back(uint8_t(p >> 24));
  };
  if (!rle) {
    for (uint32_t p : order) put(p);
    return out;
  }
  // Packets run across row ends, as many writers do.
  size_t i = 0;
  while (i < order.size()) {
    size_t run = 1;
    while (i + run < order.size() && run < 128 && order[i + run] == order[i]) ++run;
    if (run > 1) {
      out.push_back(uint8_t(0x80 | (run - 1)));
      put(order[i]);
      i += run;
      continue;
    }
    size_t raw = 1;
    while (i + raw < order.size() && raw < 128 && order[i + raw] != order[i + raw - 1]) ++raw;
    out.push_back(uint8_t(raw - 1));
    for (size_t k = 0; k < raw; ++k) put(order[i + k]);
    i += raw;
  }
  return out;
}

std::string UseTexturePak(const std::vector<std::pair<std::string, Bytes>>& members) {
  std::vector<pak::MemberSource> sources;
  for (const auto& [name, bytes] : members) sources.push_back({name, bytes});
  Bytes archive;
  pak::BuildArchive(sources, 1234, archive);
  const std::string dir = testenv::MakeTempDir("tex");
  os::WriteFileAtomic(os::JoinPath(dir, "Textures.pak"), archive.data(), archive.size());
  ResetPaksForTest();
  os::SetDataRoot(dir);
  return dir;
}

}  // namespace fixtures
