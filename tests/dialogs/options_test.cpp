// The options dialog: what each control shows when it opens, that each one acts at once, and
// that the choices survive a restart through the settings store and the player's profile.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/settings.h"
#include "dialogs_fixture.h"
#include "platform/snd/null_device.h"
#include "player/game_state.h"
#include "scene/text_sprite.h"
#include "ui/checkbox.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"
#include "ui/slider.h"

namespace dialogstest {
namespace {

class OptionsTest : public DialogsTest {
 protected:
  COptionsDialog* Open() {
    COptionsDialog* d = OpenOptionsDialog(scene, scene);
    Settle();
    return d;
  }
  // Sets the slider and tells the dialog, as a drag does.
  static void Slide(COptionsDialog* d, int id, float value) {
    d->GetSlider(id)->SetValue(value);
    d->OnNotify(d->GetSlider(id), id);
  }
};

TEST_F(OptionsTest, ControlsShowTheCurrentSettings) {
  ASSERT_NE(SelectPlayer("Marlow"), nullptr);
  ClearFlag(kShowTipsFlag);
  SetEffectsVolume(0.3f);
  SetMusicVolume(0.6f);
  world.host.gamma = 1.2f;
  world.host.windowed = true;
  COptionsDialog* d = Open();
  EXPECT_EQ(OpenOptionsDialog(scene, scene), d);
  EXPECT_FLOAT_EQ(d->GetSlider(kCmdEffectsVolume)->GetValue(), 0.3f);
  EXPECT_FLOAT_EQ(d->GetSlider(kCmdMusicVolume)->GetValue(), 0.6f);
  EXPECT_NEAR(d->GetSlider(kCmdBrightness)->GetValue(), 0.3f, 1e-6f);
  EXPECT_FALSE(d->GetCheckbox(kCmdFullScreen)->IsChecked());
  EXPECT_FALSE(d->GetCheckbox(kCmdShowTips)->IsChecked());
  // Brightness works in a window too: its row shows.
  EXPECT_EQ(d->GetBrightnessLabel()->GetId(), kBrightnessLabelId);
  EXPECT_GT(d->GetBrightnessLabel()->GetEffectiveOpacity(), 0.99f);
  EXPECT_GT(d->GetSlider(kCmdBrightness)->GetEffectiveOpacity(), 0.99f);
  EXPECT_EQ(d->GetBrightnessLabel()->GetColor(), 0xFFFFEA80u);
  EXPECT_EQ(d->GetCheckbox(kCmdShowTips)->GetNormalLabelColor(), 0xFFFFEA80u);
  // After a switch of display mode the device is restored: the box follows the mode.
  world.host.windowed = false;
  d->RestoreDeviceObjects(device_);
  EXPECT_TRUE(d->GetCheckbox(kCmdFullScreen)->IsChecked());
}

TEST_F(OptionsTest, EachControlTakesEffectAtOnce) {
  ASSERT_NE(SelectPlayer("Marlow"), nullptr);
  SetFlag(kShowTipsFlag);
  CSoundEffect* loaded = GetSoundEffect("Click.wav");
  ASSERT_NE(loaded, nullptr);
  COptionsDialog* d = Open();

  Slide(d, kCmdEffectsVolume, 0.4f);
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 0.4f);
  int32_t attenuation = 1;
  ASSERT_NE(loaded->SoundBuffer(), nullptr);
  loaded->SoundBuffer()->GetVolume(&attenuation);
  EXPECT_EQ(attenuation, AttenuationFor(0.4f * loaded->VolumeFactor()));

  Slide(d, kCmdMusicVolume, 0.25f);
  EXPECT_FLOAT_EQ(GetMusicVolume(), 0.25f);

  const std::pair<float, float> brightness[] = {{0.0f, 1.5f}, {1.0f, 0.5f}, {0.7f, 0.8f}};
  for (auto [value, gamma] : brightness) {
    Slide(d, kCmdBrightness, value);
    EXPECT_NEAR(world.host.gamma, gamma, 1e-5f);
  }

  CCheckbox* full = d->GetCheckbox(kCmdFullScreen);
  ClickOn(full);
  ClickOn(full);
  EXPECT_EQ(world.host.fullScreenRequests, (std::vector<bool>{true, false}));

  CCheckbox* tips = d->GetCheckbox(kCmdShowTips);
  ASSERT_TRUE(tips->IsChecked());
  ClickOn(tips);
  EXPECT_FALSE(TestFlag(kShowTipsFlag));
  ClickOn(tips);
  EXPECT_TRUE(TestFlag(kShowTipsFlag));

  // "Back" closes with 1230 to the owner; the controls then act no more.
  ClickOn(d->GetBackButton());
  EXPECT_EQ(scene->codes, std::vector<int>{kCodeOptionsClosed});
  Slide(d, kCmdEffectsVolume, 0.9f);
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 0.4f);
  d->OnEscape();
  EXPECT_EQ(scene->codes.size(), 1u);
  RunUntil(world.Now() + 0.6f);
  EXPECT_EQ(GetOptionsDialog(), nullptr);
}

TEST_F(OptionsTest, ChoicesSurviveARestart) {
  ASSERT_NE(SelectPlayer("Marlow"), nullptr);
  SetFlag(kShowTipsFlag);
  ASSERT_NE(SelectPlayer("Tamsin"), nullptr);
  SetFlag(kShowTipsFlag);
  COptionsDialog* d = Open();
  Slide(d, kCmdEffectsVolume, 0.2f);
  Slide(d, kCmdMusicVolume, 0.7f);
  ClickOn(d->GetCheckbox(kCmdShowTips));
  d->OnEscape();
  RunUntil(world.Now() + 0.6f);

  // What the shell does at exit, then at the next start.
  StopMusic();
  ShutdownSound();
  ClosePlayer();
  EXPECT_FLOAT_EQ(GetSettingFloat("Sound", "Music volume", -1), 0.7f);
  SetEffectsVolume(1.0f);
  snd::NullDevice* again = nullptr;
  ASSERT_EQ(snd::CreateNullDevice(&again), snd::S_OK);
  ASSERT_EQ(InitSoundWithDevice(again), 1);
  again->Release();
  EXPECT_FLOAT_EQ(GetEffectsVolume(), 0.2f);

  // Each player keeps the tips choice they left.
  ASSERT_NE(SelectPlayer("Marlow"), nullptr);
  d = Open();
  EXPECT_TRUE(d->GetCheckbox(kCmdShowTips)->IsChecked());
  d->OnEscape();
  RunUntil(world.Now() + 0.6f);
  ASSERT_NE(SelectPlayer("Tamsin"), nullptr);
  d = Open();
  EXPECT_FALSE(d->GetCheckbox(kCmdShowTips)->IsChecked());
}

}  // namespace
}  // namespace dialogstest
