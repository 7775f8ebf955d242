#include "platform/settings/key_file.h"

#include <charconv>

#include "platform/os/host.h"

namespace settings {
namespace {
// A settings file is a few hundred bytes; anything vastly larger is garbage, not settings.
constexpr size_t kMaxFileBytes = 1 << 20;

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool IsValidName(std::string_view name, char forbidden) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  if (name.front() == '[' || name.front() == ';' || name.front() == '#') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || c == forbidden) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "dword:" followed by a decimal number in the int32 or uint32 range, or 0x and up to 8 hex digits.
bool ParseDword(std::string_view text, uint32_t& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(first + 2, last, v, 16);
    if (ec != std::errc() || p != last || v > 0xFFFFFFFFull || text.size() > 10) return false;
    out = uint32_t(v);
    return true;
  }
  int64_t v = 0;
  auto [p, ec] = std::from_chars(first, last, v, 10);
  if (ec != std::errc() || p != last || v < INT32_MIN || v > int64_t(UINT32_MAX)) return false;
  out = uint32_t(v);
  return true;
}
}  // namespace

bool IsValidSectionName(std::string_view name) {
  return IsValidName(name, ']');
}
bool IsValidValueName(std::string_view name) {
  return IsValidName(name, '=');
}

std::string QuoteString(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (unsigned char c : bytes) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += char(c);
        }
    }
  }
  out += '"';
  return out;
}

bool UnquoteString(std::string_view text, std::string& out) {
  out.clear();
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return false;
  text = text.substr(1, text.size() - 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') return false;  // an unescaped quote inside: not one string
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        if (i + 2 >= text.size()) return false;
        int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += char(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

KeyFile KeyFile::Parse(std::string_view text) {
  KeyFile file;
  Section* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      current = nullptr;  // a damaged header must not let its values fall into the previous section
      if (line.back() != ']') continue;
      std::string_view name = line.substr(1, line.size() - 2);
      if (!IsValidSectionName(name)) continue;
      current = file.FindSection(name);
      if (!current) {
        file.sections_.push_back({std::string(name), {}});
        current = &file.sections_.back();
      }
      continue;
    }
    size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    std::string_view name = Trim(line.substr(0, eq));
    std::string_view raw = Trim(line.substr(eq + 1));
    if (!IsValidValueName(name)) continue;
    Value value;
    if (raw.substr(0, 6) == "dword:") {
      if (!ParseDword(raw.substr(6), value.dword)) continue;
      value.type = Value::Type::Dword;
    } else if (!raw.empty() && raw.front() == '"') {
      if (!UnquoteString(raw, value.text)) continue;
      value.type = Value::Type::String;
    } else {
      // Another type ("hex:..." and the like): not ours to read, but kept on rewrite.
      size_t colon = raw.find(':');
      if (colon == std::string_view::npos || colon == 0) continue;
      value.type = Value::Type::Other;
      value.text = std::string(raw);
    }
    file.Set(current->name, name, std::move(value));
  }
  return file;
}

std::string KeyFile::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    if (s.entries.empty()) continue;
    if (!out.empty()) out += '\n';
    out += '[' + s.name + "]\n";
    for (const Entry& e : s.entries) {
      out += e.name;
      out += '=';
      switch (e.value.type) {
        case Value::Type::Dword:
          out += "dword:" + std::to_string(int32_t(e.value.dword));
          break;
        case Value::Type::String:
          out += QuoteString(e.value.text);
          break;
        case Value::Type::Other:
          out += e.value.text;
          break;
      }
      out += '\n';
    }
  }
  return out;
}

KeyFile::Section* KeyFile::FindSection(std::string_view name) {
  for (Section& s : sections_) {
    if (EqualNoCase(s.name, name)) return &s;
  }
  return nullptr;
}

const Value* KeyFile::Find(std::string_view section, std::string_view name) const {
  for (const Section& s : sections_) {
    if (!EqualNoCase(s.name, section)) continue;
    for (const Entry& e : s.entries) {
      if (EqualNoCase(e.name, name)) return &e.value;
    }
  }
  return nullptr;
}

bool KeyFile::Set(std::string_view section, std::string_view name, Value value) {
  if (!IsValidSectionName(section) || !IsValidValueName(name)) return false;
  if (value.type == Value::Type::Other) {
    // Kept verbatim, so it must stay one line that parses back as the same thing.
    for (unsigned char c : value.text) {
      if (c < 0x20 && c != '\t') return false;
    }
  }
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back({std::string(section), {}});
    s = &sections_.back();
  }
  for (Entry& e : s->entries) {
    if (EqualNoCase(e.name, name)) {
      e.value = std::move(value);
      return true;
    }
  }
  s->entries.push_back({std::string(name), std::move(value)});
  return true;
}

bool KeyFile::Remove(std::string_view section, std::string_view name) {
  Section* s = FindSection(section);
  if (!s) return false;
  for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
    if (EqualNoCase(it->name, name)) {
      s->entries.erase(it);
      return true;
    }
  }
  return false;
}

bool ReadKeyFile(const std::string& path, KeyFile& out) {
  out = KeyFile();
  int64_t size = os::FileSize(path);
  if (size < 0) {
    // Nothing there (or not a regular file we could replace anyway): an empty store.
    return !os::IsDirectory(path) && !os::FileExists(path);
  }
  if (size_t(size) > kMaxFileBytes) return true;  // garbage: reads as defaults, may be replaced
  std::vector<uint8_t> bytes;
  if (!os::ReadFile(path, bytes, kMaxFileBytes)) return false;
  out = KeyFile::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return true;
}

bool WriteKeyFile(const std::string& path, const KeyFile& file) {
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !os::MakeDirectories(path.substr(0, slash))) return false;
  return os::WriteFileAtomic(path, file.Serialize());
}

}  // namespace settings
