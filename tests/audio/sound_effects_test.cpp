// Sound effects on the null device: the registry, loading from the archive, and what a play request
// does to the buffer.
#include "audio/sound_effects.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/settings.h"
#include "audio/audio_test_support.h"

namespace {

using audiotest::SineWave;
using audiotest::SoundTest;

class SoundEffects : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    WriteSounds({{"Sounds\\Click.wav", SineWave(22050, 0.1, 1000)},
                 {"Sounds\\Stereo.wav", SineWave(11025, 0.2, 300, 2)},
                 {"Sounds\\Broken.wav", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}}});
  }
  // The last value a buffer received through a call of that name.
  int64_t Last(CSoundEffect* e, const char* method) {
    int id = device_->BufferId(e->SoundBuffer());
    int64_t value = INT64_MIN;
    for (const auto& c : device_->Calls())
      if (c.buffer == id && c.method == method) value = c.a;
    return value;
  }
  uint32_t Position(CSoundEffect* e) {
    uint32_t play = 0;
    e->SoundBuffer()->GetCurrentPosition(&play, nullptr);
    return play;
  }
  uint32_t Status(CSoundEffect* e) {
    uint32_t s = 0;
    e->SoundBuffer()->GetStatus(&s);
    return s;
  }
};

TEST_F(SoundEffects, NamesDifferingInCaseGiveOneEffectLoadedFromTheArchive) {
  CSoundEffect* a = GetSoundEffect("click.wav");
  CSoundEffect* b = GetSoundEffect("Click.wav");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->Path(), "Sounds\\click.wav");
  EXPECT_EQ(a->GetTypeId(), 49);
  ASSERT_TRUE(a->HasBuffer());
  EXPECT_EQ(a->SoundBuffer()->Size(), 2205u * 2);
  EXPECT_EQ(a->Format().samplesPerSec, 22050u);
  EXPECT_EQ(a->Format().channels, 1);

  // The buffer holds exactly the file's samples.
  std::vector<uint8_t> wave = SineWave(22050, 0.1, 1000);
  void* p = nullptr;
  uint32_t n = 0;
  ASSERT_EQ(a->SoundBuffer()->Lock(0, 0, &p, &n, nullptr, nullptr, snd::DSBLOCK_ENTIREBUFFER), snd::S_OK);
  EXPECT_EQ(std::memcmp(p, wave.data() + 44, n), 0);
  a->SoundBuffer()->Unlock(p, 0, nullptr, 0);

  CSoundEffect* stereo = GetSoundEffect("STEREO.WAV");
  EXPECT_NE(stereo, a);
  EXPECT_EQ(stereo->Format().channels, 2);
}

TEST_F(SoundEffects, ReplayingRestartsFromTheBeginningInsteadOfOverlapping) {
  CSoundEffect* e = GetSoundEffect("Click.wav");
  ASSERT_EQ(PlaySound(e, SoundParams{}), snd::S_OK);
  device_->AdvanceBytes(e->SoundBuffer(), 1000);
  EXPECT_EQ(Position(e), 1000u);
  device_->ClearCalls();
  ASSERT_EQ(PlaySound(e, SoundParams{}), snd::S_OK);
  EXPECT_EQ(Position(e), 0u);
  EXPECT_EQ(Status(e), snd::DSBSTATUS_PLAYING);
  std::vector<std::string> order;
  for (const auto& c : device_->Calls())
    if (c.method == "Stop" || c.method == "SetCurrentPosition" || c.method == "Play")
      order.push_back(c.method);
  EXPECT_EQ(order, (std::vector<std::string>{"Stop", "SetCurrentPosition", "Play"}));

  // A finished one-shot plays again from its start; StopSound rewinds.
  device_->AdvanceBytes(e->SoundBuffer(), 100000);
  EXPECT_EQ(Status(e), 0u);
  PlaySound(e, SoundParams{});
  device_->AdvanceBytes(e->SoundBuffer(), 400);
  StopSound(e);
  EXPECT_EQ(Status(e), 0u);
  EXPECT_EQ(Position(e), 0u);

  SoundParams loop;
  loop.loop = true;
  PlaySound(e, loop);
  EXPECT_EQ(Status(e), snd::DSBSTATUS_PLAYING | snd::DSBSTATUS_LOOPING);
}

TEST_F(SoundEffects, VolumeCurveThresholdAndTheGlobalVolume) {
  EXPECT_EQ(AttenuationFor(1.0f), 0);
  EXPECT_EQ(AttenuationFor(0.5f), -1500);
  EXPECT_EQ(AttenuationFor(0.02f), -2940);
  EXPECT_EQ(AttenuationFor(0.01f), snd::DSBVOLUME_MIN);
  EXPECT_EQ(AttenuationFor(3.0f), 0);

  CSoundEffect* e = GetSoundEffect("Click.wav");
  SoundParams p;
  p.volume = 0.5f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetVolume"), -1500);
  EXPECT_FLOAT_EQ(e->VolumeFactor(), 0.5f);

  // The effects volume multiplies the effect's own factor and reaches loaded effects at once.
  SetEffectsVolume(0.5f);
  EXPECT_EQ(Last(e, "SetVolume"), int64_t(0.25f * 3000 - 3000));
  SetEffectsVolume(0.005f);
  EXPECT_EQ(Last(e, "SetVolume"), snd::DSBVOLUME_MIN);
  p.volume = 1.0f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetVolume"), snd::DSBVOLUME_MIN);
  SetEffectsVolume(7.0f);
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 1.0f);
  p.volume = -2.0f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetVolume"), snd::DSBVOLUME_MIN);
  EXPECT_FLOAT_EQ(e->VolumeFactor(), 0.0f);
}

TEST_F(SoundEffects, PitchScalesTheFileRateAndPanIsInThousandths) {
  CSoundEffect* e = GetSoundEffect("Click.wav");
  SoundParams p;
  p.pitch = 2.0f;
  PlaySound(e, p);
  uint32_t hz = 0;
  e->SoundBuffer()->GetFrequency(&hz);
  EXPECT_EQ(hz, 44100u);
  p.pitch = 0.7f;  // truncated
  PlaySound(e, p);
  e->SoundBuffer()->GetFrequency(&hz);
  EXPECT_EQ(hz, uint32_t(0.7f * 22050.0));
  p.pitch = 1000.0f;  // beyond what the device plays: refused, the old rate stays
  EXPECT_EQ(PlaySound(e, p), snd::S_OK);
  e->SoundBuffer()->GetFrequency(&hz);
  EXPECT_EQ(hz, uint32_t(0.7f * 22050.0));

  p = SoundParams{};
  p.pan = -1.0f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetPan"), -1000);
  p.pan = 0.25f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetPan"), 250);
  p.pan = 9.0f;
  PlaySound(e, p);
  EXPECT_EQ(Last(e, "SetPan"), 1000);
}

TEST(SoundPan, PointerAndObjectPansClampToTheScreen) {
  EXPECT_FLOAT_EQ(PanForScreenX(0, 800), -1.0f);
  EXPECT_FLOAT_EQ(PanForScreenX(400, 800), 0.0f);
  EXPECT_FLOAT_EQ(PanForScreenX(600, 800), 0.5f);
  EXPECT_FLOAT_EQ(PanForScreenX(800, 800), 1.0f);
  EXPECT_FLOAT_EQ(PanForScreenX(-300, 800), -1.0f);
  EXPECT_FLOAT_EQ(PanForScreenX(100, 0), 0.0f);
  EXPECT_FLOAT_EQ(PanRelative(150, 100, 200), 0.5f);
  EXPECT_FLOAT_EQ(PanRelative(-900, 100, 200), -1.0f);
  EXPECT_FLOAT_EQ(PanRelative(150, 100, 0), 0.0f);
}

TEST_F(SoundEffects, MissingOrMalformedSoundsStaySilentAndBadHandlesFail) {
  CSoundEffect* missing = GetSoundEffect("Nowhere.wav");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->IsLoaded());
  EXPECT_FALSE(missing->HasBuffer());
  EXPECT_EQ(PlaySound(missing, SoundParams{}), snd::E_FAIL);
  CSoundEffect* broken = GetSoundEffect("Broken.wav");
  EXPECT_FALSE(broken->HasBuffer());
  EXPECT_EQ(PlaySound(broken, SoundParams{}), snd::E_FAIL);
  EXPECT_EQ(PlaySound(nullptr, SoundParams{}), snd::E_FAIL);
  EXPECT_EQ(PlaySound(reinterpret_cast<CSoundEffect*>(intptr_t(-1)), SoundParams{}), snd::E_FAIL);
  StopSound(nullptr);
  EXPECT_EQ(GetSoundEffect(nullptr), nullptr);
}

TEST_F(SoundEffects, LostBufferIsRestoredAndRefilledBeforePlaying) {
  CSoundEffect* e = GetSoundEffect("Click.wav");
  device_->LoseBuffer(e->SoundBuffer());
  ASSERT_EQ(PlaySound(e, SoundParams{}), snd::S_OK);
  std::vector<uint8_t> wave = SineWave(22050, 0.1, 1000);
  void* p = nullptr;
  uint32_t n = 0;
  ASSERT_EQ(e->SoundBuffer()->Lock(0, 0, &p, &n, nullptr, nullptr, snd::DSBLOCK_ENTIREBUFFER), snd::S_OK);
  EXPECT_EQ(std::memcmp(p, wave.data() + 44, n), 0);
  e->SoundBuffer()->Unlock(p, 0, nullptr, 0);
}

TEST_F(SoundEffects, WithoutADeviceThereAreNoEffects) {
  while (CSoundEffect* e = FirstSoundEffect()) delete e;
  ShutdownSound();
  EXPECT_EQ(GetSoundDevice(), nullptr);
  EXPECT_EQ(GetSoundEffect("Click.wav"), nullptr);
  // An effect made while sound was off loads at its first play once a device exists.
  CSoundEffect* early = new CSoundEffect("Click.wav");
  EXPECT_FALSE(early->IsLoaded());
  EXPECT_EQ(PlaySound(early, SoundParams{}), snd::E_FAIL);
  InitSoundWithDevice(device_);
  EXPECT_EQ(PlaySound(early, SoundParams{}), snd::S_OK);
}

TEST_F(SoundEffects, VolumeIsReadAtStartAndStoredAtShutdownButASilentRunKeepsIt) {
  ShutdownSound();
  SetSettingFloat("Sound", "SFX volume", 0.3f);
  InitSoundWithDevice(device_);
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 0.3f);
  SetEffectsVolume(0.8f);
  ShutdownSound();
  EXPECT_FLOAT_EQ(GetSettingFloat("Sound", "SFX volume", 1.0f), 0.8f);

  SetSettingFloat("Sound", "SFX volume", 0.4f);
  SelectSoundBackend(SoundBackend::kNone);
  EXPECT_EQ(InitSound(), 0);
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 0.4f);
  ShutdownSound();
  EXPECT_FLOAT_EQ(GetSettingFloat("Sound", "SFX volume", 1.0f), 0.4f);
  SelectSoundBackend(SoundBackend::kSdl);
  InitSoundWithDevice(device_);
}

}  // namespace
