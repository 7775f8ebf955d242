// Whether a person is there to answer: explicit automation mode, a CI run or no display at all.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/os/host.h"

namespace os {
namespace {
std::atomic<bool> g_automation{false};

bool EnvSet(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

bool HasDisplay() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && *driver) {
    if (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) return false;
    // Console drivers draw without a display server.
    if (std::strcmp(driver, "x11") && std::strcmp(driver, "wayland")) return true;
  }
  return EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY");
}
}  // namespace

void SetAutomationMode(bool on) {
  g_automation = on;
}

bool IsAutomationMode() {
  return g_automation || EnvSet("CI") || !HasDisplay();
}

}  // namespace os
