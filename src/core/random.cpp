#include "core/random.h"

Random& GameRandom() {
  static Random instance;
  return instance;
}

Random& EffectRandom() {
  static Random instance;
  return instance;
}

void SeedRandom(uint32_t seed) {
  GameRandom().Seed(seed);
  EffectRandom().Seed(seed);
}
