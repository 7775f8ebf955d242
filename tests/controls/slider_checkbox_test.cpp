// Sliders and check boxes: the step and drag rule, notification only on change, toggling.
#include <gtest/gtest.h>

#include "controls/controls_test_fixture.h"
#include "ui/checkbox.h"
#include "ui/slider.h"

namespace controlstest {
namespace {

TEST(SliderRule, StepsInTheOuterTenthsAndDragsLinearlyBetween) {
  struct Row {
    float value, x;
    bool click, down;
    float want;
  };
  const float w = 300;
  const Row rows[] = {
      {0.5f, 0, true, true, 0.4f},        {0.5f, 30, true, true, 0.4f},   // left tenth, edge included
      {0.05f, 10, true, true, 0.0f},      {0.5f, 10, false, true, 0.5f},  // no click: no step
      {0.5f, 270, true, true, 0.6f},      {0.95f, 299, true, true, 1.0f},
      {0.5f, 51, false, true, 0.0f},      {0.5f, 249, false, true, 1.0f},  // 0.17 and 0.83 of the width
      {0.5f, 150, false, true, 0.5f},     {0.2f, 100, true, true, (100 - 51.0f) / 198.0f},
      {0.2f, 150, false, false, 0.2f},    {0.3f, 40, false, true, 0.0f},  // dragged past the track's start
      {0.3f, 100, false, true, 0.24747f},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(SliderValueAfter(r.value, r.x, w, r.click, r.down), r.want, 1e-4f)
        << r.value << " at " << r.x;
  }
  EXPECT_FLOAT_EQ(SliderValueAfter(0.3f, 10, 0, true, true), 0.3f);  // no width: nothing moves
}

class SliderCheckboxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    listener = new Listener;
  }
  Listener* listener = nullptr;
};

TEST_F(SliderCheckboxTest, SliderClicksStepByATenthAndNotifyOnlyOnChange) {
  auto* slider = new CSlider(9, listener);
  slider->SetScreenRect(ScreenRect(100, 100, 400, 140));  // 300 x 40
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.5f);
  EXPECT_FLOAT_EQ(slider->GetNaturalAspect(), 7.5f);
  for (int i = 1; i <= 5; ++i) {
    Click(110, 120);
    EXPECT_NEAR(slider->GetValue(), 0.5f - 0.1f * float(i), 1e-5f);
    EXPECT_EQ(listener->count, i);
    EXPECT_EQ(listener->lastSender, slider);
    EXPECT_EQ(listener->lastCode, 9);
  }
  Click(110, 120);  // already 0
  EXPECT_EQ(listener->count, 5);
  // Dragging in the middle follows the pointer while the button is held, once per change.
  RunUntil(world.Now() + 0.1f, 250, 120, true);
  EXPECT_NEAR(slider->GetValue(), 0.5f, 1e-3f);
  EXPECT_EQ(listener->count, 6);
  RunUntil(world.Now() + 0.1f, 300, 120, true);
  EXPECT_NEAR(slider->GetValue(), (200 - 51.0f) / 198.0f, 1e-3f);
  EXPECT_EQ(listener->count, 7);
  // Thumb: a square of the height on the track.
  const ScreenRect thumb = slider->ThumbRect();
  EXPECT_NEAR(thumb.Width(), 40, 1e-3f);
  EXPECT_NEAR(thumb.CenterX(), 100 + 51 + slider->GetValue() * 198, 1e-2f);
}

TEST_F(SliderCheckboxTest, CheckboxTogglesOnClickAndKeepsItsLabelInside) {
  listener->SetDepth(3);
  auto* box = new CCheckbox("ShowTips", 12, listener);
  EXPECT_EQ(box->GetLabel().Text(), "Show tips");
  EXPECT_FLOAT_EQ(box->GetDepth(), 4.0f);
  EXPECT_NEAR(box->GetNaturalAspect(), box->GetLabel().Aspect() * 0.5f + 1.25f, 1e-5f);
  box->SetScreenRect(ScreenRect::FromCenter(40 * box->GetNaturalAspect(), 40, 300, 300));
  EXPECT_FALSE(box->IsChecked());
  Click(box->GetScreenRect().left + 10, 300);
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(listener->lastCode, 12);
  Click(box->GetScreenRect().right - 5, 300);
  EXPECT_FALSE(box->IsChecked());
  EXPECT_EQ(listener->count, 2);
  EXPECT_EQ(world.Plays("Click.wav") + world.Plays("Rollover.wav"), 0);  // silent
  box->SetChecked(true);
  EXPECT_TRUE(box->IsChecked());

  // The label fills the room at half height, or shrinks whole when the sprite is too short.
  const ScreenRect fits = CCheckbox::LabelRect(ScreenRect(0, 0, 200, 40), 4.0f);
  EXPECT_NEAR(fits.left, 50, 1e-3f);
  EXPECT_NEAR(fits.Height(), 20, 1e-3f);
  EXPECT_NEAR(fits.Width(), 80, 1e-3f);
  const ScreenRect squeezed = CCheckbox::LabelRect(ScreenRect(0, 0, 100, 40), 4.0f);
  EXPECT_NEAR(squeezed.right, 100, 1e-3f);
  EXPECT_NEAR(squeezed.Width() / squeezed.Height(), 4.0f, 1e-3f);
  EXPECT_NEAR(squeezed.CenterY(), 20, 1e-3f);
}

}  // namespace
}  // namespace controlstest
