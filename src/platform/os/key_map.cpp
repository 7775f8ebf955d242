#include "platform/os/key_map.h"

#include <SDL_keycode.h>

#include "platform/os/keys.h"

namespace os {

int VkFromSdlKey(int32_t keycode, int scancode) {
  if (keycode >= 'a' && keycode <= 'z') return vk::kA + (keycode - 'a');
  if (keycode >= '0' && keycode <= '9') return vk::k0 + (keycode - '0');
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return vk::kF1 + (keycode - SDLK_F1);
  if (keycode >= SDLK_F13 && keycode <= SDLK_F24) return vk::kF1 + 12 + (keycode - SDLK_F13);
  if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return vk::kNumpad0 + 1 + (keycode - SDLK_KP_1);
  switch (keycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_RETURN2:
      return vk::kReturn;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_DELETE:
      return vk::kDelete;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    case SDLK_LGUI:
      return vk::kLWin;
    case SDLK_RGUI:
      return vk::kRWin;
    case SDLK_APPLICATION:
      return vk::kApps;
    case SDLK_PAUSE:
      return vk::kPause;
    case SDLK_CAPSLOCK:
      return vk::kCapital;
    case SDLK_PRINTSCREEN:
      return vk::kSnapshot;
    case SDLK_SCROLLLOCK:
      return vk::kScroll;
    case SDLK_NUMLOCKCLEAR:
      return vk::kNumLock;
    case SDLK_KP_0:
      return vk::kNumpad0;
    case SDLK_KP_MULTIPLY:
      return vk::kMultiply;
    case SDLK_KP_PLUS:
      return vk::kAdd;
    case SDLK_KP_MINUS:
      return vk::kSubtract;
    case SDLK_KP_PERIOD:
      return vk::kDecimal;
    case SDLK_KP_DIVIDE:
      return vk::kDivide;
    case SDLK_SEMICOLON:
      return vk::kOem1;
    case SDLK_EQUALS:
      return vk::kOemPlus;
    case SDLK_COMMA:
      return vk::kOemComma;
    case SDLK_MINUS:
      return vk::kOemMinus;
    case SDLK_PERIOD:
      return vk::kOemPeriod;
    case SDLK_SLASH:
      return vk::kOem2;
    case SDLK_BACKQUOTE:
      return vk::kOem3;
    case SDLK_LEFTBRACKET:
      return vk::kOem4;
    case SDLK_BACKSLASH:
      return vk::kOem5;
    case SDLK_RIGHTBRACKET:
      return vk::kOem6;
    case SDLK_QUOTE:
      return vk::kOem7;
    default:
      break;
  }
  // Keys that type a letter the table does not know (é on a French keyboard...): by position.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return vk::kA + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return vk::k0 + 1 + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return vk::k0;
  return 0;
}

int SidedVkFromSdlKey(int32_t keycode) {
  switch (keycode) {
    case SDLK_LSHIFT:
      return vk::kLShift;
    case SDLK_RSHIFT:
      return vk::kRShift;
    case SDLK_LCTRL:
      return vk::kLControl;
    case SDLK_RCTRL:
      return vk::kRControl;
    case SDLK_LALT:
      return vk::kLMenu;
    case SDLK_RALT:
      return vk::kRMenu;
    default:
      return 0;
  }
}

}  // namespace os
