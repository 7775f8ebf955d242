#include "data/pak_format.h"

#include <utility>

#include "core/random.h"

namespace pak {

Table BuildSubstitution(uint32_t seed) {
  Table p;
  for (int i = 0; i < 256; ++i) p[i] = uint8_t(i);
  // A local generator: opening an archive must never disturb the game's sequence.
  Random rng(seed);
  for (int i = 0; i < 1000; ++i) {
    int a = rng.Next();
    int b = rng.Next();
    std::swap(p[a & 0xFF], p[b & 0xFF]);
  }
  return p;
}

Table InvertTable(const Table& p) {
  Table q;
  for (int i = 0; i < 256; ++i) q[p[i]] = uint8_t(i);
  return q;
}

}  // namespace pak
