#include "audio/audio_test_support.h"

#include <cmath>
#include <fstream>

#include "audio/sound_effects.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "ogg_encode.h"
#include "platform/os/host.h"
#include "support/test_env.h"
#include "wave_file.h"

namespace audiotest {

namespace {
std::vector<float> Sine(int rate, double seconds, double hz, int channels) {
  size_t frames = size_t(rate * seconds);
  std::vector<float> v(frames * size_t(channels));
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      v[i * size_t(channels) + size_t(c)] = float(0.5 * std::sin(2 * M_PI * hz * double(i) / rate));
  return v;
}
}  // namespace

std::vector<uint8_t> SineWave(int rate, double seconds, double hz, int channels) {
  return soundbuild::MakeWave(soundbuild::ToPcm16(Sine(rate, seconds, hz, channels)), channels, rate);
}

std::vector<uint8_t> SineOgg(int rate, double seconds, double hz, int channels) {
  return soundbuild::EncodeOggVorbis(Sine(rate, seconds, hz, channels), channels, rate, 0.1f);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

void WritePak(const std::string& path,
              const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members) {
  std::vector<pak::MemberSource> sources;
  for (const auto& [name, bytes] : members) sources.push_back(pak::MemberSource{name, bytes});
  std::vector<uint8_t> archive;
  ASSERT_TRUE(pak::BuildArchive(sources, 1234, archive));
  WriteFile(path, archive);
}

void SoundTest::SetUp() {
  root_ = testenv::MakeTempDir("audio");
  os::SetDataRoot(root_);
  ResetPaksForTest();
  ASSERT_EQ(snd::CreateNullDevice(&device_), snd::S_OK);
  ASSERT_EQ(InitSoundWithDevice(device_), 1);
  SetEffectsVolume(1.0f);  // whatever an earlier test stored
}

void SoundTest::TearDown() {
  while (CSoundEffect* e = FirstSoundEffect()) delete e;
  ShutdownSound();
  ResetPaksForTest();
  if (device_) device_->Release();
}

void SoundTest::WriteSounds(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members) {
  WritePak(os::JoinPath(root_, "Sounds.pak"), members);
}

}  // namespace audiotest
