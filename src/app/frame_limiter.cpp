#include "app/frame_limiter.h"

void FrameLimiter::SetRate(int refreshHz) {
  int hz = refreshHz > 0 ? refreshHz : 60;
  if (hz != hz_) started_ = false;
  hz_ = hz;
}

int FrameLimiter::DelayAfterFrame(int64_t now, int64_t frequency) {
  if (frequency <= 0) return 0;
  int64_t period = frequency / hz_;
  if (!started_ || now - deadline_ > period) {
    started_ = true;
    deadline_ = now + period;
  } else {
    deadline_ += period;
  }
  if (deadline_ <= now) return 0;
  // Whole milliseconds, rounded down: oversleeping would cost a frame.
  return int((deadline_ - now) * 1000 / frequency);
}
