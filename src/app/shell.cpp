#include "app/shell.h"

#include "app/d3d_application.h"
#include "core/settings.h"
#include "app/tolvek.h"
#include "platform/os/host.h"

namespace {
bool g_cheat = false;
}

void PostAppMessage(uint32_t message, intptr_t wparam) {
  os::host().PostAppMessage(message, wparam);
}

intptr_t SendAppMessage(uint32_t message, intptr_t wparam) {
  if (message == kMsgQueryResolution) {
    if (auto* app = dynamic_cast<CTolvek*>(CD3DApplication::Instance()))
      return app->OnAppMessage(message, wparam);
    return 0;
  }
  PostAppMessage(message, wparam);
  return 0;
}

bool IsCheatMode() {
  return g_cheat;
}
void SetCheatMode(bool on) {
  g_cheat = on;
}

os::Window* GetAppWindow() {
  CD3DApplication* app = CD3DApplication::Instance();
  return app ? app->Window() : nullptr;
}

std::string GetRecentPlayer() {
  // The name had 16 bytes with its terminating zero; a longer stored value reads as none.
  return GetSettingString("Players", "Recent Player", "*", 16);
}
