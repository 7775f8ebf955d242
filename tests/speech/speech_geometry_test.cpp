// The numbers behind balloons, corners and popup pictures, and the shared fade.
#include "ui/speech_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ui/speech_fade.h"

namespace {

using speech::FadeEvent;
using speech::FadeState;

testing::AssertionResult Near(const ScreenRect& got, const ScreenRect& want, float tol = 1e-3f) {
  const float d[5] = {got.left - want.left, got.top - want.top, got.right - want.right,
                      got.bottom - want.bottom, got.angle - want.angle};
  for (float v : d) {
    if (!(std::fabs(v) <= tol)) {
      return testing::AssertionFailure()
             << "got (" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom << ", "
             << got.angle << ") want (" << want.left << ", " << want.top << ", " << want.right << ", "
             << want.bottom << ", " << want.angle << ")";
    }
  }
  return testing::AssertionSuccess();
}

TEST(SpeechGeometry, TextBalloonsGrowAwayFromTheirAnchor) {
  // Client height 1000: g = 13, a line is 30 high.
  struct Case {
    int lines;
    float aspect;
    bool mirrored;
    ScreenRect balloon, content;
  };
  const Case cases[] = {
      // 1 line of aspect 4: text 120 x 30; balloon 13 + 120 + 35.88 wide, 13 + 30 + 33.93 high.
      {1,
       4.0f,
       false,
       {500 - 168.88f, 100, 500, 176.93f},
       {500 - 168.88f + 13, 133.93f, 500 - 35.88f, 163.93f}},
      {1, 4.0f, true, {500, 100, 668.88f, 176.93f}, {535.88f, 133.93f, 655.88f, 163.93f}},
      // 3 lines of block aspect 2: text 180 x 90.
      {3, 2.0f, false, {500 - 228.88f, 100, 500, 236.93f}, {500 - 228.88f + 13, 133.93f, 464.12f, 223.93f}},
      // No lines and a broken aspect still give a sane (empty) text area.
      {0, NAN, false, {500 - 48.88f, 100, 500, 176.93f}, {464.12f, 133.93f, 464.12f, 163.93f}},
  };
  for (const Case& c : cases) {
    const speech::BalloonLayout l = speech::LayoutTextBalloon(500, 100, c.lines, c.aspect, 1000, c.mirrored);
    EXPECT_TRUE(Near(l.balloon, c.balloon)) << c.lines << " lines, mirrored " << c.mirrored;
    EXPECT_TRUE(Near(l.content, c.content)) << c.lines << " lines, mirrored " << c.mirrored;
  }
}

TEST(SpeechGeometry, PictureBalloonsAndGrowthStart) {
  // h 0.2 of 1000 = 200 high, aspect 1.5 = 300 wide, g = 13; always to the left of the anchor.
  const speech::BalloonLayout l = speech::LayoutPictureBalloon(900, 50, 0.2f, 1.5f, 1000);
  EXPECT_TRUE(Near(l.balloon, ScreenRect(900 - 348.88f, 50, 900, 50 + 246.93f)));
  EXPECT_TRUE(Near(l.content, ScreenRect(900 - 335.88f, 83.93f, 900 - 35.88f, 283.93f)));
  // A tenth of the size, in the anchor corner.
  EXPECT_TRUE(
      Near(speech::GrowthStartRect(ScreenRect(100, 50, 300, 150), false), ScreenRect(280, 50, 300, 60)));
  EXPECT_TRUE(
      Near(speech::GrowthStartRect(ScreenRect(100, 50, 300, 150), true), ScreenRect(100, 50, 120, 60)));
}

TEST(SpeechGeometry, NinePatchBordersShrinkOnlyWhenTheyDoNotFit) {
  struct Case {
    float w, h;
    std::array<float, 4> x, y;
  };
  const Case cases[] = {
      {200, 100, {-1, -0.9f, 0.7f, 1}, {-1, -0.4f, 0.8f, 1}},  // borders 10/30 across, 30/10 down
      {20, 20, {-1, -0.5f, -0.5f, 1}, {-1, 0.5f, 0.5f, 1}},    // 40 of border in 20: halved
      {0, 0, {-1, -1, 1, 1}, {-1, -1, 1, 1}},                  // nothing to cut
  };
  for (const Case& c : cases) {
    const speech::NinePatchGrid g = speech::MakeNinePatchGrid(c.w, c.h, 10, 30, 30, 10);
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(g.x[size_t(i)], c.x[size_t(i)], 1e-5f) << c.w << " x " << c.h << " x" << i;
      EXPECT_NEAR(g.y[size_t(i)], c.y[size_t(i)], 1e-5f) << c.w << " x " << c.h << " y" << i;
    }
  }
}

TEST(SpeechGeometry, CornersAndTheirAnchors) {
  // 1024 x 768: Jorvane is 204.8 wide, 318.01 high, a tenth beyond the right edge, mostly above.
  const ScreenRect j = speech::JorvaneCornerRect(ScreenRect(0, 0, 1024, 768));
  EXPECT_TRUE(Near(j, ScreenRect::FromCenter(204.8f, 204.8f / 0.644f, 1024 - 81.92f, 0.15f * 204.8f / 0.644f),
                   0.01f));
  EXPECT_NEAR(j.right, 1024 + 20.48f, 0.01f);
  float x = 0, y = 0;
  speech::JorvaneAnchor(j, x, y);
  EXPECT_NEAR(x, j.left + 81.92f, 0.01f);
  EXPECT_NEAR(y, j.top + 0.75f * j.Height(), 0.01f);
  EXPECT_TRUE(
      Near(speech::CharacterCornerRect(768, 0.792f), ScreenRect(0, 0, 0.264f * 768 * 0.792f, 0.264f * 768)));
}

TEST(SpeechGeometry, TurnedPicturesFitTheirFrame) {
  struct Case {
    float aspect, angle;
    float w, h;
  };
  const float kQuarter = 1.5707964f;
  const Case cases[] = {
      {0.75f, 0, 600, 800},          // tall: the height binds
      {2.0f, 0, 1000, 500},          // wide: the width binds
      {0.75f, kQuarter, 750, 1000},  // a quarter turn: the frame's width binds the picture's height
      {-1, 0, 800, 800},             // a broken aspect counts as square
  };
  const ScreenRect frame(0, 0, 1000, 800);
  for (const Case& c : cases) {
    const ScreenRect r = speech::FitTurnedRect(frame, c.aspect, c.angle);
    EXPECT_NEAR(r.Width(), c.w, 0.05f) << c.aspect << " at " << c.angle;
    EXPECT_NEAR(r.Height(), c.h, 0.05f) << c.aspect << " at " << c.angle;
    EXPECT_NEAR(r.CenterX(), 500, 1e-3f);
    EXPECT_NEAR(r.CenterY(), 400, 1e-3f);
  }
  // A slight tilt: the turned outline touches the frame on one pair of sides and stays inside.
  const ScreenRect r = speech::FitTurnedRect(frame, 0.75f, -0.05f);
  const ScreenRect box = r.BoundingBox();
  EXPECT_GE(box.top, -1e-2f);
  EXPECT_LE(box.bottom, 800 + 1e-2f);
  EXPECT_GE(box.left, 0);
  EXPECT_NEAR(box.Height(), 800, 0.05f);
  EXPECT_FLOAT_EQ(r.angle, -0.05f);
}

TEST(SpeechFade, AppearsShowsAndClosesFromWhereItStood) {
  struct Step {
    float t;
    float opacity;
    FadeState state;
    FadeEvent event;
  };
  speech::SpeechFade fade(10.0f);
  const Step appear[] = {
      {10.0f, 0.0f, FadeState::kAppearing, FadeEvent::kNone},
      {10.1f, 0.4f, FadeState::kAppearing, FadeEvent::kNone},
      {10.25f, 1.0f, FadeState::kShown, FadeEvent::kBecameShown},
      {11.0f, 1.0f, FadeState::kShown, FadeEvent::kNone},
  };
  for (const Step& s : appear) {
    EXPECT_EQ(fade.Step(s.t), s.event) << s.t;
    EXPECT_NEAR(fade.Opacity(), s.opacity, 1e-4f) << s.t;
    EXPECT_EQ(fade.State(), s.state) << s.t;
  }
  EXPECT_TRUE(fade.IsFullyShown());
  fade.StartClosing(12.0f);
  const Step close[] = {
      {12.0f, 1.0f, FadeState::kClosing, FadeEvent::kNone},
      {12.25f, 0.5f, FadeState::kClosing, FadeEvent::kNone},
      {12.5f, 0.0f, FadeState::kClosing, FadeEvent::kFinished},
  };
  for (const Step& s : close) {
    EXPECT_EQ(fade.Step(s.t), s.event) << s.t;
    EXPECT_NEAR(fade.Opacity(), s.opacity, 1e-4f) << s.t;
  }

  // Closed while still appearing at 0.4: the fade-out starts at 0.4, not at 1.
  speech::SpeechFade early(0.0f);
  early.Step(0.1f);
  early.StartClosing(0.1f);
  early.StartClosing(0.2f);  // a second close changes nothing
  early.Step(0.1f);
  EXPECT_NEAR(early.Opacity(), 0.4f, 1e-4f);
  EXPECT_EQ(early.Step(0.3f), FadeEvent::kFinished);

  // Shown again while closing: fully there, and no second pop.
  speech::SpeechFade back(0.0f);
  back.Step(0.3f);
  back.StartClosing(0.3f);
  back.Step(0.4f);
  back.Reshow();
  EXPECT_TRUE(back.IsFullyShown());
  EXPECT_EQ(back.Step(0.5f), FadeEvent::kNone);
}

}  // namespace
