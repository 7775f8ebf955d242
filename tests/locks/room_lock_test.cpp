// The room lock's rules: judging guesses, the secret, wheels and digits wrapping, stage one
// opening only on a change, rows carrying their digits on, seven wrong rows and the solved lock.
#include "puzzles/room_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/random.h"

using namespace roomlock;

namespace {

constexpr Mark G = Mark::Green, Y = Mark::Yellow, R = Mark::Red;

TEST(RoomLockJudge, EachGuessDigitOnItsOwn) {
  struct Case {
    Code guess;
    std::array<Mark, kDigits> marks;
  };
  const Code code{4, 7, 2, 9};
  const Case cases[] = {
      {{4, 7, 2, 9}, {G, G, G, G}}, {{9, 2, 7, 4}, {Y, Y, Y, Y}}, {{1, 3, 5, 6}, {R, R, R, R}},
      {{4, 4, 4, 4}, {G, Y, Y, Y}},  // a code digit matched green still makes the others yellow
      {{7, 7, 1, 1}, {Y, G, R, R}}, {{2, 1, 2, 2}, {Y, R, G, Y}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Judge(c.guess, code), c.marks) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
}

TEST(RoomLockSecret, FourDistinctDigitsOneToNineAndEveryDigitTurnsUp) {
  SeedRandom(11);
  std::set<int> seen;
  for (int k = 0; k < 200; ++k) {
    const Code c = MakeSecret();
    EXPECT_EQ(std::set<int>(c.begin(), c.end()).size(), 4u);
    for (int d : c) {
      EXPECT_GE(d, 1);
      EXPECT_LE(d, 9);
      seen.insert(d);
    }
  }
  EXPECT_EQ(seen.size(), 9u);
}

TEST(RoomLockWheels, WheelsAndDigitsWrap) {
  struct Case {
    int from, step, wheel, digit;
  };
  const Case cases[] = {{9, 1, 0, 1}, {0, -1, 9, 0}, {1, -1, 0, 9}, {5, 1, 6, 6}, {5, -1, 4, 4}};
  for (const Case& c : cases) {
    EXPECT_EQ(TurnWheel(c.from, c.step), c.wheel) << c.from << " by " << c.step;
    if (c.digit) {
      EXPECT_EQ(TurnDigit(c.from, c.step), c.digit) << c.from << " by " << c.step;
    }
  }
  EXPECT_EQ(TurnDigit(9, 1), 1);
}

Lock AtStageTwo(const Code& secret = {1, 2, 3, 4}) {
  Lock lock(secret);
  for (int i = 0; i < 4; ++i) lock.TurnWheelBy(2, 1);
  for (int i = 0; i < 7; ++i) lock.TurnWheelBy(1, 1);
  EXPECT_FALSE(lock.TurnWheelBy(0, 1));
  EXPECT_TRUE(lock.TurnWheelBy(0, 1));
  return lock;
}

TEST(RoomLockStageOne, OpensOnlyByAChangeToTheCodeThenIgnoresTheWheels) {
  Lock lock({1, 2, 3, 4});
  EXPECT_FALSE(lock.StageTwo());
  EXPECT_TRUE(lock.Rows().empty());
  // Down from 0 wraps: 0 -> 9 -> ... -> 4 on the hundreds wheel.
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(lock.TurnWheelBy(2, -1));
  EXPECT_EQ(lock.WheelNumber(), 400);
  for (int i = 0; i < 7; ++i) lock.TurnWheelBy(1, 1);
  EXPECT_FALSE(lock.TurnWheelBy(0, 1));
  EXPECT_TRUE(lock.TurnWheelBy(0, 1));
  EXPECT_TRUE(lock.StageTwo());
  ASSERT_EQ(lock.Rows().size(), 1u);
  EXPECT_EQ(lock.Rows()[0].digits, (Code{1, 1, 1, 1}));
  EXPECT_FALSE(lock.TurnWheelBy(0, 1)) << "the wheels are gone in stage two";
  EXPECT_EQ(lock.WheelNumber(), 472);
  EXPECT_FALSE(lock.TurnWheelBy(5, 1));
}

TEST(RoomLockStageOne, ResetReturnsTheWheelsAndSkipLeavesStageTwoUnstarted) {
  Lock lock({5, 6, 7, 8});
  lock.TurnWheelBy(0, 1);
  lock.TurnWheelBy(2, -1);
  EXPECT_TRUE(lock.Reset());
  EXPECT_EQ(lock.WheelNumber(), 0);
  lock.Solve();
  EXPECT_TRUE(lock.Solved());
  EXPECT_EQ(lock.WheelNumber(), 472);
  ASSERT_EQ(lock.Rows().size(), 1u);
  EXPECT_EQ(lock.Rows()[0].digits, (Code{5, 6, 7, 8}));
  EXPECT_TRUE(std::all_of(lock.Rows()[0].marks.begin(), lock.Rows()[0].marks.end(),
                          [](Mark m) { return m == Mark::Pulsing; }));
  // Nothing acts once solved, and the wheels never open a stage two.
  EXPECT_FALSE(lock.TurnWheelBy(0, 1));
  EXPECT_FALSE(lock.TurnDigitBy(0, 1));
  EXPECT_EQ(lock.Submit(), Submitted::Ignored);
  EXPECT_FALSE(lock.Reset());
  EXPECT_FALSE(lock.StageTwo());
  EXPECT_EQ(lock.Rows().size(), 1u);
}

TEST(RoomLockRows, RowsCarryDigitsOnAndTheSeventhWrongRowRestarts) {
  Lock lock = AtStageTwo({6, 7, 8, 9});
  for (int d = 0; d < kDigits; ++d) lock.TurnDigitBy(d, d);  // 1 2 3 4
  lock.TurnDigitBy(3, -4);                                   // 4 - 4 wraps to 9
  EXPECT_EQ(lock.Rows().back().digits, (Code{1, 2, 3, 9}));
  for (int n = 1; n <= 6; ++n) {
    ASSERT_EQ(lock.Submit(), Submitted::NextRow) << "row " << n;
    EXPECT_EQ(lock.Rows().size(), size_t(n + 1));
    EXPECT_EQ(lock.Rows().back().digits, (Code{1, 2, 3, 9})) << "a new row starts with the last";
    EXPECT_FALSE(lock.Rows().back().judged);
  }
  EXPECT_EQ(lock.Rows()[0].marks, (std::array<Mark, kDigits>{R, R, R, G}));
  EXPECT_EQ(lock.Submit(), Submitted::Restart);
  EXPECT_EQ(lock.Rows().size(), 7u);
  EXPECT_FALSE(lock.TurnDigitBy(0, 1)) << "no open row until the restart";
  EXPECT_EQ(lock.Submit(), Submitted::Ignored);
  lock.Restart();
  ASSERT_EQ(lock.Rows().size(), 1u);
  EXPECT_EQ(lock.Rows()[0].digits, (Code{1, 1, 1, 1}));
  EXPECT_EQ(lock.Secret(), (Code{6, 7, 8, 9})) << "the same secret";
  // Reset in stage two does the same.
  lock.TurnDigitBy(0, 1);
  lock.Submit();
  EXPECT_TRUE(lock.Reset());
  EXPECT_EQ(lock.Rows().size(), 1u);
}

TEST(RoomLockRows, TheRightRowSolves) {
  Lock lock = AtStageTwo({2, 1, 9, 3});
  lock.Submit();
  for (int d = 0; d < kDigits; ++d) {
    const int want = lock.Secret()[size_t(d)];
    while (lock.Rows().back().digits[size_t(d)] != want) lock.TurnDigitBy(d, -1);
  }
  EXPECT_EQ(lock.Submit(), Submitted::Solved);
  EXPECT_TRUE(lock.Solved());
  EXPECT_EQ(lock.Rows().size(), 2u);
  EXPECT_EQ(lock.Rows().back().marks[0], Mark::Pulsing);
  EXPECT_EQ(lock.Rows()[0].marks, (std::array<Mark, kDigits>{Y, G, Y, Y}));
}

}  // namespace
