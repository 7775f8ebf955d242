// Decoding of the game's picture formats into gfx::Image (0xAARRGGBB, top row first): PNG through
// libpng, JPEG through libjpeg, TGA (uncompressed and run-length true colour, 24 and 32 bits) with
// our own reader. Image bytes come from archives and loose files, so every size is checked before
// anything is allocated: a malformed, truncated or absurdly large image fails with a message and
// leaves the output empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/device.h"

namespace gfx {

// Largest side and largest pixel count accepted from a file (128 MiB of decoded pixels).
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t(1) << 25;
bool ImageSizeAcceptable(int64_t width, int64_t height);

enum class ImageFormat { kUnknown, kPng, kJpeg, kTga };
// By signature; TGA has none, so anything else that could be a TGA header counts as TGA.
ImageFormat DetectImageFormat(const uint8_t* data, size_t size);

// Each returns false with a short reason in error (when given) and out emptied on failure.
bool DecodePng(const uint8_t* data, size_t size, Image& out, std::string* error = nullptr);
bool DecodeJpeg(const uint8_t* data, size_t size, Image& out, std::string* error = nullptr);
bool DecodeTga(const uint8_t* data, size_t size, Image& out, std::string* error = nullptr);
// Picks the decoder by signature.
bool DecodeImage(const uint8_t* data, size_t size, Image& out, std::string* error = nullptr);
// Reads and decodes a file.
bool LoadImageFile(const std::string& path, Image& out, std::string* error = nullptr);

}  // namespace gfx
