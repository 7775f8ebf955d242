#include "image_writers.h"

// clang-format off
#include <cstddef>  // jpeglib.h needs size_t and FILE declared before it
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <memory>

namespace artbuild {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool WritePng(const std::string& path, const Raster& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.rgba.data(), image.width * 4, nullptr)) {
    error = png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

bool WriteJpeg(const std::string& path, const Raster& image, int quality, std::string& error) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);  // errors end the tool, which is what a build step wants
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file.get());
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = image.rgba.data() + size_t(cinfo.next_scanline) * image.width * 4;
    for (int x = 0; x < image.width; ++x, src += 4) {
      // Over black: the colour scaled by its coverage.
      for (int c = 0; c < 3; ++c) row[size_t(x) * 3 + c] = uint8_t((src[c] * src[3] + 127) / 255);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool WriteTga(const std::string& path, const Raster& image, std::string& error) {
  if (image.width > 0xFFFF || image.height > 0xFFFF) {
    error = "too large for TGA";
    return false;
  }
  uint8_t header[18] = {};
  header[2] = 2;  // uncompressed true colour
  header[12] = uint8_t(image.width), header[13] = uint8_t(image.width >> 8);
  header[14] = uint8_t(image.height), header[15] = uint8_t(image.height >> 8);
  header[16] = 32;
  header[17] = 0x28;  // 8 alpha bits, top-left origin
  std::vector<uint8_t> data(header, header + sizeof header);
  data.reserve(data.size() + image.rgba.size());
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    const uint8_t* p = &image.rgba[i];
    data.insert(data.end(), {p[2], p[1], p[0], p[3]});  // stored blue, green, red, alpha
  }
  File file(std::fopen(path.c_str(), "wb"));
  if (!file || std::fwrite(data.data(), 1, data.size(), file.get()) != data.size() ||
      std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace artbuild
