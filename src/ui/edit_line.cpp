#include "ui/edit_line.h"

#include <algorithm>
#include <cstring>

#include "scene/input.h"

bool IsEditCharacter(int code) {
  static constexpr char kAllowed[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_- ";
  return code > 0 && code < 256 && std::memchr(kAllowed, code, sizeof kAllowed - 1) != nullptr;
}

void ApplyEditKey(EditLine& line, int code) {
  std::string& t = line.text;
  const int length = int(t.size());
  int& c = line.caret;
  c = std::clamp(c, 0, length);
  if (code == kEditKeyBackspace) {
    if (c > 0) t.erase(size_t(--c), 1);
  } else if (code == kEditKeyDelete) {
    if (c < length) t.erase(size_t(c), 1);
  } else if (code == kEditKeyRight) {
    c = std::min(c + 1, length);
  } else if (code == kEditKeyLeft) {
    c = std::max(c - 1, 0);
  } else if (IsEditCharacter(code)) {
    t.insert(size_t(c), 1, char(code));
    ++c;
  }
  const int maximum = std::max(line.maxLength, 0);
  if (int(t.size()) > maximum) t.resize(size_t(maximum));
  if (c >= maximum) c = std::max(maximum - 1, 0);
}
