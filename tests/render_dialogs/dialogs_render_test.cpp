// The in-game menu, the options dialog and every kind of message box drawn by the GL device over
// a painted scene, with the built frame, night sky, buttons and fonts, for a person to look at.
// Pixel checks make sure the frame, the sky, the text and the buttons left their marks.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/support/dialogs_world.h"
#include "flow/environment.h"
#include "fonts/scene_gl.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"
#include "ui/checkbox.h"
#include "ui/game_dialog.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"
#include "ui/slider.h"

namespace {

using dialogstest::World;
constexpr int kW = 1024, kH = 768;

struct Tally {
  int gold = 0, sky = 0, pixels = 0;
};

// Pale gold text and blue-black night sky inside r.
Tally Count(const gfx::Image& img, const ScreenRect& r) {
  Tally t;
  for (int y = std::max(0, int(r.top)); y < std::min(img.height, int(r.bottom)); ++y)
    for (int x = std::max(0, int(r.left)); x < std::min(img.width, int(r.right)); ++x) {
      const uint32_t p = scenegl::At(img, x, y);
      const int red = int(p >> 16 & 0xFF), green = int(p >> 8 & 0xFF), blue = int(p & 0xFF);
      t.gold += red > 200 && green > 190 && blue < 170 && red > blue + 60;
      t.sky += blue > red + 8 && red < 90;
      ++t.pixels;
    }
  return t;
}

class DialogsRender : public testing::Test {
 protected:
  void SetUp() override {
    if (!dialogstest::UseDialogArchives() || !dialogstest::HaveDialogArt())
      GTEST_SKIP() << "the build has not made the fonts and the dialog art";
    if (!scene.Open(kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    world.Open(scene.dev, kW, kH);
    opened = true;
    env = world.MakeScene();
  }
  void TearDown() override {
    if (opened) world.Close();
    scene.Close();
  }
  // Frames until the pop-in is over, the pointer parked in a corner.
  void Settle() {
    const float end = world.Now() + 0.8f;
    for (float t = world.Now() + 0.05f; t < end; t += 0.05f) world.Frame(t, 2, 2);
  }
  // The frame's border and the sky in its interior, and the scene still showing round it.
  void ExpectFramedSky(const gfx::Image& img, CDialogScaledFrame* d) {
    const ScreenRect r = d->GetScreenRect();
    const ScreenRect inner = d->GetInteriorRect().Scale(0.9f);
    const Tally sky = Count(img, inner);
    EXPECT_GT(sky.sky, sky.pixels / 3) << "night sky in the interior";
    const float b = d->GetBorderThickness();
    const ScreenRect edge(r.left + b * 0.3f, r.top + b * 0.05f, r.right - b * 0.3f, r.top + b * 0.3f);
    EXPECT_LT(Count(img, edge).sky, Count(img, edge).pixels / 4) << "the border covers the top edge";
  }

  scenegl::Scene scene;
  World world;
  CEnvironment* env = nullptr;
  bool opened = false;
};

TEST_F(DialogsRender, InGameMenuOverAScene) {
  CGameDialog* menu =
      OpenGameDialog(env, kGameDialogOptions | kGameDialogResume | kGameDialogMainMenu | kGameDialogHelp);
  Settle();
  const gfx::Image img = scene.Frame(0xFF000000, "dialogs_game_menu.png");
  ExpectFramedSky(img, menu);
  for (int id : {kCmdOptions, kCmdResumeGame, kCmdHelp, kCmdMainMenu})
    EXPECT_GT(Count(img, menu->GetButton(id)->GetScreenRect()).gold, 40) << id;
  // The scene still shows beside the menu.
  EXPECT_LT(Count(img, ScreenRect(0, 0, 120, float(kH))).sky, 120 * kH / 2);
}

TEST_F(DialogsRender, OptionsDialogOverAScene) {
  world.host.windowed = false;
  world.host.gamma = 1.1f;
  COptionsDialog* options = OpenOptionsDialog(env, env);
  options->GetSlider(kCmdMusicVolume)->SetValue(0.8f);
  Settle();
  const gfx::Image img = scene.Frame(0xFF000000, "dialogs_options.png");
  const ScreenRect r = options->GetScreenRect();
  EXPECT_GT(Count(img, r).pixels, 0);
  EXPECT_GT(Count(img, options->GetBrightnessLabel()->GetScreenRect()).gold, 30);
  for (int id : {kCmdFullScreen, kCmdShowTips})
    EXPECT_GT(Count(img, options->GetCheckbox(id)->GetScreenRect()).gold, 20) << id;
  for (int id : {kCmdEffectsVolume, kCmdMusicVolume, kCmdBrightness}) {
    const ScreenRect thumb = options->GetSlider(id)->ThumbRect();
    EXPECT_GT(scenegl::CountInk(img, int(thumb.left), int(thumb.top), int(thumb.right), int(thumb.bottom),
                                0xFF0A0F24, 40),
              int(thumb.Width() * thumb.Height() * 0.3f))
        << id;
  }
  EXPECT_GT(Count(img, options->GetBackButton()->GetScreenRect()).pixels, 0);
}

TEST_F(DialogsRender, EveryMessageBoxKind) {
  struct Case {
    int kind;
    const char* key;
    const char* capture;
  };
  const Case cases[] = {
      {kBoxClickAnywhere, "RandomClickPenalty", "dialogs_box_click_anywhere.png"},
      {kBoxContinue, "InventoryTutorial", "dialogs_box_continue.png"},
      {kBoxYesNo, "ConfirmSkip", "dialogs_box_yes_no.png"},
      {kBoxOk, "NoMoreMatches", "dialogs_box_ok.png"},
      {kBoxNoButtons, "NotAMatch", "dialogs_box_no_buttons.png"},
      {kBoxStart, "SlidePuzzleIntro", "dialogs_box_start.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capture);
    auto* box = new CMessageBox(c.key, "VictorianLET", 0.05f, env, c.kind);
    Settle();
    const gfx::Image img = scene.Frame(0xFF000000, c.capture);
    ExpectFramedSky(img, box);
    EXPECT_GT(Count(img, box->GetText()->GetScreenRect()).gold, 100);
    for (CGameObject* b = box->FindChild(TypeId::kPushbutton); b; b = b->NextSibling(TypeId::kPushbutton)) {
      const ScreenRect br = static_cast<CSprite*>(b)->GetScreenRect();
      EXPECT_GT(
          scenegl::CountInk(img, int(br.left), int(br.top), int(br.right), int(br.bottom), 0xFF0A0F24, 40),
          int(br.Width() * br.Height() * 0.3f));
    }
    delete box;
  }
}

TEST_F(DialogsRender, ParchmentInterior) {
  auto* frame = new CDialogScaledFrame();
  frame->Attach(env, 0);
  frame->SetInteriorStyle(kInteriorParchment);
  frame->SetScreenRect(ScreenRect::FromCenter(560, 420, kW / 2.0f, kH / 2.0f));
  frame->Layout();
  frame->SetDepthRecursive(GetTopDepth() + 1);
  frame->ShowAnimated();
  Settle();
  const gfx::Image img = scene.Frame(0xFF000000, "dialogs_parchment.png");
  const ScreenRect inner = frame->GetInteriorRect().Scale(0.8f);
  const uint32_t mid = scenegl::At(img, int(inner.CenterX()), int(inner.CenterY()));
  EXPECT_GT(int(mid >> 16 & 0xFF), 170) << std::hex << mid;  // warm light paper
  EXPECT_EQ(Count(img, inner).sky, 0);
}

}  // namespace
