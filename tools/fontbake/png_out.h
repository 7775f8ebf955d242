// Writes an ARGB image as an 8-bit RGBA PNG (no time stamp or text chunks, so bytes are reproducible).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontbake {

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

}  // namespace fontbake
