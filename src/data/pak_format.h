// The archive layout shared by the reader, the writer and the tools. All integers are 32-bit
// little-endian and offsets absolute:
//   header   "Tolvek  " (8 bytes), seed (4), unused (4, written as zero)
//   member   length N (4), then N bytes stored through the substitution table
//   entry    member offset (4), next entry offset (4), name (252, zero-terminated)
//   trailer  first entry offset (4), entry count (4): the file's last 8 bytes
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pak {

inline constexpr char kMagic[8] = {'T', 'o', 'l', 'v', 'e', 'k', ' ', ' '};
inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kTrailerSize = 8;
inline constexpr size_t kEntrySize = 260;
inline constexpr size_t kNameSize = 252;  // including the terminating zero
inline constexpr size_t kMaxNameLength = kNameSize - 1;

using Table = std::array<uint8_t, 256>;

// The permutation P stored bytes go through (plain x is stored as P[x]), built from the seed with
// the C runtime's generator: 1000 swaps of P[a & 0xFF] and P[b & 0xFF].
Table BuildSubstitution(uint32_t seed);
// Q with Q[P[x]] = x.
Table InvertTable(const Table& p);

inline uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void WriteLe32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

}  // namespace pak
