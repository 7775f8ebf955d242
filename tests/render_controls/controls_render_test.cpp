// Every control drawn by the GL device with the built art and fonts, for a person to look at:
// each button style at rest, hovered and recharging; check boxes, a slider and an edit field with
// its caret; tooltips of one and two lines. Pixel checks make sure each part left ink where it
// should.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/support/controls_world.h"
#include "fonts/scene_gl.h"
#include "scene/input.h"
#include "ui/button_style.h"
#include "ui/checkbox.h"
#include "ui/edit_control.h"
#include "ui/pushbutton.h"
#include "ui/slider.h"
#include "ui/tooltip.h"

namespace {

using controlstest::World;
constexpr uint32_t kBackdrop = 0xFF2A1E16;  // a dark panelled wall
constexpr int kW = 800, kH = 600;

class ControlsRender : public testing::Test {
 protected:
  void SetUp() override {
    if (!controlstest::UseControlArchives() || !controlstest::HaveBuiltArt())
      GTEST_SKIP() << "the build has not made the fonts and interface art";
    if (!scene.Open(kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    world.Open(scene.dev, kW, kH);
    opened = true;
  }
  void TearDown() override {
    if (opened) world.Close();
    scene.Close();
  }
  // Marks a control as hovered in this frame's hit test.
  static void Hover(CSprite* s) { s->SetLastHoveredFrame(int(GetFrameCount()) - 1); }
  // Pixels of the box that are yellowish (the hovered label colour).
  static int Yellow(const gfx::Image& img, const ScreenRect& r) {
    int n = 0;
    for (int y = int(r.top); y < int(r.bottom); ++y)
      for (int x = int(r.left); x < int(r.right); ++x) {
        const uint32_t p = scenegl::At(img, x, y);
        const int red = int(p >> 16 & 0xFF), green = int(p >> 8 & 0xFF), blue = int(p & 0xFF);
        n += red > 200 && green > 200 && blue < 90;
      }
    return n;
  }

  scenegl::Scene scene;
  World world;
  bool opened = false;
};

TEST_F(ControlsRender, EveryButtonStyleAtRestHoveredAndRecharging) {
  struct Row {
    uint32_t style;
    const char* key;
    float height;
  };
  const Row rows[] = {
      {1 | kButtonGlow, "Play", 56},
      {2, "Options", 46},
      {kButtonBackStyle, nullptr, 40},
      {4, "Digit", 48},
      {5, "Snap", 48},
      {6, nullptr, 48},
      {7, nullptr, 48},
      {0, "Fullscreen", 34},
  };
  world.Frame(0.1f, 5, 5);
  std::vector<CPushbutton*> hovered, disabled;
  float top = 14;
  for (const Row& r : rows) {
    for (int column = 0; column < 3; ++column) {
      auto* b = new CPushbutton(r.key, 1, r.style, nullptr, nullptr);
      const float w = r.height * b->GetNaturalAspect();
      b->SetScreenRect(ScreenRect::FromCenter(w, r.height, 150 + 250 * column, top + r.height / 2));
      if (column == 1) hovered.push_back(b);
      if (column == 2) {
        b->Disable(1.0f);
        disabled.push_back(b);
      }
    }
    top += r.height + 22;
  }
  world.Frame(0.6f, 5, 5);  // halfway through the recharge; the glow near its peak
  for (CPushbutton* b : hovered) Hover(b);
  const gfx::Image img = scene.Frame(kBackdrop, "controls_buttons.png");

  for (size_t i = 0; i < hovered.size(); ++i) {
    const ScreenRect r = hovered[i]->GetScreenRect();
    const float share = rows[i].style == 0 ? 0.1f : 0.5f;  // a bare label leaves more of the wall
    EXPECT_GT(scenegl::CountInk(img, int(r.left), int(r.top), int(r.right), int(r.bottom), kBackdrop),
              int(r.Width() * r.Height() * share))
        << "style " << rows[i].style;
  }
  // White labels turn yellow under the pointer.
  EXPECT_GT(Yellow(img, hovered[0]->GetScreenRect()), 20);
  EXPECT_EQ(Yellow(img, disabled[0]->GetScreenRect().Scale(0.5f)), 0);
  // The recharge overlay covers the right half: darker there than on the resting button.
  auto brightness = [&](const ScreenRect& r, float fx) {
    const uint32_t p = scenegl::At(img, int(r.left + fx * r.Width()), int(r.CenterY()));
    return int(p >> 16 & 0xFF) + int(p >> 8 & 0xFF) + int(p & 0xFF);
  };
  const ScreenRect wide = disabled[4]->GetScreenRect();  // the ivory wide camera key
  EXPECT_LT(brightness(wide, 0.9f), brightness(wide, 0.1f) - 150);
}

TEST_F(ControlsRender, CheckBoxesSliderAndEditFieldWithCaret) {
  auto* owner = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  auto* plain = new CCheckbox("ShowTips", 1, owner);
  plain->SetScreenRect(ScreenRect::FromCenter(44 * plain->GetNaturalAspect(), 44, 220, 60));
  auto* ticked = new CCheckbox("Fullscreen", 2, owner);
  ticked->SetScreenRect(ScreenRect::FromCenter(44 * ticked->GetNaturalAspect(), 44, 560, 60));
  ticked->SetChecked(true);
  auto* slider = new CSlider(3, owner);
  slider->SetScreenRect(ScreenRect::FromCenter(60 * 7.5f, 60, 400, 190));
  slider->SetValue(0.3f);
  auto* edit = new CEditControl("Inspector", "GoldFlat", 15);
  edit->Attach(owner, 0);
  edit->SetScreenRect(ScreenRect::FromCenter(90 * 4.85f, 90, 400, 330));
  edit->SetDepth(5);
  edit->OnKey(kEditKeyLeft);
  edit->OnKey(kEditKeyLeft);
  world.Frame(2.1f, 5, 5);  // the caret is lit for the first half of each second
  Hover(ticked);
  const gfx::Image img = scene.Frame(kBackdrop, "controls_checkbox_slider_edit.png");

  EXPECT_GT(Yellow(img, CCheckbox::LabelRect(ticked->GetScreenRect(), ticked->GetLabel().Aspect())), 10);
  EXPECT_EQ(Yellow(img, CCheckbox::LabelRect(plain->GetScreenRect(), plain->GetLabel().Aspect())), 0);
  const ScreenRect thumb = slider->ThumbRect();
  EXPECT_GT(
      scenegl::CountInk(img, int(thumb.left), int(thumb.top), int(thumb.right), int(thumb.bottom), kBackdrop),
      int(thumb.Width() * thumb.Height() * 0.6f));
  // The caret: a bright bar three pixels wide at its place in the text.
  const ScreenRect text = edit->TextRect();
  const int cx = int(std::lround(edit->CaretX())) + 1;
  int lit = 0;
  for (int y = int(text.top) + 2; y < int(text.bottom) - 2; ++y)
    lit += (scenegl::At(img, cx, y) & 0xFF) > 200;
  EXPECT_GT(lit, int(text.Height() * 0.7f));
}

TEST_F(ControlsRender, TooltipsOfOneAndTwoLines) {
  auto* wall = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  (void)wall;
  ShowTooltip(ScreenRect(100, 60, 700, 100), "Lantern Street", kTooltipOneLine | kTooltipSticky);
  ShowTooltip(ScreenRect(150, 160, 650, 160 + 40 * 1.67f), "TipTwo", kTooltipSticky);
  auto* button = new CPushbutton("Play", 4, 2, nullptr, nullptr);
  button->SetScreenRect(ScreenRect::FromCenter(46 * 3.63f, 46, 180, 400));
  button->SetTooltip("TipOne", kTooltipLeftAligned);
  world.Frame(0.1f, 180, 400);
  world.Frame(0.5f, 180, 400);  // grown in full
  world.Frame(0.52f, 180, 400);
  ASSERT_EQ(CountTooltips(), 3);
  const gfx::Image img = scene.Frame(kBackdrop, "controls_tooltips.png");
  for (CTooltip* t = FirstTooltip(); t; t = t->Next()) {
    const ScreenRect r = t->GetScreenRect();
    // Parchment fills the frame; the dark text sits on it.
    const uint32_t mid = scenegl::At(img, int(r.left + 4 + r.Width() * 0.02f), int(r.CenterY()));
    EXPECT_GT(int(mid >> 16 & 0xFF), 180) << t->GetText();
    EXPECT_GT(scenegl::CountInk(img, int(r.left), int(r.top), int(r.right), int(r.bottom), 0xFFF3E3C0, 90),
              50)
        << t->GetText();
    EXPECT_LE(r.right, float(kW));
  }
}

}  // namespace
