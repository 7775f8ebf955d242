// The 128 story flags of a player: flag n is bit (n mod 32) of word (n div 32). Flags have numbers,
// not names; any number outside 0..127 (negative ones included) addresses no flag.
#pragma once

#include <cstdint>
#include <string>

class FlagSet {
 public:
  static constexpr int kFlagCount = 128;
  static constexpr int kWordCount = 4;

  bool Test(int flag) const;
  // Returns whether the flag was already set, so callers can use it as a first-time test.
  bool Set(int flag);
  void Clear(int flag);

  uint32_t Word(int index) const { return words_[index]; }
  void SetWord(int index, uint32_t value) { words_[index] = value; }

  // The words as signed decimals joined by commas ("1,0,0,0"); bit 31 makes a word negative.
  std::string ToText() const;

  bool operator==(const FlagSet&) const = default;

 private:
  static bool InRange(int flag) { return static_cast<unsigned>(flag) < kFlagCount; }
  uint32_t words_[kWordCount] = {};
};
