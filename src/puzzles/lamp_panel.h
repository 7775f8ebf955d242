// The barn's power cabinet as rules: nine lamps in a three-by-three grid and five lever switches.
// Each switch flips its own lever and a fixed set of lamps; the panel is solved when every lamp is
// lit. No two sets of switches light the same lamps, so every scramble has exactly one answer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace power {

inline constexpr int kLampCount = 9;  // A1 A2 A3 / B1 B2 B3 / C1 C2 C3, row by row
inline constexpr int kSwitchCount = 5;
inline constexpr uint16_t kAllLit = (1u << kLampCount) - 1;
inline constexpr int kScrambleFlips = 100;

// The lamps each switch flips, one bit per lamp (bit 0 = A1 ... bit 8 = C3).
uint16_t SwitchLamps(int value);
// The switches (bit per switch) whose flips together turn exactly the given lamps over.
// Every lamp pattern a scramble can leave has one; -1 when none does.
int SwitchesFor(uint16_t lamps);

class LampPanel {
 public:
  // All lamps lit, levers at random, then the lamps scrambled by random flips (the levers stay
  // where they are) and never left all lit. The result is kept for Reset.
  void Scramble();
  // Flips switch value and its lamps; false (nothing changes) once solved or for a bad value.
  bool Flip(int value);
  void Reset();
  // Every lamp lit, for a solve-now.
  void LightAll() { lamps_ = kAllLit; }
  // The starting state of a test or a saved board; it becomes the reset state.
  void Set(uint16_t lamps, uint8_t levers);

  bool Solved() const { return lamps_ == kAllLit; }
  bool LampLit(int lamp) const { return (lamps_ >> lamp) & 1; }
  bool LeverOn(int value) const { return (levers_ >> value) & 1; }
  uint16_t Lamps() const { return lamps_; }
  uint8_t Levers() const { return levers_; }

 private:
  uint16_t lamps_ = kAllLit;
  uint8_t levers_ = 0;
  uint16_t savedLamps_ = kAllLit;
  uint8_t savedLevers_ = 0;
};

}  // namespace power
