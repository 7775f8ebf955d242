// The ambient sound table read from the venue map.
#include "audio/ambient_sounds.h"

#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "audio/audio_test_support.h"
#include "audio/sound_effects.h"
#include "data/pak_names.h"
#include "platform/os/host.h"

namespace {

using audiotest::SineWave;
using audiotest::SoundTest;

std::vector<uint8_t> Bytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

class AmbientSounds : public SoundTest {
 protected:
  void TearDown() override {
    FreeAmbientSounds();
    SoundTest::TearDown();
  }
  void WriteVenueMap(const std::string& xml) {
    audiotest::WritePak(os::JoinPath(root_, "Database.pak"),
                        {{"Search\\VenueMap\\VenueMap.xml", Bytes(xml)}});
  }
  bool EffectExists(const char* path) {
    for (CSoundEffect* e = FirstSoundEffect(); e; e = e->Next())
      if (pak::EqualsFolded(e->Path(), path)) return true;
    return false;
  }
};

TEST_F(AmbientSounds, ReadsVenuesAndSoundsInReverseOrderWithDefaults) {
  WriteSounds({{"Sounds\\Amb_Gulls.wav", SineWave(22050, 0.1, 800)}});
  WriteVenueMap(R"(<VenueMap>
  <!-- the office -->
  <Office VenueIndex="3">
    <AmbientSounds>
      <Sound FileName="Amb_Gulls.wav" MinInterval="5" MaxInterval="12" MinPitch="0.9" MaxPitch="1.1"
             MinVolume="0.4" MaxVolume="0.7" MinPan="-0.8" MaxPan="0.8"/>
      <Sound/>
      <Sound FileName="Amb_Missing.wav"/>
    </AmbientSounds>
  </Office>
  <Quiet VenueIndex="4"/>
  <Yard>
    <ambientsounds><Any FileName="Amb_Gulls.wav" MinPan="0.25"/></ambientsounds>
  </Yard>
</VenueMap>)");
  EXPECT_EQ(LoadAmbientSounds(), 0);
  const auto& table = AmbientTable();
  ASSERT_EQ(table.size(), 2u) << "a venue without AmbientSounds adds no entry";
  EXPECT_EQ(table[0].venueIndex, 0);
  ASSERT_EQ(table[0].sounds.size(), 1u);
  EXPECT_FLOAT_EQ(table[0].sounds[0].minPan, 0.25f);
  EXPECT_FLOAT_EQ(table[0].sounds[0].maxPan, 0.0f);

  EXPECT_EQ(table[1].venueIndex, 3);
  ASSERT_EQ(table[1].sounds.size(), 3u);
  const AmbientSound& bare = table[1].sounds[1];
  EXPECT_TRUE(bare.fileName.empty());
  EXPECT_FLOAT_EQ(bare.minInterval, 1.0f);
  EXPECT_FLOAT_EQ(bare.maxInterval, 10.0f);
  EXPECT_FLOAT_EQ(bare.minPitch, 1.0f);
  EXPECT_FLOAT_EQ(bare.maxPitch, 1.0f);
  EXPECT_FLOAT_EQ(bare.minVolume, 1.0f);
  EXPECT_FLOAT_EQ(bare.maxVolume, 1.0f);
  EXPECT_FLOAT_EQ(bare.minPan, 0.0f);
  EXPECT_FLOAT_EQ(bare.maxPan, 0.0f);
  const AmbientSound& gulls = table[1].sounds[2];
  EXPECT_EQ(gulls.fileName, "Amb_Gulls.wav");
  EXPECT_FLOAT_EQ(gulls.minInterval, 5.0f);
  EXPECT_FLOAT_EQ(gulls.maxInterval, 12.0f);
  EXPECT_FLOAT_EQ(gulls.minPitch, 0.9f);
  EXPECT_FLOAT_EQ(gulls.maxPitch, 1.1f);
  EXPECT_FLOAT_EQ(gulls.minVolume, 0.4f);
  EXPECT_FLOAT_EQ(gulls.maxVolume, 0.7f);
  EXPECT_FLOAT_EQ(gulls.minPan, -0.8f);
  EXPECT_FLOAT_EQ(gulls.maxPan, 0.8f);
  EXPECT_EQ(table[1].sounds[0].fileName, "Amb_Missing.wav");

  // Every named sound became an effect, loaded now; a sound without a name loads nothing.
  int effects = 0;
  for (CSoundEffect* e = FirstSoundEffect(); e; e = e->Next()) ++effects;
  EXPECT_EQ(effects, 2);
  EXPECT_TRUE(EffectExists("Sounds\\Amb_Gulls.wav"));
  EXPECT_TRUE(EffectExists("Sounds\\Amb_Missing.wav"));
  EXPECT_TRUE(GetSoundEffect("Amb_Gulls.wav")->HasBuffer());

  // The table is read once.
  WriteVenueMap("<VenueMap/>");
  EXPECT_EQ(LoadAmbientSounds(), 0);
  EXPECT_EQ(AmbientTable().size(), 2u);
}

TEST_F(AmbientSounds, MissingOrEmptyTableFails) {
  EXPECT_EQ(LoadAmbientSounds(), int(0x80004005u));
  WriteVenueMap("<VenueMap><A VenueIndex=\"1\"/></VenueMap>");
  EXPECT_EQ(LoadAmbientSounds(), int(0x80004005u));
  EXPECT_TRUE(AmbientTable().empty());
  WriteVenueMap("<VenueMap><A");
  EXPECT_EQ(LoadAmbientSounds(), int(0x80004005u));
}

TEST_F(AmbientSounds, VolumeIsReadOnEveryLoadAndStoredWhenFreed) {
  SetSettingFloat("Sound", "Ambient volume", 0.3f);
  LoadAmbientSounds();
  EXPECT_FLOAT_EQ(GetAmbientVolume(), 0.3f);
  SetAmbientVolume(0.6f);
  FreeAmbientSounds();
  EXPECT_FLOAT_EQ(GetSettingFloat("Sound", "Ambient volume", 0.45f), 0.6f);
}

}  // namespace
