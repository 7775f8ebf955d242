// Archive bytes -> open -> read every member, by index and by name.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/pakfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);
  auto pak = CPakfile::FromImage("fuzz.pak", std::move(image));
  size_t total = 0;
  for (size_t i = 0; i < pak->Records().size(); ++i) {
    const CPakfile::Record& r = pak->Records()[i];
    auto bytes = pak->ReadMemberAt(i);
    // Every record that survived the directory checks must be readable, whole, within the input.
    if (!bytes || bytes->size() != r.length || bytes->size() > size) std::abort();
    total += bytes->size();
    auto byName = pak->ReadMember(r.name);
    if (!byName) std::abort();
  }
  if (pak->GetState() != CPakfile::State::kOk && !pak->Records().empty()) std::abort();
  (void)total;
  return 0;
}
