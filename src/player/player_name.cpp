#include "player/player_name.h"

namespace {
bool IsNameChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == ' ';
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The base name of a profile file name, or empty when it does not end in ".xml" (any case).
std::string_view ProfileBase(std::string_view file) {
  if (file.size() <= kProfileExtension.size()) return {};
  std::string_view ext = file.substr(file.size() - kProfileExtension.size());
  if (!SameNameIgnoringCase(ext, kProfileExtension)) return {};
  return file.substr(0, file.size() - kProfileExtension.size());
}
}  // namespace

bool IsValidPlayerName(std::string_view name) {
  if (name.empty() || name.size() > kMaxPlayerNameLength) return false;
  bool allSpaces = true;
  for (char c : name) {
    if (!IsNameChar(static_cast<unsigned char>(c))) return false;
    if (c != ' ') allSpaces = false;
  }
  return !allSpaces;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string FindProfileFile(const std::vector<std::string>& listing, std::string_view name) {
  if (!IsValidPlayerName(name)) return {};
  const std::string* match = nullptr;
  for (const std::string& file : listing) {
    std::string_view base = ProfileBase(file);
    if (base.empty() || !SameNameIgnoringCase(base, name)) continue;
    if (base == name && std::string_view(file).ends_with(kProfileExtension)) return file;
    if (!match) match = &file;
  }
  return match ? *match : std::string();
}

std::vector<std::string> PlayerNamesInListing(const std::vector<std::string>& listing) {
  std::vector<std::string> names;
  for (const std::string& file : listing) {
    std::string_view base = ProfileBase(file);
    if (!IsValidPlayerName(base)) continue;
    bool seen = false;
    for (const std::string& n : names) seen = seen || SameNameIgnoringCase(n, base);
    if (!seen) names.emplace_back(base);
  }
  return names;
}
