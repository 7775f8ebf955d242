// SDL keys to Windows virtual-key codes, the codes of the game's key state and key events.
#pragma once

#include <cstdint>

namespace os {

// The virtual-key code of an SDL key (its keycode, and its scancode for layouts whose letter and
// digit keys produce other characters); 0 when the key has none. Modifiers give the generic code
// (Shift, Control, Alt), as key-down messages do.
int VkFromSdlKey(int32_t keycode, int scancode);
// The left or right code of a modifier key (left Shift gives 0xA0...), else 0.
int SidedVkFromSdlKey(int32_t keycode);

}  // namespace os
