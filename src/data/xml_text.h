// Text rules of the XML documents: Windows-1252 bytes, entity decoding, XML names, and the number
// formats of attribute values ("%d", "%g", comma-separated lists).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xmltext {

// The Unicode character a Windows-1252 byte stands for.
uint32_t Cp1252ToUnicode(uint8_t byte);
// The Windows-1252 byte of a Unicode character, or -1 when it has none.
int UnicodeToCp1252(uint32_t ch);

// Replaces the predefined entities and character references; a referenced character without a
// Windows-1252 byte (or the character 0) becomes a space. Unknown entities stay as written.
std::string DecodeEntities(std::string_view text);

// The XML Name production, with each byte read as its Windows-1252 character.
bool IsValidName(std::string_view name);

// "%d": optional white space and sign, then at least one digit; the rest of the text is ignored.
// nullopt when no number starts the text or it does not fit an int.
std::optional<int> ParseLeadingInt(std::string_view text);
// "%g" likewise; nullopt for non-finite or out-of-range values.
std::optional<float> ParseLeadingFloat(std::string_view text);
// Commas + 1 items, each parsed from the character after the previous comma; empty when any item
// fails (so also for an empty text).
std::vector<int> ParseIntList(std::string_view text);
std::vector<float> ParseFloatList(std::string_view text);

std::string FormatInt(int value);      // "%d"
std::string FormatFloat(float value);  // "%g", whatever the process locale

// The saved layout: a line break ("\r\n" and two spaces per level) before every opening tag,
// comment and processing instruction, and before a closing tag that follows no text; white space
// after a tag is dropped; the first item gets no line break and the text ends without one.
std::string Reformat(std::string_view raw);

}  // namespace xmltext
