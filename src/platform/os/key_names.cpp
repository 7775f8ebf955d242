#include <cstdlib>
#include <string>

#include "platform/os/keys.h"

namespace os::vk {
namespace {
struct Named {
  const char* name;
  int code;
};
constexpr Named kNames[] = {
    {"escape", kEscape},  {"esc", kEscape},  {"return", kReturn},   {"enter", kReturn},  {"back", kBack},
    {"backspace", kBack}, {"tab", kTab},     {"space", kSpace},     {"delete", kDelete}, {"del", kDelete},
    {"insert", kInsert},  {"home", kHome},   {"end", kEnd},         {"pageup", kPrior},  {"prior", kPrior},
    {"pagedown", kNext},  {"next", kNext},   {"left", kLeft},       {"right", kRight},   {"up", kUp},
    {"down", kDown},      {"shift", kShift}, {"control", kControl}, {"ctrl", kControl},  {"alt", kMenu},
    {"menu", kMenu},      {"pause", kPause},
};

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}
}  // namespace

int FromName(const std::string& name) {
  std::string n = Lower(name);
  if (n.size() == 1) {
    char c = n[0];
    if (c >= 'a' && c <= 'z') return kA + (c - 'a');
    if (c >= '0' && c <= '9') return k0 + (c - '0');
    return 0;
  }
  if (n.size() <= 3 && n[0] == 'f' && n[1] >= '1' && n[1] <= '9' &&
      (n.size() == 2 || (n[2] >= '0' && n[2] <= '9'))) {
    int f = std::atoi(n.c_str() + 1);
    if (f >= 1 && f <= 24) return kF1 + f - 1;
    return 0;
  }
  for (const Named& k : kNames) {
    if (n == k.name) return k.code;
  }
  return 0;
}

}  // namespace os::vk
