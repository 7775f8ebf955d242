// Builds archives in the game's format (paktool and tests). The output depends only on the members
// (in the order given), their bytes and the seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pak {

struct MemberSource {
  std::string name;  // member name as the game asks for it ("GUI\CursorHand.png")
  std::vector<uint8_t> bytes;
};

// Empty when the archive can be built; otherwise why not (a name too long or empty, a name that
// repeats another without regard to case, an archive beyond 4 GiB).
std::string CheckMembers(const std::vector<MemberSource>& members);
// The whole archive: header, members in order, the directory chain in the same order, trailer.
// Returns false (out untouched) when CheckMembers finds a problem.
bool BuildArchive(const std::vector<MemberSource>& members, uint32_t seed, std::vector<uint8_t>& out);

}  // namespace pak
