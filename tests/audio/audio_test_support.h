// Shared by the audio tests: synthetic WAVE and Ogg files, a data root holding them, and a fixture
// that runs sound on the null device.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/snd/null_device.h"

namespace audiotest {

// A 16-bit WAVE of a sine (mono or stereo).
std::vector<uint8_t> SineWave(int rate, double seconds, double hz, int channels = 1);
// Ogg Vorbis of a sine; a tone of 0 Hz is silence.
std::vector<uint8_t> SineOgg(int rate, double seconds, double hz, int channels = 1);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Writes an archive of the members (name, bytes) to path.
void WritePak(const std::string& path,
              const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members);

// A fresh data root with the null sound device running; effects and archives are cleared after.
class SoundTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes Sounds.pak into the data root.
  void WriteSounds(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members);

  std::string root_;
  snd::NullDevice* device_ = nullptr;
};

}  // namespace audiotest
