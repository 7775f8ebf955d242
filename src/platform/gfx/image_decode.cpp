#include "platform/gfx/image_decode.h"

#include <cstring>
#include <vector>

#include "platform/os/host.h"

namespace gfx {

bool ImageSizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

ImageFormat DetectImageFormat(const uint8_t* data, size_t size) {
  static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return ImageFormat::kPng;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return ImageFormat::kJpeg;
  if (size >= 18) return ImageFormat::kTga;
  return ImageFormat::kUnknown;
}

bool DecodeImage(const uint8_t* data, size_t size, Image& out, std::string* error) {
  switch (DetectImageFormat(data, size)) {
    case ImageFormat::kPng:
      return DecodePng(data, size, out, error);
    case ImageFormat::kJpeg:
      return DecodeJpeg(data, size, out, error);
    case ImageFormat::kTga:
      return DecodeTga(data, size, out, error);
    case ImageFormat::kUnknown:
      break;
  }
  out = Image{};
  if (error) *error = "not a PNG, JPEG or TGA image";
  return false;
}

bool LoadImageFile(const std::string& path, Image& out, std::string* error) {
  std::vector<uint8_t> bytes;
  // No picture of the game comes near this; a larger file is not read at all.
  constexpr size_t kMaxFileBytes = size_t(256) << 20;
  if (!os::ReadFile(path, bytes, kMaxFileBytes)) {
    out = Image{};
    if (error) *error = "cannot read " + path;
    return false;
  }
  return DecodeImage(bytes.data(), bytes.size(), out, error);
}

}  // namespace gfx
