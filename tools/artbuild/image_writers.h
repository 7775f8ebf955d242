// Writers for the three picture formats of the game. Each output depends only on the pixels and
// the parameters (no time stamps, no library version strings), so a build is reproducible.
#pragma once

#include <string>

#include "raster.h"

namespace artbuild {

bool WritePng(const std::string& path, const Raster& image, std::string& error);
// JPEG has no alpha: the picture is laid over black, which is also what an additive effect expects.
bool WriteJpeg(const std::string& path, const Raster& image, int quality, std::string& error);
// Uncompressed 32-bit true colour, rows stored top first (descriptor 0x28), so picture and hit
// mask agree.
bool WriteTga(const std::string& path, const Raster& image, std::string& error);

}  // namespace artbuild
