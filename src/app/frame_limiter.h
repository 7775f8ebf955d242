// Paces frames at the display's refresh when presentation does not wait for the vertical blank,
// so the loop does not burn a core drawing frames nobody sees.
#pragma once

#include <cstdint>

class FrameLimiter {
 public:
  // refreshHz <= 0 means unknown and gives 60.
  void SetRate(int refreshHz);
  // Called after each presented frame with the counter now; returns the milliseconds to sleep.
  // A loop that fell more than a frame behind starts a new schedule instead of racing to catch up.
  int DelayAfterFrame(int64_t now, int64_t frequency);
  void Reset() { started_ = false; }

 private:
  int hz_ = 60;
  bool started_ = false;
  int64_t deadline_ = 0;
};
