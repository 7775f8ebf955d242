// The rules of the power cabinet, the barn door keypad and the camera lock without a scene.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/random.h"
#include "puzzles/code_entry.h"
#include "puzzles/door_sequence.h"
#include "puzzles/lamp_panel.h"

namespace {

// ---- power cabinet ------------------------------------------------------------------------------

TEST(LampPanel, EachSwitchFlipsItsLampsAndTwiceRestores) {
  // Lamps A1..C3 = bits 0..8.
  const uint16_t expected[power::kSwitchCount] = {0x04C, 0x103, 0x064, 0x0C4, 0x155};
  for (int v = 0; v < power::kSwitchCount; ++v) {
    EXPECT_EQ(power::SwitchLamps(v), expected[v]) << "switch " << v;
    power::LampPanel panel;
    panel.Set(0x0A0, 0x05);
    ASSERT_TRUE(panel.Flip(v));
    EXPECT_EQ(panel.Lamps(), 0x0A0 ^ expected[v]);
    EXPECT_EQ(panel.LeverOn(v), !((0x05 >> v) & 1)) << "the lever moves too";
    ASSERT_TRUE(panel.Flip(v));
    EXPECT_EQ(panel.Lamps(), 0x0A0);
    EXPECT_EQ(panel.Levers(), 0x05);
  }
  EXPECT_EQ(power::SwitchLamps(-1), 0);
  EXPECT_EQ(power::SwitchLamps(5), 0);
}

TEST(LampPanel, AllThirtyTwoSwitchSetsLightDifferentLamps) {
  std::set<uint16_t> seen;
  for (int set = 0; set < 32; ++set) {
    uint16_t lamps = 0;
    for (int v = 0; v < power::kSwitchCount; ++v)
      if ((set >> v) & 1) lamps ^= power::SwitchLamps(v);
    seen.insert(lamps);
    EXPECT_EQ(power::SwitchesFor(lamps), set);
  }
  EXPECT_EQ(seen.size(), 32u);
  EXPECT_EQ(power::SwitchesFor(0x010 | 0x008), -1) << "B1 and B2 alone cannot be reached";
}

TEST(LampPanel, ScrambleNeverStartsSolvedAndAlwaysHasAnAnswer) {
  int leversSeen = 0;
  for (uint32_t seed = 0; seed < 400; ++seed) {
    SeedRandom(seed);
    power::LampPanel panel;
    panel.Scramble();
    ASSERT_FALSE(panel.Solved()) << "seed " << seed;
    leversSeen |= 1 << panel.Levers();
    const int answer = power::SwitchesFor(panel.Lamps() ^ power::kAllLit);
    ASSERT_GE(answer, 0) << "seed " << seed;
    for (int v = 0; v < power::kSwitchCount; ++v)
      if ((answer >> v) & 1) panel.Flip(v);
    EXPECT_TRUE(panel.Solved()) << "seed " << seed;
  }
  EXPECT_GT(__builtin_popcount(leversSeen), 16) << "the levers start at random";
}

TEST(LampPanel, ResetReturnsToTheScrambleAndSolvedIgnoresInput) {
  SeedRandom(11);
  power::LampPanel panel;
  panel.Scramble();
  const uint16_t lamps = panel.Lamps();
  const uint8_t levers = panel.Levers();
  panel.Flip(0);
  panel.Flip(4);
  panel.Reset();
  EXPECT_EQ(panel.Lamps(), lamps);
  EXPECT_EQ(panel.Levers(), levers);
  EXPECT_FALSE(panel.Flip(7));
  EXPECT_FALSE(panel.Flip(-1));
  panel.LightAll();
  EXPECT_TRUE(panel.Solved());
  EXPECT_FALSE(panel.Flip(2)) << "no unlit lamp after solving";
  EXPECT_TRUE(panel.Solved());
}

// ---- barn door keypad ---------------------------------------------------------------------------

TEST(DoorSequence, OrdersArePermutationsAndVary) {
  std::set<std::array<int, barndoor::kColumns>> orders;
  for (uint32_t seed = 1; seed < 60; ++seed) {
    SeedRandom(seed);
    barndoor::DoorSequence door;
    auto sorted = door.Order();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::array<int, 8>{0, 1, 2, 3, 4, 5, 6, 7})) << "seed " << seed;
    EXPECT_EQ(door.Calling(), door.Order()[0]);
    orders.insert(door.Order());
  }
  EXPECT_GT(orders.size(), 50u);
}

TEST(DoorSequence, RightPressesSolveOnTheFourthAndNothingAfter) {
  SeedRandom(5);
  barndoor::DoorSequence door;
  const auto order = door.Order();
  for (int i = 0; i < barndoor::kAsked; ++i) {
    EXPECT_EQ(door.Calling(), order[size_t(i)]);
    for (int k = 0; k < i; ++k) EXPECT_TRUE(door.Answered(order[size_t(k)]));
    EXPECT_FALSE(door.Answered(order[size_t(i)]));
    EXPECT_EQ(door.Push(order[size_t(i)]), i == 3 ? barndoor::Press::Solved : barndoor::Press::Right);
  }
  EXPECT_TRUE(door.Solved());
  EXPECT_EQ(door.Calling(), -1);
  // Nothing reads past the order once open, whatever is pressed.
  for (int v : {order[4], order[0], -1, 8, 100}) EXPECT_EQ(door.Push(v), barndoor::Press::Ignored);
  EXPECT_EQ(door.Order(), order);
  EXPECT_EQ(door.Position(), 4);
}

TEST(DoorSequence, WrongPressesStartOverWithANewOrder) {
  struct Case {
    int rightFirst;       // right presses before the wrong one
    bool repeatAnswered;  // the wrong press is a column already answered
  };
  for (const Case c : {Case{0, false}, Case{2, false}, Case{3, false}, Case{2, true}}) {
    SeedRandom(uint32_t(40 + c.rightFirst));
    barndoor::DoorSequence door;
    const auto order = door.Order();
    for (int i = 0; i < c.rightFirst; ++i) door.Push(order[size_t(i)]);
    const int wrong = c.repeatAnswered ? order[0] : order[size_t(c.rightFirst + 1)];
    EXPECT_EQ(door.Push(wrong), barndoor::Press::Wrong);
    EXPECT_EQ(door.Position(), 0);
    for (int col = 0; col < barndoor::kColumns; ++col) EXPECT_FALSE(door.Answered(col));
    EXPECT_NE(door.Order(), order) << "a new order after " << c.rightFirst;
  }
  EXPECT_EQ(barndoor::DoorSequence().Push(-3), barndoor::Press::Ignored);
}

TEST(DoorSequence, SolveNowLightsTheFourAnswersAndDingsRise) {
  barndoor::DoorSequence door;
  door.SolveNow();
  EXPECT_TRUE(door.Solved());
  int lit = 0;
  for (int col = 0; col < barndoor::kColumns; ++col) lit += door.Answered(col);
  EXPECT_EQ(lit, 4);
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(door.Answered(door.Order()[size_t(k)]));
  EXPECT_FLOAT_EQ(barndoor::DingPitch(0), 1.0f);
  EXPECT_FLOAT_EQ(barndoor::DingPitch(4), std::sqrt(2.0f));
  EXPECT_NEAR(barndoor::DingPitch(7), std::exp2(0.875f), 1e-6);
}

// ---- camera lock --------------------------------------------------------------------------------

// Keys: digits, 'E' Enter, 'C' Clear. The display after them and whether the lock opened.
TEST(CodeEntry, KeySequences) {
  struct Case {
    const char* keys;
    const char* shown;
    bool solved;
  } cases[] = {
      {"", "----", false},          {"18", "18--", false},         {"1871", "1871", false},
      {"1871E", "1871", true},      {"18719", "1871", false},       // a fifth digit is ignored
      {"18719E", "1871", true},                                     // ... and Enter still takes the four
      {"187E", "----", false},                                      // short: wrong, cleared
      {"1872E", "----", false},                                     // wrong code
      {"1872E1871E", "1871", true},                                 // after a wrong code, a fresh try
      {"18C", "----", false},       {"99999C1871E", "1871", true},  // Clear frees the full slots
      {"1871E0C", "1871", true},                                    // nothing changes once open
      {"E", "----", false},
  };
  for (const Case& c : cases) {
    cameracode::CodeEntry entry;
    for (const char* k = c.keys; *k; ++k) {
      if (*k == 'E')
        entry.PressEnter();
      else if (*k == 'C')
        entry.Clear();
      else
        entry.Digit(*k - '0');
    }
    std::string shown;
    for (int i = 0; i < cameracode::kSlots; ++i) shown += entry.SlotText(i);
    EXPECT_EQ(shown, c.shown) << c.keys;
    EXPECT_EQ(entry.Solved(), c.solved) << c.keys;
  }
}

TEST(CodeEntry, ResultsShowCodeAndLeadingZeros) {
  cameracode::CodeEntry entry;
  EXPECT_FALSE(entry.Digit(10));
  EXPECT_FALSE(entry.Digit(-1));
  EXPECT_EQ(entry.PressEnter(), cameracode::Enter::Wrong);
  EXPECT_TRUE(entry.ShowCode());
  EXPECT_EQ(entry.SlotText(0) + entry.SlotText(3), "11");
  EXPECT_EQ(entry.Count(), 4);
  EXPECT_EQ(entry.PressEnter(), cameracode::Enter::Solved);
  EXPECT_EQ(entry.PressEnter(), cameracode::Enter::Ignored);
  EXPECT_FALSE(entry.Clear());
  EXPECT_FALSE(entry.ShowCode());
  EXPECT_EQ(entry.SlotText(-1), "-");

  cameracode::CodeEntry zeros(42);
  for (int d : {0, 0, 4, 2}) zeros.Digit(d);
  EXPECT_EQ(zeros.PressEnter(), cameracode::Enter::Solved);
}

}  // namespace
