#include "scene/input.h"

#include <array>
#include <cstring>

#include "platform/os/host.h"
#include "scene/edit_focus.h"
#include "scene/game_object.h"

namespace {

enum : uint8_t { kLeftBit = 1, kRightBit = 2 };

struct InputState {
  uint8_t buttons = 0;
  uint8_t prevButtons = 0;
  int x = 0;
  int y = 0;
  std::array<uint8_t, 256> keys{};
  std::array<uint8_t, 256> prevKeys{};
};

InputState g_input;

bool InsideClient(int x, int y) {
  return x >= 0 && y >= 0 && x < GetClientWidth() && y < GetClientHeight();
}

}  // namespace

void PollInput() {
  PollInputFrom(os::host().Input());
}

void PollInputFrom(const os::InputSnapshot& snapshot) {
  InputState& s = g_input;
  s.prevButtons = s.buttons;
  s.prevKeys = s.keys;
  s.buttons = uint8_t((snapshot.left ? kLeftBit : 0) | (snapshot.right ? kRightBit : 0));
  s.x = snapshot.x;
  s.y = snapshot.y;
  for (size_t k = 0; k < 256; ++k) s.keys[k] = snapshot.keys[k] & 0x80;
}

bool IsLeftClick() {
  const InputState& s = g_input;
  return (s.buttons & kLeftBit) && !(s.prevButtons & kLeftBit) && InsideClient(s.x, s.y);
}

bool IsRightClick() {
  const InputState& s = g_input;
  return (s.buttons & kRightBit) && !(s.prevButtons & kRightBit) && InsideClient(s.x, s.y);
}

bool IsLeftButtonDown() {
  return (g_input.buttons & kLeftBit) != 0;
}
bool IsRightButtonDown() {
  return (g_input.buttons & kRightBit) != 0;
}

bool IsKeyPressed(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return false;
  return (g_input.keys[size_t(virtualKey)] & 0x80) && !(g_input.prevKeys[size_t(virtualKey)] & 0x80);
}

bool IsKeyDown(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return false;
  return (g_input.keys[size_t(virtualKey)] & 0x80) != 0;
}

void GetPointerPosition(int& x, int& y) {
  x = g_input.x;
  y = g_input.y;
}

bool IsPointerInClient() {
  return InsideClient(g_input.x, g_input.y);
}

bool ForwardCharacter(int code) {
  // Characters are bytes: anything else would be mistaken for an editing code.
  if (code < 0 || code > 255) return false;
  CEditKeyTarget* target = GetFocusedEditControl();
  if (!target) return false;
  target->OnKey(code);
  return true;
}

bool ForwardKeyDown(int virtualKey) {
  int code = 0;
  switch (virtualKey) {
    case os::vk::kLeft:
      code = kEditKeyLeft;
      break;
    case os::vk::kRight:
      code = kEditKeyRight;
      break;
    case os::vk::kDelete:
      code = kEditKeyDelete;
      break;
    default:
      return false;
  }
  CEditKeyTarget* target = GetFocusedEditControl();
  if (!target) return false;
  target->OnKey(code);
  return true;
}

bool ForwardKeyboardEvent(const os::Event& event) {
  if (event.type == os::Event::kChar) return ForwardCharacter(event.code);
  if (event.type == os::Event::kKeyDown) return ForwardKeyDown(event.key);
  return false;
}

void ResetInput() {
  g_input = InputState{};
}
