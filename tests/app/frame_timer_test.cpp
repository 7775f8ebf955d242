// The frame clock with a hand-driven counter.
#include "core/frame_timer.h"

#include <gtest/gtest.h>

namespace {

int64_t g_now = 0;
int64_t FakeCounter() {
  return g_now;
}

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroyAllTimers();
    g_now = 5000;
    FrameTimer::SetCounterForTests(&FakeCounter, 1000);  // 1000 ticks a second
  }
  void TearDown() override {
    DestroyAllTimers();
    FrameTimer::SetCounterForTests(nullptr, 0);
  }
};

}  // namespace

TEST_F(ClockTest, StartsAtZeroAndMeasuresFrames) {
  EXPECT_TRUE(IsClockPaused());  // no clock yet
  PauseClock();                  // and nothing to pause
  ResumeClock();
  auto* clock = new FrameTimer();
  EXPECT_EQ(ApplicationClock(), clock);
  EXPECT_EQ(clock->Id(), 0);
  float dt = -1;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.0f);
  EXPECT_FLOAT_EQ(dt, 0.0f);
  g_now += 20;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.02f);
  EXPECT_FLOAT_EQ(dt, 0.02f);
  EXPECT_FLOAT_EQ(GetApplicationTime(), 0.02f);
}

TEST_F(ClockTest, NestedPausesNeedAsManyResumesAndHideThePausedTime) {
  auto* clock = new FrameTimer();
  float dt = 0;
  g_now += 100;
  clock->Query(&dt);

  PauseClock();
  PauseClock();
  g_now += 3000;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.1f);  // stopped: constant time, no elapsed
  EXPECT_EQ(dt, 0.0f);
  ResumeClock();
  EXPECT_TRUE(IsClockPaused());
  g_now += 1000;
  ResumeClock();
  EXPECT_FALSE(IsClockPaused());
  ResumeClock();  // on a running clock: no effect, and no credit for a later pause
  g_now += 50;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.15f);
  EXPECT_FLOAT_EQ(dt, 0.05f);

  PauseClock();
  EXPECT_TRUE(IsClockPaused());
  ResumeClock();
  EXPECT_FALSE(IsClockPaused());
}

TEST_F(ClockTest, GuardPairsEveryPauseEvenOnEarlyReturn) {
  auto* clock = new FrameTimer();
  auto slowOperation = [&](bool bailOut) {
    ClockPauseGuard pause;
    g_now += 2000;
    if (bailOut) return;
    g_now += 2000;
  };
  slowOperation(true);
  slowOperation(false);
  EXPECT_FALSE(IsClockPaused());
  g_now += 10;
  float dt = 0;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.01f);
  EXPECT_FLOAT_EQ(dt, 0.01f);
}

TEST_F(ClockTest, OtherTimersFollowTheApplicationClock) {
  auto* clock = new FrameTimer();
  auto* second = new FrameTimer();
  EXPECT_EQ(second->Id(), 1);
  PauseClock();
  auto* late = new FrameTimer();  // made during a pause: joins it
  EXPECT_TRUE(second->IsStopped());
  EXPECT_TRUE(late->IsStopped());
  g_now += 500;
  ResumeClock();
  EXPECT_FALSE(late->IsStopped());
  g_now += 100;
  float dt = 0;
  EXPECT_FLOAT_EQ(second->Query(&dt), 0.1f);
  EXPECT_FLOAT_EQ(late->Query(&dt), 0.1f);
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.1f);

  // A timer stopped on its own stays stopped through a resume of the clock that it did not join.
  second->Stop();
  ResumeClock();
  EXPECT_TRUE(second->IsStopped());

  delete second;
  EXPECT_EQ(ApplicationClock(), clock);
  DestroyAllTimers();
  EXPECT_EQ(ApplicationClock(), nullptr);
  EXPECT_TRUE(IsClockPaused());
}

TEST_F(ClockTest, MillisecondPathWithoutHighResolutionCounter) {
  FrameTimer::SetCounterForTests(&FakeCounter, 0);  // now() counts milliseconds
  auto* clock = new FrameTimer();
  g_now += 250;
  float dt = 0;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.25f);
  EXPECT_FLOAT_EQ(dt, 0.25f);
  PauseClock();
  g_now += 1000;
  ResumeClock();
  g_now += 10;
  EXPECT_FLOAT_EQ(clock->Query(&dt), 0.26f);
  EXPECT_FLOAT_EQ(dt, 0.01f);
}
