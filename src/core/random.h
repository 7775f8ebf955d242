// The game's random generator: the C runtime's linear congruential formula, so that every
// "r / 32768" and "r mod n" of the game behaves as described. One process-wide instance seeded once
// by the application; anything that needs its own sequence (the pak reader) uses a local Random.
#pragma once

#include <cstdint>

class Random {
 public:
  explicit Random(uint32_t seed = 1) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  // 0..32767
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return int((state_ >> 16) & 0x7FFF);
  }
  // a + r / 32768 * (b - a)
  float Uniform(float a, float b) { return a + float(Next()) / 32768.0f * (b - a); }
  uint32_t State() const { return state_; }

 private:
  uint32_t state_;
};

// The process-wide generator (seeded with the calendar time by the application constructor).
Random& GameRandom();
inline int RandomValue() {
  return GameRandom().Next();
}
inline float RandomUniform(float a, float b) {
  return GameRandom().Uniform(a, b);
}

// Decoration (particles, twinkling stars, flicker, glows) draws from a generator of its own: how
// often an effect happened to draw must never change what the rules deal next (puzzle boards,
// item lists), so a run seeded before a deal deals the same whatever ran before it.
Random& EffectRandom();
inline int EffectRandomValue() {
  return EffectRandom().Next();
}
inline float EffectRandomUniform(float a, float b) {
  return EffectRandom().Uniform(a, b);
}
// Seeds both generators (start-up, the automation "seed" command, tests).
void SeedRandom(uint32_t seed);
