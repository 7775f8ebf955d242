// Windows virtual-key codes: the game's key state and key events use them, whatever the platform.
#pragma once

#include <string>

namespace os::vk {

enum : int {
  kLButton = 0x01,
  kRButton = 0x02,
  kBack = 0x08,
  kTab = 0x09,
  kReturn = 0x0D,
  kShift = 0x10,
  kControl = 0x11,
  kMenu = 0x12,  // Alt
  kPause = 0x13,
  kCapital = 0x14,
  kEscape = 0x1B,
  kSpace = 0x20,
  kPrior = 0x21,  // Page Up
  kNext = 0x22,   // Page Down
  kEnd = 0x23,
  kHome = 0x24,
  kLeft = 0x25,
  kUp = 0x26,
  kRight = 0x27,
  kDown = 0x28,
  kSnapshot = 0x2C,
  kInsert = 0x2D,
  kDelete = 0x2E,
  k0 = 0x30,  // '0'..'9' and 'A'..'Z' are their ASCII codes
  kA = 0x41,
  kLWin = 0x5B,
  kRWin = 0x5C,
  kApps = 0x5D,
  kNumpad0 = 0x60,
  kMultiply = 0x6A,
  kAdd = 0x6B,
  kSubtract = 0x6D,
  kDecimal = 0x6E,
  kDivide = 0x6F,
  kF1 = 0x70,  // F1..F24 follow one another
  kNumLock = 0x90,
  kScroll = 0x91,
  kLShift = 0xA0,
  kRShift = 0xA1,
  kLControl = 0xA2,
  kRControl = 0xA3,
  kLMenu = 0xA4,
  kRMenu = 0xA5,
  kOem1 = 0xBA,  // ;
  kOemPlus = 0xBB,
  kOemComma = 0xBC,
  kOemMinus = 0xBD,
  kOemPeriod = 0xBE,
  kOem2 = 0xBF,  // /
  kOem3 = 0xC0,  // `
  kOem4 = 0xDB,  // [
  kOem5 = 0xDC,  // backslash
  kOem6 = 0xDD,  // ]
  kOem7 = 0xDE,  // '
};

// The code for a key name as scripts write it ("Escape", "Return", "Left", "F5", "A", "7"...),
// ignoring case; 0 when unknown.
int FromName(const std::string& name);

}  // namespace os::vk
