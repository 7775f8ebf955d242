// The pure rules behind push buttons: styles, label and glow rectangles, the disabled wipe, the
// hover frame arithmetic and where a button's tooltip goes.
#include <gtest/gtest.h>

#include <cmath>

#include "ui/button_style.h"
#include "ui/control_hover.h"

namespace {

testing::AssertionResult Near(const ScreenRect& got, const ScreenRect& want, float tol = 1e-3f) {
  const float d[4] = {got.left - want.left, got.top - want.top, got.right - want.right,
                      got.bottom - want.bottom};
  for (float v : d)
    if (!(std::fabs(v) <= tol))
      return testing::AssertionFailure()
             << "got (" << got.left << "," << got.top << "," << got.right << "," << got.bottom << ") want ("
             << want.left << "," << want.top << "," << want.right << "," << want.bottom << ")";
  return testing::AssertionSuccess();
}

TEST(ButtonStyle, TableOfPicturesFontsAndColours) {
  struct Row {
    uint32_t style;
    const char* picture;
    float aspect;
    const char* font;
    uint32_t normal, hovered;
  };
  const Row rows[] = {
      {0, nullptr, 0, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {1, "GUI\\Button1.png", 2.94f, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {2, "GUI\\Button2.png", 3.63f, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {3 | kButtonGlow, "GUI\\BackButton.png", 2.0f, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {4, "GUI\\CameraButton.png", 1.0f, "GoldFlat", 0xFF000000, 0xFF000000},
      {5 | kButtonTooltipFont, "GUI\\CameraButtonWide.png", 3.0f, "Tooltip", 0xFF000000, 0xFF000000},
      {6, "GUI\\UpButton.png", 1.0f, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {7, "GUI\\DownButton.png", 1.0f, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {9, nullptr, 0, "VictorianLET", 0xFFFFFFFF, 0xFFFFFF00},
      {15 | kButtonTooltipFont, nullptr, 0, "Tooltip", 0xFFFFFFFF, 0xFFFFFF00},
  };
  for (const Row& r : rows) {
    const ButtonStyleInfo& info = ButtonStyleFor(r.style);
    EXPECT_STREQ(info.picture, r.picture) << r.style;
    EXPECT_FLOAT_EQ(info.naturalAspect, r.aspect) << r.style;
    EXPECT_STREQ(ButtonFontFor(r.style), r.font) << r.style;
    EXPECT_EQ(info.normalColor, r.normal) << r.style;
    EXPECT_EQ(info.hoveredColor, r.hovered) << r.style;
    EXPECT_EQ(ButtonHasPicture(r.style), r.picture != nullptr) << r.style;
  }
}

TEST(ButtonStyle, LabelIsCentredAndLimitedByTheStyle) {
  const ScreenRect button(100, 50, 394, 150);  // 294 x 100
  struct Row {
    uint32_t style;
    float labelAspect;
    float width, height;
  };
  const Row rows[] = {
      {1, 2.0f, 123.0f, 61.5f},   // narrower than the limit: its own aspect
      {1, 5.0f, 206.64f, 61.5f},  // clamped to 3.36
      {2, 9.0f, 279.169f, 61.9f}, {4, 3.0f, 120.8f, 80.0f},
      {6, 4.0f, 100.0f, 100.0f},  {0, 7.0f, 294.0f, 100.0f},  // label only: the whole button
      {12, 0.5f, 294.0f, 100.0f},
  };
  for (const Row& r : rows) {
    const ScreenRect got = ButtonLabelRect(button, r.style, r.labelAspect);
    EXPECT_NEAR(got.Width(), r.width, 0.01f) << r.style << " " << r.labelAspect;
    EXPECT_NEAR(got.Height(), r.height, 0.01f) << r.style;
    EXPECT_NEAR(got.CenterX(), button.CenterX(), 1e-3f);
    EXPECT_NEAR(got.CenterY(), button.CenterY(), 1e-3f);
  }
}

TEST(ButtonStyle, GlowRectAndPulse) {
  EXPECT_TRUE(Near(ButtonGlowRect(ScreenRect(100, 100, 200, 150)), ScreenRect(80, 80, 220, 170)));
  const float peak = float(M_PI / 6.0);  // sin(3t) = 1
  EXPECT_EQ(ButtonGlowColor(peak, 1.0f), 0xFFFFFFFFu);
  EXPECT_EQ(ButtonGlowColor(peak, 0.5f), 0xFF7F7F7Fu);
  EXPECT_EQ(ButtonGlowColor(0.0f, 1.0f), 0xFF000000u);
}

TEST(ButtonStyle, DisabledWipeShrinksToTheRightAndEndsInExactlyOneFrame) {
  EXPECT_FLOAT_EQ(DisabledFraction(10, 10, 30), 1.0f);
  EXPECT_FLOAT_EQ(DisabledFraction(25, 10, 30), 0.5f);
  EXPECT_FLOAT_EQ(DisabledFraction(40, 10, 30), 0.0f);
  EXPECT_FLOAT_EQ(DisabledFraction(5, 10, 30), 1.0f);
  EXPECT_FLOAT_EQ(DisabledFraction(10, 10, 0), 0.0f);  // no period: no overlay, no division by zero
  for (float step : {1.0f / 60.0f, 1.0f / 7.0f, 0.5f}) {
    int ends = 0;
    float prev = 0.0f;
    for (float t = step; t < 45.0f; t += step) {
      ends += DisabledEndsThisFrame(t, 3.0f, 30.0f, t - prev) ? 1 : 0;
      prev = t;
    }
    EXPECT_EQ(ends, 1) << "frame step " << step;
  }
  int never = 0;
  for (float t = 0; t < 5; t += 0.1f) never += DisabledEndsThisFrame(t, -3.4028235e38f, 30.0f, 0.1f) ? 1 : 0;
  EXPECT_EQ(never, 0);
}

TEST(ControlHover, FramesOfHoverAndRollover) {
  // Hit tests run at counter n; Update and Render see n + 1.
  EXPECT_TRUE(HoveredThisFrame(41, 42));
  EXPECT_FALSE(HoveredThisFrame(42, 42));
  EXPECT_FALSE(HoveredThisFrame(40, 42));
  EXPECT_FALSE(HoveredThisFrame(-1, 0));  // never hovered, even before the first frame
  struct Row {
    int last;
    uint32_t now;
    bool due;
  };
  const Row rows[] = {{-1, 0, true},  {-1, 5, true}, {9, 10, false},
                      {8, 10, false}, {7, 10, true}, {10, 10, false}};
  for (const Row& r : rows) EXPECT_EQ(RolloverSoundDue(r.last, r.now), r.due) << r.last << " " << r.now;
}

TEST(ButtonTooltip, RectangleForEachPlacementAndLineCount) {
  const ScreenRect button(300, 100, 400, 140);  // 100 x 40, centre 350
  const ScreenRect scene(0, 0, 800, 600);
  struct Row {
    uint32_t flags;
    int lines;
    ScreenRect want;
  };
  const Row rows[] = {
      {0, 1, ScreenRect(0, 150, 700, 150 + 40.0f)},       // half width = 350 to the left edge
      {0, 2, ScreenRect(0, 150, 700, 150 + 40 * 1.67f)},  // two lines
      {kTooltipLeftAligned, 2, ScreenRect(412.5f, 100, 1212.5f, 140)},
      {kTooltipRightAligned, 1, ScreenRect(-512.5f, 100, 287.5f, 140)},
      {kTooltipLeftAligned | kTooltipOneLine, 1, ScreenRect(412.5f, 100, 1212.5f, 140)},
  };
  for (const Row& r : rows) {
    EXPECT_TRUE(Near(ButtonTooltipRect(button, r.flags, r.lines, scene, 800), r.want)) << std::hex << r.flags;
  }
  // The scene's nearer edge bounds the width: a button near the right edge gets a narrow one.
  const ScreenRect right = ButtonTooltipRect(ScreenRect(700, 10, 780, 30), 0, 1, scene, 800);
  EXPECT_NEAR(right.left, 680, 1e-3f);
  EXPECT_NEAR(right.right, 800, 1e-3f);
  // A button outside the scene gets no negative width.
  EXPECT_GE(ButtonTooltipRect(ScreenRect(900, 10, 950, 30), 0, 1, scene, 800).Width(), 0.0f);
}

}  // namespace
