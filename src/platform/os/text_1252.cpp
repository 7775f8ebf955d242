#include "platform/os/text_1252.h"

#include <cstdint>

namespace os {
namespace {
// Code points of bytes 0x80..0x9F; 0 marks a byte that has no character of its own.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int ByteFor(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == cp) return 0x80 + i;
  }
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}
}  // namespace

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    uint8_t b = uint8_t(utf8[i]);
    int len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0) {  // a stray continuation byte or an invalid lead byte
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    int taken = 1;
    while (taken < len && i + taken < utf8.size() && (uint8_t(utf8[i + taken]) & 0xC0) == 0x80) {
      cp = (cp << 6) | (uint8_t(utf8[i + taken]) & 0x3F);
      ++taken;
    }
    i += taken;
    if (taken < len) continue;  // truncated sequence
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) continue;  // overlong or invalid
    int byte = ByteFor(cp);
    if (byte >= 0) out += char(byte);
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    uint8_t b = uint8_t(c);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80]) cp = kHigh[b - 0x80];
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace os
