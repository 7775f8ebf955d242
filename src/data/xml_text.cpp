#include "data/xml_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace xmltext {

namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined stand for the control characters of
// the same number, as the platform's own conversion does.
const uint16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsNameStart(uint32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD);
}

bool IsNameChar(uint32_t c) {
  return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

char ReferencedByte(uint32_t ch) {
  int b = ch == 0 ? -1 : UnicodeToCp1252(ch);
  return b < 0 ? ' ' : char(b);
}

}  // namespace

uint32_t Cp1252ToUnicode(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

int UnicodeToCp1252(uint32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return int(ch);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == ch) return 0x80 + i;
  return -1;
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '&') {
      out += c;
      ++i;
      continue;
    }
    size_t semi = text.find(';', i + 1);
    // Longest reference worth decoding: "&#x10FFFF;" and friends.
    if (semi == std::string_view::npos || semi - i > 12) {
      out += c;
      ++i;
      continue;
    }
    std::string_view ref = text.substr(i + 1, semi - i - 1);
    bool done = true;
    if (ref == "lt")
      out += '<';
    else if (ref == "gt")
      out += '>';
    else if (ref == "amp")
      out += '&';
    else if (ref == "quot")
      out += '"';
    else if (ref == "apos")
      out += '\'';
    else if (ref.size() >= 2 && ref[0] == '#') {
      int base = 10;
      std::string_view digits = ref.substr(1);
      if (digits[0] == 'x') {
        base = 16;
        digits = digits.substr(1);
      }
      uint32_t value = 0;
      auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
      if (!digits.empty() && ec == std::errc() && end == digits.data() + digits.size())
        out += ReferencedByte(value);
      else
        done = false;
    } else {
      done = false;
    }
    if (done) {
      i = semi + 1;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

bool IsValidName(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    uint32_t ch = Cp1252ToUnicode(uint8_t(name[i]));
    if (i == 0 ? !IsNameStart(ch) : !IsNameChar(ch)) return false;
  }
  return true;
}

std::optional<int> ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
  return int(value);
}

std::optional<float> ParseLeadingFloat(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // from_chars takes no sign of its own here (so "+-1" stays invalid) and never reads a locale.
  if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) return std::nullopt;
  float value = 0;
  auto [end, ec] =
      std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

namespace {

template <typename T, typename Parse>
std::vector<T> ParseList(std::string_view text, Parse parse) {
  std::vector<T> out;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    auto item = parse(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    if (!item) return {};
    out.push_back(*item);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace

std::vector<int> ParseIntList(std::string_view text) {
  return ParseList<int>(text, ParseLeadingInt);
}
std::vector<float> ParseFloatList(std::string_view text) {
  return ParseList<float>(text, ParseLeadingFloat);
}

std::string FormatInt(int value) {
  return std::to_string(value);
}

std::string FormatFloat(float value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, double(value), std::chars_format::general, 6);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

std::string Reformat(std::string_view raw) {
  std::string out;
  out.reserve(raw.size() + raw.size() / 4);
  int depth = 0;
  bool first = true;
  bool textSinceTag = false;
  bool skipSpace = true;
  auto lineBreak = [&] {
    if (first) {
      first = false;
      return;
    }
    out += "\r\n";
    out.append(size_t(depth > 0 ? depth : 0) * 2, ' ');
  };
  auto startsWith = [&](size_t i, std::string_view s) { return raw.substr(i, s.size()) == s; };
  // Copies raw[i..] up to and including the terminator; returns the index after it.
  auto copyThrough = [&](size_t i, std::string_view terminator) {
    size_t end = raw.find(terminator, i);
    end = end == std::string_view::npos ? raw.size() : end + terminator.size();
    out.append(raw.substr(i, end - i));
    return end;
  };

  size_t i = 0;
  while (i < raw.size()) {
    char c = raw[i];
    if (c != '<') {
      if (skipSpace && uint8_t(c) < uint8_t('!')) {
        ++i;
        continue;
      }
      skipSpace = false;
      textSinceTag = true;
      out += c;
      ++i;
      continue;
    }
    if (startsWith(i, "<![CDATA[")) {
      // Character data is text: copied as it is, never broken.
      skipSpace = false;
      textSinceTag = true;
      i = copyThrough(i, "]]>");
      continue;
    }
    if (startsWith(i, "<!--")) {
      lineBreak();
      i = copyThrough(i, "-->");
    } else if (startsWith(i, "<?")) {
      lineBreak();
      i = copyThrough(i, "?>");
    } else {
      bool closing = startsWith(i, "</");
      bool declaration = startsWith(i, "<!");
      if (closing) {
        --depth;
        if (!textSinceTag) lineBreak();
        out += "</";
        i += 2;
      } else {
        lineBreak();
        if (!declaration) ++depth;
        out += '<';
        ++i;
      }
      bool quoted = false;
      while (i < raw.size()) {
        char t = raw[i++];
        out += t;
        if (t == '"') {
          quoted = !quoted;
        } else if (!quoted && t == '/' && !declaration) {
          --depth;  // the end of an empty element
        } else if (!quoted && t == '>') {
          break;
        }
      }
    }
    textSinceTag = false;
    skipSpace = true;
  }
  return out;
}

}  // namespace xmltext
