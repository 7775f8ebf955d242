// RIFF/WAVE parsing over bytes in memory: the "RIFF" form "WAVE", its "fmt " chunk and its "data"
// chunk. Every chunk size is checked against the bytes present; nothing is read beyond them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/snd/device.h"

struct WaveData {
  snd::WaveFormat format;  // the 16 bytes of the PCM format, plus the extra bytes of other formats
  size_t dataOffset = 0;   // of the samples in the file
  size_t dataSize = 0;     // bytes of samples present (a truncated file keeps what it has)
};

// true and out filled when bytes hold a well-formed WAVE; false with a one-line reason otherwise.
bool ParseWave(const uint8_t* bytes, size_t size, WaveData& out, std::string* error = nullptr);
