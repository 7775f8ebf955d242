// Ogg Vorbis encoding with libvorbisenc. The same samples always give the same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace soundbuild {

// Interleaved float samples (-1..1) to a complete Ogg Vorbis file; quality -0.1..1.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
                                     float quality = 0.4f);

}  // namespace soundbuild
