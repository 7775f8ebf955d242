// The one place where the game's Windows-1252 bytes meet UTF-8 (SDL text input, window titles,
// message boxes, standard error).
#pragma once

#include <string>
#include <string_view>

namespace os {

// Characters without a Windows-1252 byte, C1 controls and malformed sequences are dropped.
std::string Utf8ToWindows1252(std::string_view utf8);
// Every byte has a character (the five unassigned bytes map to the C1 code points of the same value).
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace os
