// Opening an Ogg Vorbis stream from arbitrary bytes and decoding a little of it, twice over (the
// second time after seeking back to the start, as a looping track does).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/ogg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OggDecoder decoder;
  if (decoder.OpenMemory(std::vector<uint8_t>(data, data + size)) != OggDecoder::kOpened) return 0;
  std::vector<uint8_t> pcm(16384);
  for (int pass = 0; pass < 2; ++pass) {
    size_t total = 0;
    while (total < (size_t(1) << 20)) {
      size_t got = 0;
      if (decoder.Read(pcm.data(), pcm.size(), &got) != OggDecoder::kData) break;
      if (got == 0 || got > pcm.size()) __builtin_trap();
      total += got;
    }
    if (!decoder.Rewind()) break;
  }
  return 0;
}
