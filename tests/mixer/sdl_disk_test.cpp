// The SDL backend end to end: SDL's disk driver writes exactly what our callback mixed to a file.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/snd/device.h"
#include "support/test_env.h"

namespace {

using namespace snd;

// Opens the SDL backend on the disk driver writing to a new file; delay 0 runs as fast as it can.
Device* OpenDiskDevice(const std::string& file) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  Device* dev = nullptr;
  EXPECT_EQ(CreateSdlDevice(&dev), S_OK);
  return dev;
}

std::vector<int16_t> ReadOutput(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

// A mono 16-bit sine buffer of the given length.
Buffer* SineBuffer(Device* dev, uint32_t rate, double seconds, double hz, double amplitude) {
  uint32_t frames = uint32_t(rate * seconds);
  BufferDesc d;
  d.flags = DSBCAPS_STATIC | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY;
  d.bytes = frames * 2;
  d.format = WaveFormat::Pcm(1, rate, 16);
  Buffer* b = nullptr;
  EXPECT_EQ(dev->CreateSoundBuffer(d, &b), S_OK);
  void* p = nullptr;
  uint32_t n = 0;
  EXPECT_EQ(b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), S_OK);
  auto* s = static_cast<int16_t*>(p);
  for (uint32_t i = 0; i < frames; ++i)
    s[i] = int16_t(std::lrint(amplitude * 32767 * std::sin(2 * M_PI * hz * i / rate)));
  b->Unlock(p, n, nullptr, 0);
  return b;
}

void WaitUntilStopped(Buffer* b) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  uint32_t status = DSBSTATUS_PLAYING;
  while ((status & DSBSTATUS_PLAYING) && std::chrono::steady_clock::now() < deadline) {
    b->GetStatus(&status);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(status & DSBSTATUS_PLAYING, 0u);
}

struct Span {
  size_t first = 0, last = 0;  // frames, inclusive
  bool found = false;
};

// The frames from the first to the last that are not silent.
Span Audible(const std::vector<int16_t>& stereo) {
  Span s;
  for (size_t i = 0; i < stereo.size() / 2; ++i) {
    if (stereo[2 * i] != 0 || stereo[2 * i + 1] != 0) {
      if (!s.found) s.first = i;
      s.last = i;
      s.found = true;
    }
  }
  return s;
}

double Rms(const std::vector<int16_t>& stereo, const Span& s, int channel) {
  double sum = 0;
  for (size_t i = s.first; i <= s.last; ++i) sum += double(stereo[2 * i + channel]) * stereo[2 * i + channel];
  return std::sqrt(sum / double(s.last - s.first + 1));
}

TEST(SdlDiskOutput, PanLeftAttenuatesTheRightChannelByThePanLaw) {
  std::string file = testenv::MakeTempDir("disk") + "/pan.raw";
  Device* dev = OpenDiskDevice(file);
  ASSERT_NE(dev, nullptr);
  EXPECT_STREQ(dev->DriverName(), "disk");
  Buffer* b = SineBuffer(dev, 22050, 0.25, 441.0, 0.5);
  b->SetPan(-1000);  // a pan of -1.0 as the effects set it
  b->Play(0);
  WaitUntilStopped(b);
  b->Release();
  dev->Release();

  std::vector<int16_t> out = ReadOutput(file);
  Span s = Audible(out);
  ASSERT_TRUE(s.found);
  double ratio = Rms(out, s, 1) / Rms(out, s, 0);
  EXPECT_NEAR(ratio, std::pow(10.0, -1000 / 2000.0), 0.01);
  EXPECT_NEAR(Rms(out, s, 0), 0.5 * 32767 / std::sqrt(2.0), 200.0) << "the left channel is untouched";
}

TEST(SdlDiskOutput, PitchTwoPlaysInHalfTheTime) {
  std::string dir = testenv::MakeTempDir("disk");
  auto audibleFrames = [&](const std::string& name, uint32_t frequency) {
    std::string file = dir + "/" + name;
    Device* dev = OpenDiskDevice(file);
    Buffer* b = SineBuffer(dev, 22050, 0.5, 441.0, 0.5);
    b->SetFrequency(frequency);
    b->Play(0);
    WaitUntilStopped(b);
    b->Release();
    dev->Release();
    Span s = Audible(ReadOutput(file));
    EXPECT_TRUE(s.found);
    return double(s.last - s.first + 1);
  };
  double normal = audibleFrames("normal.raw", 22050);
  double doubled = audibleFrames("double.raw", 44100);
  EXPECT_NEAR(normal, 0.5 * 44100, 50);
  EXPECT_NEAR(doubled, 0.25 * 44100, 50);
}

TEST(SdlDiskOutput, FallsBackToTheDummyDriverWhenTheOutputCannotOpen) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  Device* dev = nullptr;
  ASSERT_EQ(CreateSdlDevice(&dev), S_OK);
  EXPECT_STREQ(dev->DriverName(), "dummy");
  Buffer* b = nullptr;
  BufferDesc d;
  d.bytes = 400;
  d.format = WaveFormat::Pcm(2, 22050, 16);
  EXPECT_EQ(dev->CreateSoundBuffer(d, &b), S_OK);
  b->Release();
  dev->Release();
}

}  // namespace
