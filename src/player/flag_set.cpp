#include "player/flag_set.h"

bool FlagSet::Test(int flag) const {
  if (!InRange(flag)) return false;
  return (words_[flag / 32] >> (flag % 32)) & 1u;
}

bool FlagSet::Set(int flag) {
  if (!InRange(flag)) return false;
  bool was = Test(flag);
  words_[flag / 32] |= 1u << (flag % 32);
  return was;
}

void FlagSet::Clear(int flag) {
  if (!InRange(flag)) return;
  words_[flag / 32] &= ~(1u << (flag % 32));
}

std::string FlagSet::ToText() const {
  std::string text;
  for (int i = 0; i < kWordCount; ++i) {
    if (i) text += ',';
    // Stored files carry the words as signed 32-bit numbers.
    text += std::to_string(static_cast<int32_t>(words_[i]));
  }
  return text;
}
