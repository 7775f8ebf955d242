// The music thread on the real SDL backend: SDL's disk driver records what the mixer produced while
// the thread cross-fades from one track to another. The disk driver runs at its real-time pace here
// (no SDL_DISKAUDIODELAY), because the music thread refills its buffers on a 100 ms clock.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/random.h"
#include "audio/audio_test_support.h"
#include "audio/music_player.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace {

struct Window {
  double rms = 0;
  int crossings = 0;
};

// 20 ms windows of the left channel: level and zero crossings (440 Hz gives about 18, 880 Hz 35).
std::vector<Window> Analyse(const std::vector<int16_t>& stereo, size_t fromFrame) {
  const size_t kWindow = 882;
  std::vector<Window> out;
  for (size_t start = fromFrame; start + kWindow <= stereo.size() / 2; start += kWindow) {
    Window w;
    double sum = 0;
    size_t audible = 0;
    for (size_t i = start; i < start + kWindow; ++i) {
      double v = stereo[2 * i];
      sum += v * v;
      audible += v != 0;
      if (i > start && (stereo[2 * i] >= 0) != (stereo[2 * i - 2] >= 0)) ++w.crossings;
    }
    w.rms = std::sqrt(sum / kWindow);
    // A window that is partly silence (a track starting or stopping) counts crossings per sound.
    w.crossings = audible ? int(w.crossings * kWindow / audible) : 0;
    out.push_back(w);
  }
  return out;
}

TEST(MusicOnSdl, CrossFadeFadesTheOldTrackOutThenStartsTheNewOne) {
  std::string root = testenv::MakeTempDir("mix");
  os::MakeDirectories(root + "/Music/MainMenu");
  os::MakeDirectories(root + "/Music/Search");
  audiotest::WriteFile(root + "/Music/MainMenu/menu.ogg", audiotest::SineOgg(22050, 4.0, 440));
  audiotest::WriteFile(root + "/Music/Search/search.ogg", audiotest::SineOgg(22050, 4.0, 880));
  std::string file = root + "/out.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  unsetenv("SDL_DISKAUDIODELAY");
  snd::Device* device = nullptr;
  ASSERT_EQ(snd::CreateSdlDevice(&device), snd::S_OK);
  ASSERT_STREQ(device->DriverName(), "disk");

  MusicShared shared;
  shared.volume.store(1.0f);
  {
    MusicPlayer player(device, shared);
    Random random(1);
    player.BuildPlaylists(root + "/Music", random);
    player.StartThread();
    auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
      return std::chrono::duration<float>(std::chrono::steady_clock::now() - start).count();
    };
    shared.SetMode(kMoodMainMenu, -1);
    bool switched = false;
    while (elapsed() < 2.6f) {
      shared.now.store(elapsed());
      if (!switched && elapsed() > 1.0f) {
        shared.SetMode(kMoodSearch, 0.5f);
        switched = true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    player.StopThread();
  }
  device->Release();

  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  size_t onset = 0;
  while (onset < out.size() / 2 && out[2 * onset] == 0 && out[2 * onset + 1] == 0) ++onset;
  ASSERT_LT(onset, out.size() / 2) << "nothing was heard";
  std::vector<Window> w = Analyse(out, onset);
  ASSERT_GT(w.size(), 60u);

  auto isLow = [](const Window& x) { return x.rms > 200 && x.crossings < 26; };
  auto isHigh = [](const Window& x) { return x.rms > 200 && x.crossings >= 26; };
  double full = w[10].rms;
  ASSERT_TRUE(isLow(w[10]));
  EXPECT_NEAR(full, 0.5 * 32767 / std::sqrt(2.0), 1500.0) << "the menu track plays at full level";

  size_t fadeBegins = 0, lastLow = 0, firstHigh = w.size();
  for (size_t i = 0; i < w.size(); ++i) {
    if (isLow(w[i])) lastLow = i;
    if (isHigh(w[i]) && firstHigh == w.size()) firstHigh = i;
    if (!fadeBegins && isLow(w[i]) && w[i].rms < 0.8 * full) fadeBegins = i;
  }
  std::string trace;  // level/crossings of every window, to read when the check fails
  for (size_t i = 0; i < w.size(); ++i)
    trace += std::to_string(int(w[i].rms)) + "/" + std::to_string(w[i].crossings) + " ";
  SCOPED_TRACE(trace);
  ASSERT_GT(fadeBegins, 0u);
  ASSERT_LT(firstHigh, w.size()) << "the search track never started";
  // The old track fades out over the fade time (the curve reaches silence at 1 % level; the pass
  // that finds the level below 1 % but not yet 0 leaves up to one 100 ms poll of silence). The
  // last window may already hold the start of the new track.
  for (size_t i = fadeBegins + 1; i < lastLow; ++i) EXPECT_LE(w[i].rms, w[i - 1].rms * 1.05) << i;
  double fadeSeconds = double(lastLow - fadeBegins + 1) * 0.02;
  EXPECT_GT(fadeSeconds, 0.25);
  EXPECT_LT(fadeSeconds, 0.75);
  // ...and only then does the new one start, from its beginning and at full level.
  EXPECT_GT(firstHigh, lastLow);
  EXPECT_LT(double(firstHigh - lastLow) * 0.02, 0.25);
  EXPECT_NEAR(w[firstHigh + 3].rms, full, 0.15 * full);
}

}  // namespace
