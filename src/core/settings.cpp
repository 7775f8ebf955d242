// The settings store over the typed key file. Each call reads the file afresh and each write
// rewrites it whole, so two parts of the game never see different values.
#include "core/settings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/os/host.h"
#include "platform/settings/key_file.h"

namespace {
// Writers read, change and rewrite the file; the music thread saves its volume too.
std::mutex g_mutex;

const settings::Value* Lookup(settings::KeyFile& file, const char* section, const char* name) {
  if (!section || !name) return nullptr;
  if (!settings::ReadKeyFile(SettingsFilePath(), file)) return nullptr;
  return file.Find(section, name);
}

int Store(const char* section, const char* name, settings::Value value) {
  if (!section || !name) return 0;
  std::lock_guard lock(g_mutex);
  settings::KeyFile file;
  std::string path = SettingsFilePath();
  if (!settings::ReadKeyFile(path, file)) return 0;
  if (!file.Set(section, name, std::move(value))) return 0;
  return settings::WriteKeyFile(path, file) ? 1 : 0;
}

// The stored text when it is a string that fits bufferSize with its terminating zero, else the
// default (cut to the buffer if it is itself too long).
std::string ReadString(const char* section, const char* name, const char* def, size_t bufferSize) {
  if (bufferSize == 0) return {};
  {
    std::lock_guard lock(g_mutex);
    settings::KeyFile file;
    const settings::Value* v = Lookup(file, section, name);
    if (v && v->type == settings::Value::Type::String) {
      // A C string ends at its first zero byte, as the registry's text would.
      std::string text = v->text.substr(0, v->text.find('\0'));
      if (text.size() + 1 <= bufferSize) return text;
    }
  }
  std::string fallback = def ? def : "";
  if (fallback.size() + 1 > bufferSize) fallback.resize(bufferSize - 1);
  return fallback;
}

std::string FormatG(float value) {
  // "%g" of the float promoted to double, without depending on the C locale's decimal point.
  char buf[52];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf - 1, double(value), std::chars_format::general, 6);
  if (ec != std::errc()) return "0";
  return std::string(buf, p);
}

bool ParseFloat(std::string_view text, float& out) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  float v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}
}  // namespace

std::string SettingsFilePath() {
  return os::JoinPath(os::ConfigDir(), "settings.ini");
}

int SetSettingInt(const char* section, const char* name, int32_t value) {
  return Store(section, name, settings::Value::Dword(uint32_t(value)));
}

int32_t GetSettingInt(const char* section, const char* name, int32_t def) {
  std::lock_guard lock(g_mutex);
  settings::KeyFile file;
  const settings::Value* v = Lookup(file, section, name);
  return v && v->type == settings::Value::Type::Dword ? int32_t(v->dword) : def;
}

int SetSettingString(const char* section, const char* name, const char* text) {
  if (!text) return 0;
  return Store(section, name, settings::Value::String(text));
}

int GetSettingString(const char* section, const char* name, const char* def, char* buffer,
                     size_t bufferSize) {
  if (!buffer || bufferSize == 0) return 0;
  std::string text = ReadString(section, name, def, bufferSize);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = 0;
  return int(text.size());
}

std::string GetSettingString(const char* section, const char* name, const char* def, size_t bufferSize) {
  return ReadString(section, name, def, bufferSize);
}

int SetSettingFloat(const char* section, const char* name, float value) {
  return SetSettingString(section, name, FormatG(value).c_str());
}

float GetSettingFloat(const char* section, const char* name, float def) {
  // A missing value goes through the same text as a stored one, so both read back alike.
  std::string defText = FormatG(def);
  std::string text = ReadString(section, name, defText.c_str(), 50);
  float v = 0;
  if (ParseFloat(text, v)) return v;
  if (ParseFloat(defText, v)) return v;
  return def;
}
