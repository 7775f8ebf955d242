#include "puzzles/lamp_panel.h"

#include "core/random.h"

namespace power {

namespace {
enum : uint16_t { A1 = 1, A2 = 2, A3 = 4, B1 = 8, B2 = 16, B3 = 32, C1 = 64, C2 = 128, C3 = 256 };
constexpr std::array<uint16_t, kSwitchCount> kSwitchLamps = {
    A3 | B1 | C1, A1 | A2 | C3, A3 | B3 | C1, C1 | C2 | A3, A1 | A3 | B2 | C1 | C3,
};
}  // namespace

uint16_t SwitchLamps(int value) {
  return value >= 0 && value < kSwitchCount ? kSwitchLamps[size_t(value)] : 0;
}

int SwitchesFor(uint16_t lamps) {
  for (int set = 0; set < (1 << kSwitchCount); ++set) {
    uint16_t flipped = 0;
    for (int v = 0; v < kSwitchCount; ++v)
      if ((set >> v) & 1) flipped ^= kSwitchLamps[size_t(v)];
    if (flipped == lamps) return set;
  }
  return -1;
}

void LampPanel::Scramble() {
  lamps_ = kAllLit;
  levers_ = 0;
  for (int v = 0; v < kSwitchCount; ++v)
    if (RandomValue() % 2 == 0) levers_ |= uint8_t(1u << v);
  for (int i = 0; i < kScrambleFlips; ++i) lamps_ ^= kSwitchLamps[size_t(RandomValue() % kSwitchCount)];
  // Every switch flips at least one lamp, so one more flip never leaves them all lit.
  if (lamps_ == kAllLit) lamps_ ^= kSwitchLamps[size_t(RandomValue() % kSwitchCount)];
  savedLamps_ = lamps_;
  savedLevers_ = levers_;
}

bool LampPanel::Flip(int value) {
  if (Solved() || value < 0 || value >= kSwitchCount) return false;
  levers_ ^= uint8_t(1u << value);
  lamps_ ^= kSwitchLamps[size_t(value)];
  return true;
}

void LampPanel::Reset() {
  lamps_ = savedLamps_;
  levers_ = savedLevers_;
}

void LampPanel::Set(uint16_t lamps, uint8_t levers) {
  lamps_ = savedLamps_ = lamps & kAllLit;
  levers_ = savedLevers_ = levers & ((1u << kSwitchCount) - 1);
}

}  // namespace power
