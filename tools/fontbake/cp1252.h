// The Windows-1252 code page as the game's text uses it.
#pragma once

#include <cstdint>

namespace fontbake {

// The Unicode code point of a Windows-1252 byte; 0 for the five unassigned bytes.
uint32_t Cp1252ToUnicode(uint8_t code);

// Whether a byte is a printable character that gets a glyph: everything assigned from the space up
// (the spaces get blank cells of their true width).
bool IsPrintable(uint8_t code);

}  // namespace fontbake
