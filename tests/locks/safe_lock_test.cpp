// The safe dial's rules: numbers under the mark, the sense of a change across the wrap, and the
// tumblers' steps, their slack and overshoot windows.
#include "puzzles/safe_lock.h"

#include <gtest/gtest.h>

#include <numbers>
#include <vector>

using namespace safe;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTurn = 2 * kPi / 100;

TEST(SafeDialNumbers, QuarterPointsAndOneHundredthEitherSide) {
  struct Case {
    float angle;
    int number;
  };
  const Case cases[] = {{0, 0},
                        {kPi / 2, 75},
                        {kPi, 50},
                        {-kPi / 2, 25},
                        {kTurn, 99},
                        {-kTurn, 1},
                        {kTurn * 0.49f, 0},
                        {-kTurn * 0.49f, 0},
                        {kPi - kTurn, 51},
                        {-kPi + kTurn, 49},
                        {kPi / 2 + kTurn, 74},
                        {-kPi / 2 - kTurn, 26},
                        {kTurn * 24, 76},
                        {-kTurn * 24, 24}};
  for (const Case& c : cases) EXPECT_EQ(NumberForAngle(c.angle), c.number) << "angle " << c.angle;
  EXPECT_EQ(NumberForAngle(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(SafeDialNumbers, SenseOfAChangeWrapsAtFifty) {
  struct Case {
    int from, to;
    bool decreasing;
  };
  const Case cases[] = {{10, 9, true},  {9, 10, false},  {99, 0, false}, {0, 99, true}, {0, 51, true},
                        {0, 49, false}, {60, 10, false}, {60, 11, true}, {5, 5, false}};
  for (const Case& c : cases) EXPECT_EQ(IsDecreasing(c.from, c.to), c.decreasing) << c.from << "->" << c.to;
}

// Turns the tumblers one number at a time from where they are to target, the given way round.
std::vector<Event> Dial(Tumblers& t, int target, bool decreasing) {
  std::vector<Event> events;
  int n = t.Previous();
  while (n != target) {
    n = (n + (decreasing ? -1 : 1) + 100) % 100;
    if (Event e = t.Turned(n); e != Event::None) events.push_back(e);
  }
  return events;
}

TEST(SafeTumblers, TheStorysRecipeOpensOnceWithThreeClicks) {
  Tumblers t;
  EXPECT_EQ(Dial(t, 24, true), std::vector<Event>{Event::Click});
  EXPECT_EQ(Dial(t, 70, false), std::vector<Event>{Event::Click});
  EXPECT_EQ(Dial(t, 15, true), std::vector<Event>{Event::Click});
  EXPECT_EQ(Dial(t, 48, false), std::vector<Event>{Event::Opened});
  EXPECT_TRUE(t.Open());
  // Turning on after opening says nothing more.
  EXPECT_TRUE(Dial(t, 70, false).empty());
  EXPECT_TRUE(Dial(t, 10, true).empty());
}

TEST(SafeTumblers, RunningOnPastAStep) {
  // After reaching 24 going down: by how many more numbers the dial runs on, and what follows.
  struct Case {
    int past;
    bool overshoot;
  };
  const Case cases[] = {{1, false}, {3, false}, {4, true}, {8, true}, {12, true}};
  for (const Case& c : cases) {
    Tumblers t;
    Dial(t, 24, true);
    const std::vector<Event> events = Dial(t, 24 - c.past, true);
    EXPECT_EQ(!events.empty() && events.back() == Event::Overshoot, c.overshoot) << "past " << c.past;
    EXPECT_EQ(t.NextStep(), c.overshoot ? 0 : 1) << "past " << c.past;
  }
  // A single jump of 13 or more lands beyond the window: not checked.
  Tumblers far;
  Dial(far, 24, true);
  EXPECT_EQ(far.Turned(11), Event::None);
  EXPECT_EQ(far.NextStep(), 1);
  // The same for a rising step: 70 reached, then on to 74.
  Tumblers up;
  Dial(up, 24, true);
  Dial(up, 70, false);
  EXPECT_EQ(Dial(up, 73, false), std::vector<Event>{});
  EXPECT_EQ(Dial(up, 74, false), std::vector<Event>{Event::Overshoot});
}

TEST(SafeTumblers, TheWrongSenseNeverCounts) {
  Tumblers t;
  // 24 reached going up (from 0 anticlockwise) is no step.
  EXPECT_TRUE(Dial(t, 30, false).empty());
  EXPECT_EQ(t.NextStep(), 0);
  // Coming back down through it is.
  EXPECT_EQ(Dial(t, 24, true), std::vector<Event>{Event::Click});
  // Step 1 (70, rising) reached going down from above does not count.
  t.Follow(75);
  EXPECT_TRUE(Dial(t, 68, true).empty());
  EXPECT_EQ(t.NextStep(), 1);
}

TEST(SafeTumblers, SlackLandingsAndTheWindowReachedFromEitherEnd) {
  // A step is reached anywhere within 3 past its number in its own sense.
  Tumblers t;
  t.Follow(28);
  EXPECT_EQ(t.Turned(26), Event::None);
  EXPECT_EQ(t.Turned(22), Event::Click) << "a jump into 21..24 counts";
  Tumblers u;
  u.Follow(20);
  EXPECT_EQ(u.Turned(23), Event::None) << "rising into the window is the wrong sense";
  EXPECT_EQ(u.Turned(22), Event::Click);
}

TEST(SafeTumblers, FollowingAndResetKeepTheNumberUnderTheMark) {
  Tumblers t;
  Dial(t, 24, true);
  t.Reset();
  EXPECT_EQ(t.NextStep(), 0);
  EXPECT_EQ(t.Previous(), 24) << "a reset keeps the number the dial shows";
  // The sweep back to 0 passes 24..0 downwards without counting anything.
  for (int n = 23; n >= 0; --n) t.Follow(n);
  EXPECT_EQ(t.NextStep(), 0);
  EXPECT_EQ(t.Previous(), 0);
  EXPECT_EQ(Dial(t, 24, true), std::vector<Event>{Event::Click});
}

}  // namespace
