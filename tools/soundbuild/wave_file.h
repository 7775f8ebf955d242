// Writing 16-bit PCM RIFF/WAVE files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundbuild {

// A complete WAVE file of interleaved 16-bit samples.
std::vector<uint8_t> MakeWave(const std::vector<int16_t>& samples, int channels, int rate);
// Float samples (-1..1, clipped) to 16 bits with rounding.
std::vector<int16_t> ToPcm16(const std::vector<float>& samples);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace soundbuild
