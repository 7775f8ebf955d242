// Walks the chunks the way the multimedia RIFF reader descends into them, but trusts no size: a
// chunk that claims more bytes than the file holds is cut to what is there.
#include "audio/wave_reader.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

struct Chunk {
  size_t offset = 0;  // of the chunk's contents
  size_t size = 0;    // contents present, never beyond the parent's end
};

// Finds the first sub-chunk with the given id between begin and end (chunk headers are 8 bytes,
// contents padded to an even length).
bool FindChunk(const uint8_t* bytes, size_t begin, size_t end, const char* id, Chunk& out) {
  uint64_t pos = begin;
  while (pos + 8 <= end) {
    uint32_t size = Le32(bytes + pos + 4);
    uint64_t contents = pos + 8;
    if (std::memcmp(bytes + pos, id, 4) == 0) {
      out.offset = size_t(contents);
      out.size = size_t(std::min<uint64_t>(size, end - contents));
      return true;
    }
    pos = contents + size + (size & 1u);
  }
  return false;
}

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

}  // namespace

bool ParseWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* error) {
  out = WaveData{};
  if (!bytes || size < 12) return Fail(error, "too short for a RIFF header");
  if (std::memcmp(bytes, "RIFF", 4) != 0) return Fail(error, "not a RIFF file");
  if (std::memcmp(bytes + 8, "WAVE", 4) != 0) return Fail(error, "RIFF form is not WAVE");
  size_t riffEnd = size_t(std::min<uint64_t>(uint64_t(Le32(bytes + 4)) + 8, size));

  Chunk fmt;
  if (!FindChunk(bytes, 12, riffEnd, "fmt ", fmt)) return Fail(error, "no fmt chunk");
  if (fmt.size < 16) return Fail(error, "fmt chunk shorter than 16 bytes");
  const uint8_t* f = bytes + fmt.offset;
  snd::WaveFormat& wf = out.format;
  wf.formatTag = Le16(f);
  wf.channels = Le16(f + 2);
  wf.samplesPerSec = Le32(f + 4);
  wf.avgBytesPerSec = Le32(f + 8);
  wf.blockAlign = Le16(f + 12);
  wf.bitsPerSample = Le16(f + 14);
  if (wf.formatTag != snd::WAVE_FORMAT_PCM && fmt.size >= 18) {
    uint16_t extra = Le16(f + 16);
    if (extra > fmt.size - 18) return Fail(error, "fmt chunk extra bytes run past the chunk");
    wf.extra.assign(f + 18, f + 18 + extra);
  }

  Chunk data;
  if (!FindChunk(bytes, 12, riffEnd, "data", data)) return Fail(error, "no data chunk");
  out.dataOffset = data.offset;
  out.dataSize = data.size;
  return true;
}
