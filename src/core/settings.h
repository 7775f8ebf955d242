// The settings store: a handful of values that outlive a run, kept in a typed settings file under
// the user's config folder, one section per group of values.
// No cache: every read parses the file, every write rewrites it atomically. Reads never fail: a
// missing value, a missing file or a value of the wrong type gives the default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

int SetSettingInt(const char* section, const char* name, int32_t value);
int32_t GetSettingInt(const char* section, const char* name, int32_t def);
int SetSettingString(const char* section, const char* name, const char* text);
// Copies the stored text (or the default when missing, mistyped or too long for the buffer,
// terminating zero included) into buffer; returns the length placed there.
int GetSettingString(const char* section, const char* name, const char* def, char* buffer, size_t bufferSize);
std::string GetSettingString(const char* section, const char* name, const char* def, size_t bufferSize);
int SetSettingFloat(const char* section, const char* name, float value);
float GetSettingFloat(const char* section, const char* name, float def);

// The settings file path ($XDG_CONFIG_HOME/Brannock/Vardell/settings.ini).
std::string SettingsFilePath();
