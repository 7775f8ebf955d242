// Blocking waits (the first start's splash and logo) keep the window answering: they drain the
// host's events into the handler the shell installs, so a close request is queued, not lost.
#pragma once

namespace os {
struct Event;
}

using WindowEventHandler = void (*)(const os::Event& event);
void SetWindowEventHandler(WindowEventHandler handler);
// Hands every waiting window event to the handler. Posted application messages are kept back and
// posted again afterwards: they are handled between frames, never inside a wait. True when the
// window asked to close, so the wait can end early.
bool PumpWindowEvents();

// The clock those waits read. Interactive runs sleep in real milliseconds; unattended runs install
// a clock that only moves when the wait sleeps, so they never wait in real time.
struct WaitClock {
  unsigned (*now)() = nullptr;
  void (*sleep)(int ms) = nullptr;
};
void SetWaitClock(const WaitClock& clock);  // empty members restore the real clock
unsigned WaitClockNow();
void WaitClockSleep(int ms);
