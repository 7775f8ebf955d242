// Helpers for the data tests: files in a temporary folder, a hand-made archive layout independent
// of the game's writer, and a recorder of message boxes.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/host.h"
#include "support/test_env.h"

namespace datatest {

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<uint8_t> Bytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
inline void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// The substitution permutation written out from the format's own words.
inline std::vector<uint8_t> Permutation(uint32_t seed) {
  std::vector<uint8_t> p(256);
  for (int i = 0; i < 256; ++i) p[i] = uint8_t(i);
  uint32_t state = seed;
  auto draw = [&] {
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFF;
  };
  for (int i = 0; i < 1000; ++i) {
    uint32_t a = draw();
    uint32_t b = draw();
    std::swap(p[a & 0xFF], p[b & 0xFF]);
  }
  return p;
}

// An archive laid out unlike the game's writer: directory entries first and chained backwards,
// members after them, so a reader that assumes the writer's layout fails.
inline std::vector<uint8_t> HandMadeArchive(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members, uint32_t seed) {
  std::vector<uint8_t> out(16, 0);
  const char magic[] = "Tolvek  ";
  for (int i = 0; i < 8; ++i) out[i] = uint8_t(magic[i]);
  PutLe32(out, 8, seed);
  PutLe32(out, 12, 0xDEADBEEF);  // never read
  const size_t n = members.size();
  const size_t dir = 16;
  out.resize(dir + n * 260, 0);
  std::vector<uint8_t> p = Permutation(seed);
  for (size_t i = 0; i < n; ++i) {
    size_t memberOffset = out.size();
    out.resize(out.size() + 4);
    PutLe32(out, memberOffset, uint32_t(members[i].second.size()));
    for (uint8_t x : members[i].second) out.push_back(p[x]);
    // Entry k (chain order) sits in slot n-1-k; each names the slot before it.
    size_t slot = dir + (n - 1 - i) * 260;
    PutLe32(out, slot, uint32_t(memberOffset));
    PutLe32(out, slot + 4, i + 1 < n ? uint32_t(slot - 260) : 0xFFFFFFF0u);
    for (size_t c = 0; c < members[i].first.size(); ++c) out[slot + 8 + c] = uint8_t(members[i].first[c]);
  }
  size_t trailer = out.size();
  out.resize(trailer + 8);
  PutLe32(out, trailer, uint32_t(dir + (n ? (n - 1) * 260 : 0)));
  PutLe32(out, trailer + 4, uint32_t(n));
  return out;
}

// Records every message box shown while it lives.
class BoxRecorder {
 public:
  struct Box {
    std::string caption, text;
    os::MsgIcon icon;
  };
  BoxRecorder() {
    os::SetMessageBoxHook([this](const std::string& c, const std::string& t, os::MsgIcon i) {
      boxes.push_back({c, t, i});
      return int(os::kMsgOk);
    });
  }
  ~BoxRecorder() { os::SetMessageBoxHook({}); }
  std::vector<Box> boxes;
};

}  // namespace datatest
