// The texts of the shell's error boxes.
#pragma once

#include <string>

#include "platform/gfx/device.h"

// How an error box is shown and what follows it.
enum ErrorKind : int {
  kErrorPlain = 0,          // warning icon, the game goes on
  kErrorMustExit = 1,       // error icon, then the window is closed
  kErrorSwitchedToRef = 2,  // warning icon, a software device takes over
};

// The message for a result code (the generic text for unknown codes).
std::string ErrorMessageFor(gfx::HRESULT code);
// The whole box text for a code and kind, suffixes included.
std::string ErrorBoxText(gfx::HRESULT code, int kind);
