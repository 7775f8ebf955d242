// The frame's pure rules: buttons by option bits, the bar's layout, the Skip gate, the content
// frame mapping and the dial's angle arithmetic.
#include "puzzles/puzzle_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace puzzle;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(PuzzleRules, OptionBitsGiveTheButtonsInBarOrder) {
  struct Case {
    uint32_t options;
    std::vector<int> commands;
  } cases[] = {
      {0, {}},
      {0x03, {}},  // corner and strip only: no bar
      {109, {kCmdBack, kCmdSkip, kCmdMenu, kCmdHelp}},
      {125, {kCmdBack, kCmdSkip, kCmdReset, kCmdMenu, kCmdHelp}},
      {127, {kCmdBack, kCmdSkip, kCmdReset, kCmdMenu, kCmdHelp}},
      {237, {kCmdBack, kCmdSkip, kCmdMenu, kCmdHelp, kCmdShuffle}},
      {0xFF, {kCmdBack, kCmdSkip, kCmdReset, kCmdMenu, kCmdHelp, kCmdShuffle}},
  };
  for (const Case& c : cases) {
    std::vector<int> got;
    for (const ButtonSpec& b : ButtonsForOptions(c.options)) got.push_back(b.command);
    EXPECT_EQ(got, c.commands) << "options " << c.options;
  }
  EXPECT_STREQ(ButtonsForOptions(0x08)[0].label, "Skip");
  EXPECT_STREQ(ButtonsForOptions(0x80)[0].label, "Shuffle");
}

TEST(PuzzleRules, BarSitsOnTheBottomEdgeCentred) {
  const ScreenRect board = ButtonBoardRect(1024, 768);
  EXPECT_NEAR(board.Width(), 819.2f, 1e-3);
  EXPECT_NEAR(board.Height(), 819.2f / 13.3f, 1e-3);
  EXPECT_NEAR(board.CenterX(), 512, 1e-3);
  EXPECT_NEAR(board.bottom, 768, 1e-3);
}

TEST(PuzzleRules, ButtonsShareTheAreaWithEqualGaps) {
  const ScreenRect board(100, 500, 900, 560);
  const float areaLeft = 100 + 0.0534f * 800, areaRight = 100 + 0.9466f * 800;
  for (int n : {1, 5, 6}) {
    const std::vector<ScreenRect> r = ButtonRects(board, n);
    ASSERT_EQ(int(r.size()), n);
    std::vector<float> gaps{r.front().left - areaLeft};
    for (int i = 1; i < n; ++i) gaps.push_back(r[size_t(i)].left - r[size_t(i) - 1].right);
    gaps.push_back(areaRight - r.back().right);
    ASSERT_EQ(int(gaps.size()), n + 1);
    for (float g : gaps) EXPECT_NEAR(g, gaps[0], 1e-3) << n << " buttons";
    EXPECT_GT(gaps[0], 0) << n << " buttons";
    for (const ScreenRect& b : r) {
      EXPECT_NEAR(b.top, 500 + 0.296f * 60, 1e-3);
      EXPECT_NEAR(b.Height(), (0.95f - 0.296f) * 60, 1e-3);
      EXPECT_NEAR(b.Width(), 2.94f * b.Height(), 1e-3);
    }
  }
  EXPECT_TRUE(ButtonRects(board, 0).empty());
}

TEST(PuzzleRules, SkipWaitsThirtySecondsUnlessCheating) {
  struct Case {
    float now, arrival;
    bool cheat, ready;
  } cases[] = {
      {0, 0, false, false},   {29.99f, 0, false, false}, {30, 0, false, true},
      {45, 20, false, false}, {50, 20, false, true},     {0, 0, true, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SkipReady(c.now, c.arrival, c.cheat), c.ready) << c.now << " " << c.arrival;
}

TEST(PuzzleRules, ContentFrameMapsBothWays) {
  const ScreenRect target(100, 50, 612, 434);  // half size, moved
  const ScreenRect r = FromReference(ScreenRect(0, 0, 1024, 768), target);
  EXPECT_EQ(r, target);
  float x = 0, y = 0;
  PointFromReference(512, 384, target, x, y);
  EXPECT_FLOAT_EQ(x, 356);
  EXPECT_FLOAT_EQ(y, 242);
  float rx = 0, ry = 0;
  PointToReference(x, y, target, rx, ry);
  EXPECT_FLOAT_EQ(rx, 512);
  EXPECT_FLOAT_EQ(ry, 384);
  PointToReference(5, 5, ScreenRect(), rx, ry);  // an empty target never divides by zero
  EXPECT_EQ(rx, 0);
}

TEST(PuzzleRules, AngleDeltasFoldIntoHalfOpenHalfTurn) {
  struct Case {
    float in, out;
  } cases[] = {
      {0, 0},
      {1, 1},
      {kPi, kPi},
      {-kPi, kPi},
      {1.5f * kPi, -0.5f * kPi},
      {-1.5f * kPi, 0.5f * kPi},
      {2 * kPi + 0.1f, 0.1f},
      {-4 * kPi - 0.2f, -0.2f},
      {NAN, 0},
      {INFINITY, 0},
  };
  for (const Case& c : cases) EXPECT_NEAR(WrapAngleDelta(c.in), c.out, 1e-4) << c.in;
}

TEST(PuzzleRules, DialTurnsThroughTheHalfTurnWithoutAJump) {
  DialDrag dial;
  EXPECT_EQ(dial.Step(1.0f), 0.0f);  // not gripped: no turn
  dial.Begin(3.0f);
  EXPECT_NEAR(dial.Step(-3.0f), 2 * kPi - 6.0f, 1e-4);  // crossing +pi/-pi clockwise
  EXPECT_NEAR(dial.Step(-2.5f), 0.5f, 1e-4);
  EXPECT_NEAR(dial.Step(3.1f), -(2 * kPi - 5.6f), 1e-4);
  dial.End();
  EXPECT_FALSE(dial.Active());
  EXPECT_NEAR(PointerAngle(0, 0, 0, 10), kPi / 2, 1e-5);  // screen y down: clockwise is positive
}

TEST(PuzzleRules, GrabBandIsARing) {
  EXPECT_FALSE(InGrabBand(0, 0, 5, 0, 10, 20));
  EXPECT_TRUE(InGrabBand(0, 0, 10, 0, 10, 20));
  EXPECT_TRUE(InGrabBand(0, 0, 0, -15, 10, 20));
  EXPECT_TRUE(InGrabBand(0, 0, 20, 0, 10, 20));
  EXPECT_FALSE(InGrabBand(0, 0, 15, 15, 10, 20));
}

}  // namespace
