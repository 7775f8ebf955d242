#include "flow/event_pump.h"

#include <vector>

#include "platform/os/host.h"

namespace {
WindowEventHandler g_handler = nullptr;
WaitClock g_clock;
unsigned g_unattendedMs = 0;  // unattended waits move this instead of sleeping
}  // namespace

void SetWindowEventHandler(WindowEventHandler handler) {
  g_handler = handler;
}

bool PumpWindowEvents() {
  if (!os::HasHost()) return false;
  bool close = false;
  std::vector<os::Event> messages;
  os::Event event;
  while (os::host().PollEvent(event, false)) {
    if (event.type == os::Event::kAppMessage) {
      messages.push_back(event);
      continue;
    }
    if (event.type == os::Event::kClose) close = true;
    if (g_handler) g_handler(event);
  }
  for (const os::Event& m : messages) os::host().PostAppMessage(m.message, m.wparam);
  return close;
}

void SetWaitClock(const WaitClock& clock) {
  g_clock = clock;
}

unsigned WaitClockNow() {
  if (g_clock.now) return g_clock.now();
  return os::IsAutomationMode() ? g_unattendedMs : os::Milliseconds();
}

void WaitClockSleep(int ms) {
  if (g_clock.sleep)
    g_clock.sleep(ms);
  else if (os::IsAutomationMode())
    g_unattendedMs += unsigned(ms > 0 ? ms : 0);
  else
    os::SleepMs(ms);
}
