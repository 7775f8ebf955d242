// Clocks: a monotonic nanosecond counter, so the frame clock never runs backwards.
#include <time.h>

#include <cerrno>
#include <cstdint>

#include "platform/os/host.h"

namespace os {
namespace {
int64_t MonotonicNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
const int64_t g_startNs = MonotonicNs();
}  // namespace

int64_t CounterNow() {
  return MonotonicNs();
}
int64_t CounterFrequency() {
  return 1000000000;
}
uint32_t Milliseconds() {
  return uint32_t((MonotonicNs() - g_startNs) / 1000000);
}

void SleepMs(int ms) {
  if (ms <= 0) return;
  timespec left{ms / 1000, long(ms % 1000) * 1000000};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

int64_t CalendarTime() {
  return int64_t(time(nullptr));
}

}  // namespace os
