// The settings-file parser on arbitrary bytes: it must never crash, and whatever it keeps must
// survive a write and a read unchanged (the store rewrites the file on every change).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/settings/key_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  settings::KeyFile file = settings::KeyFile::Parse(text);
  std::string once = file.Serialize();
  settings::KeyFile again = settings::KeyFile::Parse(once);
  if (again.Serialize() != once) std::abort();
  for (const auto& section : file.Sections()) {
    for (const auto& entry : section.entries) {
      const settings::Value* v = again.Find(section.name, entry.name);
      if (!v || v->type != entry.value.type || v->dword != entry.value.dword || v->text != entry.value.text) {
        std::abort();
      }
    }
  }
  return 0;
}
