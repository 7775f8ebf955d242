#include "data/pak_writer.h"

#include <cstring>
#include <unordered_set>

#include "data/pak_format.h"
#include "data/pak_names.h"

namespace pak {

std::string CheckMembers(const std::vector<MemberSource>& members) {
  std::unordered_set<std::string> seen;
  uint64_t size = kHeaderSize + kTrailerSize;
  for (const MemberSource& m : members) {
    if (m.name.empty()) return "a member has an empty name";
    if (m.name.size() > kMaxNameLength)
      return "member name longer than " + std::to_string(kMaxNameLength) + " bytes: " + m.name;
    if (m.name.find('\0') != std::string::npos) return "member name holds a zero byte: " + m.name;
    // The reader takes the first of two names that differ only in case; the second could never be
    // read, so such a pair is refused rather than silently shadowed.
    if (!seen.insert(FoldCase(m.name)).second)
      return "two members named " + m.name + " (letter case ignored)";
    size += 4 + uint64_t(m.bytes.size()) + kEntrySize;
  }
  if (size > UINT32_MAX) return "the archive would be larger than 4 GiB";
  return {};
}

bool BuildArchive(const std::vector<MemberSource>& members, uint32_t seed, std::vector<uint8_t>& out) {
  if (!CheckMembers(members).empty()) return false;
  const Table p = BuildSubstitution(seed);

  size_t total = kHeaderSize + kTrailerSize + members.size() * kEntrySize;
  for (const MemberSource& m : members) total += 4 + m.bytes.size();
  std::vector<uint8_t> buf(total, 0);

  std::memcpy(buf.data(), kMagic, sizeof kMagic);
  WriteLe32(&buf[8], seed);
  // bytes 12..15 stay zero

  std::vector<uint32_t> offsets;
  offsets.reserve(members.size());
  size_t pos = kHeaderSize;
  for (const MemberSource& m : members) {
    offsets.push_back(uint32_t(pos));
    WriteLe32(&buf[pos], uint32_t(m.bytes.size()));
    pos += 4;
    for (uint8_t b : m.bytes) buf[pos++] = p[b];
  }

  const size_t dir = pos;
  for (size_t i = 0; i < members.size(); ++i) {
    uint8_t* e = &buf[dir + i * kEntrySize];
    WriteLe32(e, offsets[i]);
    // The last entry's link is never followed; it is written as zero.
    WriteLe32(e + 4, i + 1 < members.size() ? uint32_t(dir + (i + 1) * kEntrySize) : 0);
    std::memcpy(e + 8, members[i].name.data(), members[i].name.size());
  }
  pos = dir + members.size() * kEntrySize;
  WriteLe32(&buf[pos], uint32_t(dir));
  WriteLe32(&buf[pos + 4], uint32_t(members.size()));
  out = std::move(buf);
  return true;
}

}  // namespace pak
