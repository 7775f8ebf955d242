// Pictures for the decoder and texture-cache tests, encoded with the same libraries the game
// decodes with (TGA by hand), and a Textures.pak built from them in a private data root.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/device.h"

namespace fixtures {

using Bytes = std::vector<uint8_t>;

// A w x h picture whose pixel (x, y) is a distinct, recognisable colour with the given alpha.
gfx::Image Pattern(int w, int h, uint8_t alpha = 0xFF);
uint32_t PatternPixel(int x, int y, uint8_t alpha = 0xFF);

Bytes EncodePng(const gfx::Image& image);
Bytes EncodeJpeg(const gfx::Image& image, int quality = 95);
// True-colour TGA: bits 24 or 32; topFirst and rightFirst set the descriptor's origin bits;
// rle writes run-length packets (runs of equal pixels as repeat packets, the rest raw).
Bytes EncodeTga(const gfx::Image& image, int bits, bool topFirst, bool rle = false, bool rightFirst = false,
                const std::string& id = "");

// Writes Textures.pak with these members into a fresh folder and makes it the data root. Any
// archive opened before is closed so the new one is read.
std::string UseTexturePak(const std::vector<std::pair<std::string, Bytes>>& members);

}  // namespace fixtures
