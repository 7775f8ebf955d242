// What the rest of the game asks of the application shell: its private messages, the cheat flag,
// the window, and the recent player's name.
#pragma once

#include <cstdint>
#include <string>

namespace os {
class Window;
}

// Private application messages.
constexpr uint32_t kMsgSaveAndQuit = 0x8100;       // wparam 0
constexpr uint32_t kMsgQueryResolution = 0x8101;   // answer: the resolution choice 0-3
constexpr uint32_t kMsgChangeResolution = 0x8102;  // wparam: choice 0-3

// Queues a message; the shell handles it between frames, never inside an object's Update.
void PostAppMessage(uint32_t message, intptr_t wparam = 0);
// 0x8101 is answered at once (it changes nothing). The others change the device or end the run,
// which must not happen under the caller's feet, so they are queued as by PostAppMessage and the
// answer is 0.
intptr_t SendAppMessage(uint32_t message, intptr_t wparam = 0);

// "/Cheat" on the command line.
bool IsCheatMode();
void SetCheatMode(bool on);

// The game's window; null before creation, after destruction and in headless runs.
os::Window* GetAppWindow();

// "Players"/"Recent Player": a name of at most 15 characters, or "*" for none (a longer stored
// value reads as "*").
std::string GetRecentPlayer();
