// The music player driven step by step on the null device: each tick is one 100 ms pass of the
// music thread, with the application clock and the play cursors moved by the same amount.
#include "audio/music.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/random.h"
#include "core/settings.h"
#include "audio/music.h"
#include "audio/audio_test_support.h"
#include "audio/music_player.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace {

using audiotest::SineOgg;
using audiotest::SoundTest;
using audiotest::WriteFile;

std::vector<std::string> Names(const MusicPlaylist& list) {
  std::vector<std::string> out;
  for (const auto& t : list.Tracks()) out.push_back(t.path.substr(t.path.find_last_of('/') + 1));
  return out;
}

TEST(MusicPlaylist, ListsOggFilesInReverseOrderAndTurnsFromARandomStart) {
  std::string dir = testenv::MakeTempDir("list");
  for (const char* name : {"b.ogg", "A.ogg", "c.OGG", "notes.txt", "ogg"}) WriteFile(dir + "/" + name, {1});
  os::MakeDirectories(dir + "/d.ogg");
  for (uint32_t seed = 1; seed < 6; ++seed) {
    MusicPlaylist list;
    Random random(seed);
    int k = Random(seed).Next() % 3;
    list.Build(dir, kMusicSearch, random);
    ASSERT_EQ(Names(list), (std::vector<std::string>{"c.OGG", "b.ogg", "A.ogg"}));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(list.Tracks()[size_t(i)].playCount, i < k ? 1u : 0u);
      EXPECT_EQ(list.Tracks()[size_t(i)].flags, kMusicSearch);
    }
    // Tracks play in turn in list order from the starting point.
    for (int n = 0; n < 7; ++n)
      EXPECT_EQ(list.ChooseNext(), &list.Tracks()[size_t((k + n) % 3)]) << seed << " " << n;
  }

  std::string single = testenv::MakeTempDir("single");
  WriteFile(single + "/only.ogg", {1});
  MusicPlaylist one;
  Random random(7);
  one.Build(single, kMusicPiano, random);
  ASSERT_EQ(one.Size(), 1u);
  EXPECT_EQ(one.Tracks()[0].playCount, 0u);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(one.ChooseNext(), &one.Tracks()[0]);

  MusicPlaylist none;
  none.Build(dir + "/missing", kMusicLoops, random);
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(none.ChooseNext(), nullptr);
}

class Music : public SoundTest {
 protected:
  void TearDown() override {
    player_.reset();
    SoundTest::TearDown();
  }
  void AddTrack(const char* folder, const char* name, const std::vector<uint8_t>& bytes) {
    std::string dir = root_ + "/Music/" + folder;
    os::MakeDirectories(dir);
    WriteFile(dir + "/" + name, bytes);
  }
  void Start(uint32_t seed = 1) {
    Random random(seed);
    player_ = std::make_unique<MusicPlayer>(device_, shared_);
    player_->BuildPlaylists(root_ + "/Music", random);
  }
  void Tick(double seconds = 0.1) {
    shared_.now.store(shared_.now.load() + float(seconds));
    device_->AdvanceSeconds(seconds);
    player_->Step();
  }
  int BuffersCreated() {
    int n = 0;
    for (const auto& c : device_->Calls()) n += c.method == "CreateSoundBuffer";
    return n;
  }
  bool Playing(int stream) {
    uint32_t status = 0;
    player_->StreamAt(stream)->buffer->GetStatus(&status);
    return status & snd::DSBSTATUS_PLAYING;
  }
  std::string TrackName(int stream) {
    const std::string& p = player_->StreamAt(stream)->path;
    return p.substr(p.find_last_of('/') + 1);
  }

  MusicShared shared_;
  std::unique_ptr<MusicPlayer> player_;
};

TEST_F(Music, RequestingTheCurrentMoodAgainStartsNothing) {
  AddTrack("Search", "a.ogg", SineOgg(22050, 1.0, 440));
  AddTrack("Search", "b.ogg", SineOgg(22050, 1.0, 660));
  Start();
  shared_.SetMode(kMoodSearch, -1);
  shared_.SetMode(kMoodSearch, -1);
  Tick();
  Tick();
  EXPECT_EQ(BuffersCreated(), 1);
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(shared_.currentMood.load(), kMoodSearch);
}

TEST_F(Music, StreamBufferHoldsFiveSecondsFilledHalfAtATimeFromTheDecoder) {
  auto ogg = SineOgg(22050, 8.0, 440);
  AddTrack("MainMenu", "theme.ogg", ogg);
  Start();
  shared_.SetMode(kMoodMainMenu, -1);
  Tick();
  ASSERT_EQ(player_->StreamCount(), 1);
  MusicStream* s = player_->StreamAt(0);
  EXPECT_EQ(s->size, (22050u * 2 * 5) & ~7u);

  OggDecoder reference;
  ASSERT_EQ(reference.OpenMemory(ogg), OggDecoder::kOpened);
  std::vector<uint8_t> pcm(s->size);
  size_t filled = 0, got = 0;
  while (filled < pcm.size() &&
         reference.Read(pcm.data() + filled, pcm.size() - filled, &got) == OggDecoder::kData)
    filled += got;
  ASSERT_EQ(filled, pcm.size());

  auto contents = [&] {
    void* p = nullptr;
    uint32_t n = 0;
    EXPECT_EQ(s->buffer->Lock(0, 0, &p, &n, nullptr, nullptr, snd::DSBLOCK_ENTIREBUFFER), snd::S_OK);
    std::vector<uint8_t> out(static_cast<uint8_t*>(p), static_cast<uint8_t*>(p) + n);
    s->buffer->Unlock(p, 0, nullptr, 0);
    return out;
  };
  size_t half = s->size / 2;
  std::vector<uint8_t> now = contents();
  EXPECT_EQ(std::memcmp(now.data(), pcm.data(), half), 0);
  EXPECT_EQ(now[half + 100], 0) << "the second half waits for the first notification";
  for (int i = 0; i < 5; ++i) Tick();  // the cursor crosses a tenth of the buffer
  now = contents();
  EXPECT_EQ(std::memcmp(now.data() + half, pcm.data() + half, half), 0);
}

TEST_F(Music, MenuMusicLoopsForever) {
  AddTrack("MainMenu", "short.ogg", SineOgg(22050, 1.0, 440));
  Start();
  shared_.SetMode(kMoodMainMenu, -1);
  for (int i = 0; i < 300; ++i) Tick();
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_TRUE(Playing(0));
  EXPECT_EQ(player_->StreamAt(0)->endCounter, 0);
  EXPECT_EQ(shared_.nextSearchTime.load(), kMusicNever);
}

TEST_F(Music, SearchTrackEndsAfterItsDataAndTheNextFollowsFifteenSecondsLater) {
  AddTrack("Search", "a.ogg", SineOgg(22050, 6.0, 440));
  AddTrack("Search", "b.ogg", SineOgg(22050, 6.0, 660));
  Start();
  shared_.SetMode(kMoodSearch, -1);
  Tick();
  std::string first = TrackName(0);
  float started = shared_.now.load();
  int ticks = 0;
  while (player_->StreamCount() == 1 && ticks++ < 200) Tick();
  ASSERT_EQ(player_->StreamCount(), 0);
  float heard = shared_.now.load() - started;
  // The data, then one to one and a half buffer halves (2.5 s each) of silence, within a tick.
  EXPECT_GE(heard, 6.0f + 2.5f * 0.7f);
  EXPECT_LE(heard, 6.0f + 2.5f * 1.5f + 0.2f);
  float end = shared_.now.load();
  EXPECT_FLOAT_EQ(shared_.nextSearchTime.load(), end + 15.0f);

  shared_.ScheduleCheck(end + 14.9f);
  Tick();
  EXPECT_EQ(player_->StreamCount(), 0);
  shared_.ScheduleCheck(end + 15.0f);
  EXPECT_EQ(shared_.nextSearchTime.load(), kMusicNever);
  Tick();
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_NE(TrackName(0), first) << "the other track comes next";
  EXPECT_TRUE(Playing(0));
}

TEST_F(Music, CrossFadeStartsTheNewTrackWhenTheOldOneHasFadedOut) {
  AddTrack("MainMenu", "menu.ogg", SineOgg(22050, 10.0, 440));
  AddTrack("Search", "a.ogg", SineOgg(22050, 10.0, 550));
  AddTrack("Search", "b.ogg", SineOgg(22050, 10.0, 660));
  AddTrack("Piano", "roll.ogg", SineOgg(22050, 10.0, 770));
  Start();
  shared_.SetMode(kMoodMainMenu, -1);
  Tick();
  shared_.SetMode(kMoodSearch, -1);
  Tick();
  float requested = shared_.now.load();
  ASSERT_EQ(player_->StreamCount(), 2);
  MusicStream* old = player_->StreamAt(0);
  EXPECT_FLOAT_EQ(old->fadeStart, requested);
  EXPECT_FLOAT_EQ(old->fadeDuration, 3.0f);
  EXPECT_FALSE(Playing(1)) << "the new track waits, silent";

  // A request during the cross-fade replaces the incoming track; the fade goes on.
  shared_.SetMode(kMoodPiano, 0.5f);
  Tick();
  ASSERT_EQ(player_->StreamCount(), 2);
  EXPECT_EQ(TrackName(1), "roll.ogg");
  EXPECT_FLOAT_EQ(player_->StreamAt(0)->fadeStart, requested);

  // The old track's volume falls along the curve while it fades.
  int32_t last = 0;
  int ticks = 0;
  while (player_->StreamCount() == 2 && ticks++ < 100) {
    int32_t v = 0;
    player_->StreamAt(0)->buffer->GetVolume(&v);
    EXPECT_LE(v, last);
    last = v;
    Tick();
  }
  EXPECT_NEAR(shared_.now.load() - requested, 3.0f, 0.15f);
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_EQ(TrackName(0), "roll.ogg");
  EXPECT_TRUE(Playing(0));
  uint32_t play = 1;
  player_->StreamAt(0)->buffer->GetCurrentPosition(&play, nullptr);
  EXPECT_EQ(play, 0u) << "it starts from its beginning";
  EXPECT_FLOAT_EQ(shared_.pianoStartTime.load(), shared_.now.load());
}

TEST_F(Music, PianoAlwaysRestartsWithAHalfSecondFade) {
  AddTrack("Piano", "roll.ogg", SineOgg(22050, 10.0, 770));
  Start();
  shared_.SetMode(kMoodPiano, 0.5f);
  Tick();
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_FLOAT_EQ(shared_.pianoStartTime.load(), shared_.now.load());
  Tick();
  Tick();

  shared_.pianoStartTime.store(0.0f);
  shared_.SetMode(kMoodPiano, 0.5f);
  Tick();
  float requested = shared_.now.load();
  ASSERT_EQ(player_->StreamCount(), 2);
  EXPECT_FLOAT_EQ(player_->StreamAt(0)->fadeDuration, 0.5f);
  EXPECT_EQ(shared_.pianoStartTime.load(), 0.0f);
  int ticks = 0;
  while (player_->StreamCount() == 2 && ticks++ < 20) Tick();
  EXPECT_NEAR(shared_.now.load() - requested, 0.5f, 0.15f);
  EXPECT_FLOAT_EQ(shared_.pianoStartTime.load(), shared_.now.load());
}

TEST_F(Music, TracksThatCannotBePlayedAreDroppedAndThePlaylistGoesOn) {
  AddTrack("MainMenu", "menu.ogg", SineOgg(22050, 3.0, 440));
  AddTrack("Search", "a.ogg", {'O', 'g', 'g', 'S', 0, 0});
  AddTrack("Search", "b.ogg", SineOgg(22050, 3.0, 660));
  AddTrack("Search", "c.ogg", SineOgg(22050, 0.5, 440, 3));  // more channels than a buffer plays
  AddTrack("Piano", "broken.ogg", std::vector<uint8_t>(5000, 0x4F));
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    Start(seed);
    shared_.currentMood.store(kMoodNone);
    shared_.SetMode(kMoodSearch, -1);
    Tick();
    ASSERT_EQ(player_->StreamCount(), 1) << seed;
    EXPECT_EQ(TrackName(0), "b.ogg");
    EXPECT_TRUE(Playing(0));
    player_.reset();
  }

  // A mood with nothing playable leaves the current music alone, unfaded.
  Start();
  shared_.SetMode(kMoodMainMenu, -1);
  Tick();
  shared_.SetMode(kMoodPiano, -1);
  Tick();
  Tick();
  ASSERT_EQ(player_->StreamCount(), 1);
  EXPECT_EQ(TrackName(0), "menu.ogg");
  EXPECT_EQ(player_->StreamAt(0)->fadeStart, kMusicNever);
}

TEST_F(Music, VolumeFollowsTheSettingWithinOnePass) {
  EXPECT_EQ(MusicAttenuationFor(1.0f), 0);
  EXPECT_EQ(MusicAttenuationFor(0.5f), -1500);
  EXPECT_EQ(MusicAttenuationFor(0.0099f), snd::DSBVOLUME_MIN);
  EXPECT_EQ(MusicAttenuationFor(0.01f), int32_t(0.01f * 3000 - 3000));

  AddTrack("MainMenu", "menu.ogg", SineOgg(22050, 3.0, 440));
  Start();
  shared_.volume.store(0.65f);
  shared_.SetMode(kMoodMainMenu, -1);
  Tick();
  int32_t v = 0;
  player_->StreamAt(0)->buffer->GetVolume(&v);
  EXPECT_EQ(v, int32_t(0.65f * 3000 - 3000));
  shared_.volume.store(0.5f);
  Tick();
  player_->StreamAt(0)->buffer->GetVolume(&v);
  EXPECT_EQ(v, -1500);
  shared_.volume.store(0.0f);
  Tick();
  player_->StreamAt(0)->buffer->GetVolume(&v);
  EXPECT_EQ(v, snd::DSBVOLUME_MIN);
}

TEST_F(Music, EmptyOrMissingFoldersMakeRequestsDoNothing) {
  Start();
  shared_.SetMode(kMoodMainMenu, -1);
  shared_.SetMode(kMoodSearch, -1);
  shared_.SetMode(7, -1);
  Tick();
  EXPECT_EQ(player_->StreamCount(), 0);
  EXPECT_EQ(BuffersCreated(), 0);
}

TEST_F(Music, StopMusicEndsTheThreadAndStoresTheVolume) {
  AddTrack("MainMenu", "menu.ogg", SineOgg(22050, 3.0, 440));
  SetSettingFloat("Sound", "Music volume", 0.4f);
  StartMusic();
  ASSERT_NE(GlobalMusicPlayer(), nullptr);
  EXPECT_TRUE(GlobalMusicShared().running.load());
  EXPECT_FLOAT_EQ(GetMusicVolume(), 0.4f);
  SetMusicMode(kMoodMainMenu);
  PublishMusicTime(1.0f);
  for (int i = 0; i < 50 && device_->LiveBufferCount() == 0; ++i) os::SleepMs(20);
  EXPECT_EQ(device_->LiveBufferCount(), 1);
  SetMusicVolume(0.25f);
  StopMusic();
  EXPECT_EQ(GlobalMusicPlayer(), nullptr);
  EXPECT_FALSE(GlobalMusicShared().running.load());
  EXPECT_EQ(device_->LiveBufferCount(), 0) << "the thread destroyed its streams before ending";
  EXPECT_FLOAT_EQ(GetSettingFloat("Sound", "Music volume", 0.65f), 0.25f);
  StopMusic();  // a second stop is harmless
}

}  // namespace
