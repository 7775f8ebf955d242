#include "core/frame_timer.h"

#include "platform/os/host.h"

namespace {

FrameTimer* g_head = nullptr;  // the application clock
FrameTimer* g_tail = nullptr;
int g_created = 0;
float g_applicationTime = 0;

FrameTimer::CounterFn g_counterOverride = nullptr;
int64_t g_frequencyOverride = 0;

// 0 or less: no high-resolution counter, the timer takes the millisecond path.
int64_t CounterFrequency() {
  return g_counterOverride ? g_frequencyOverride : os::CounterFrequency();
}

// Counter ticks on the high-resolution path; milliseconds on the fallback path.
int64_t ReadCounter(bool highResolution) {
  if (g_counterOverride) return g_counterOverride();
  return highResolution ? os::CounterNow() : int64_t(os::Milliseconds());
}

}  // namespace

void FrameTimer::SetCounterForTests(CounterFn now, int64_t frequency) {
  g_counterOverride = now;
  g_frequencyOverride = frequency;
}

FrameTimer::FrameTimer() : id_(g_created++) {
  frequency_ = CounterFrequency();
  int64_t now = ReadCounter(frequency_ > 0);
  // A timer made while the clock is stopped joins the stop, so the next resume releases it too.
  stopCount_ = g_head ? g_head->stopCount_ : 0;
  base_ = last_ = now;
  stopValue_ = stopCount_ > 0 ? now : 0;
  prev_ = g_tail;
  if (g_tail)
    g_tail->next_ = this;
  else
    g_head = this;
  g_tail = this;
}

FrameTimer::~FrameTimer() {
  if (prev_)
    prev_->next_ = next_;
  else if (g_head == this)
    g_head = next_;
  if (next_)
    next_->prev_ = prev_;
  else if (g_tail == this)
    g_tail = prev_;
}

float FrameTimer::Query(float* elapsed) {
  bool highResolution = frequency_ > 0;
  int64_t now = stopCount_ > 0 ? stopValue_ : ReadCounter(highResolution);
  // The fallback path counts milliseconds.
  double perSecond = highResolution ? double(frequency_) : 1000.0;
  float dt = float(double(now - last_) / perSecond);
  last_ = now;
  float time = float(double(now - base_) / perSecond);
  if (elapsed) *elapsed = dt;
  if (this == g_head) g_applicationTime = time;
  return time;
}

void FrameTimer::Stop() {
  if (stopCount_++ == 0) {
    int64_t now = ReadCounter(frequency_ > 0);
    stopValue_ = now;
    last_ = now;
  }
}

void FrameTimer::Start() {
  if (stopCount_ <= 0) return;
  if (--stopCount_ == 0) {
    int64_t now = ReadCounter(frequency_ > 0);
    base_ += now - stopValue_;
    stopValue_ = 0;
    last_ = now;
  }
}

FrameTimer* ApplicationClock() {
  return g_head;
}

void PauseClock() {
  if (!g_head) return;
  for (FrameTimer* t = g_head->next_; t; t = t->next_) t->Stop();
  g_head->Stop();
}

void ResumeClock() {
  if (!g_head) return;
  // A resume without a pause must not release anyone else's stop.
  if (!g_head->IsStopped()) return;
  for (FrameTimer* t = g_head->next_; t; t = t->next_) t->Start();
  g_head->Start();
}

bool IsClockPaused() {
  return !g_head || g_head->IsStopped();
}

void DestroyAllTimers() {
  while (g_head) delete g_head;
  g_created = 0;
}

float GetApplicationTime() {
  return g_applicationTime;
}
