// The frame clock: application time without stopped intervals, and the time between two queries.
// Stops nest; every PauseClock is paired with exactly one ResumeClock (use ClockPauseGuard).
#pragma once

#include <cstdint>

class FrameTimer {
 public:
  FrameTimer();  // starts the timer; the first timer created is the application clock
  ~FrameTimer();
  FrameTimer(const FrameTimer&) = delete;
  FrameTimer& operator=(const FrameTimer&) = delete;

  // Application time in seconds; writes the seconds since the previous query into elapsed.
  float Query(float* elapsed);
  void Stop();
  void Start();
  bool IsStopped() const { return stopCount_ > 0; }
  int Id() const { return id_; }

  // Tests and fixed-step runs replace the counter to drive time by hand (null restores the real
  // counter). A frequency of 0 or less selects the millisecond path: now() then counts milliseconds.
  using CounterFn = int64_t (*)();
  static void SetCounterForTests(CounterFn now, int64_t frequency);

 private:
  friend void PauseClock();
  friend void ResumeClock();
  friend void DestroyAllTimers();
  friend FrameTimer* ApplicationClock();
  int id_;
  int64_t frequency_;
  int64_t stopValue_ = 0;
  int64_t last_ = 0;
  int64_t base_ = 0;
  int stopCount_ = 0;
  FrameTimer* prev_ = nullptr;
  FrameTimer* next_ = nullptr;
};

FrameTimer* ApplicationClock();  // null before the first device restore
void PauseClock();
void ResumeClock();
bool IsClockPaused();  // also true when no clock exists
void DestroyAllTimers();
float GetApplicationTime();  // the time last returned by the application clock

// Pauses the clock for its lifetime, so an early return can never leave the clock stopped.
class ClockPauseGuard {
 public:
  ClockPauseGuard() { PauseClock(); }
  ~ClockPauseGuard() { ResumeClock(); }
  ClockPauseGuard(const ClockPauseGuard&) = delete;
  ClockPauseGuard& operator=(const ClockPauseGuard&) = delete;
};
