// The once-per-frame input snapshot every game object reads clicks and keys from, and the
// forwarding of typed characters and editing keys to the focused edit control.
#pragma once

#include <cstdint>

#include "platform/os/keys.h"

namespace os {
struct Event;
struct InputSnapshot;
}  // namespace os

// Editing codes passed to the focused edit control besides character codes 0..255.
enum : int { kEditKeyLeft = -1, kEditKeyRight = -2, kEditKeyDelete = -3, kEditKeyBackspace = 8 };

// Takes this frame's snapshot from the window host (called first in every frame). The host already
// reports nothing while input is gated, and a press held through the gate stays up until released.
void PollInput();
// The same from a given host snapshot.
void PollInputFrom(const os::InputSnapshot& snapshot);

// Left (right) button down now, up in the previous snapshot, with the pointer inside the client
// area (left <= x < right, top <= y < bottom).
bool IsLeftClick();
bool IsRightClick();
bool IsLeftButtonDown();
bool IsRightButtonDown();
// Key down now and up in the previous snapshot (os::vk codes). Codes outside 0..255 are never pressed.
bool IsKeyPressed(int virtualKey);
bool IsKeyDown(int virtualKey);
// Client pixels of the back buffer; may lie outside the client area.
void GetPointerPosition(int& x, int& y);
bool IsPointerInClient();

// Keyboard forwarding from the window's events. A character (0..255, a Windows-1252 byte; 8 is
// Backspace) goes to the focused edit control as itself; the key-downs of Left, Right and Delete go
// as -1, -2 and -3; other keys are not forwarded. Each returns whether a control received the code.
bool ForwardCharacter(int code);
bool ForwardKeyDown(int virtualKey);
// Dispatches a kChar or kKeyDown event with the two functions above.
bool ForwardKeyboardEvent(const os::Event& event);

// Forgets both snapshots (tests).
void ResetInput();
