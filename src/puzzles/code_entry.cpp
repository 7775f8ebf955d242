#include "puzzles/code_entry.h"

namespace cameracode {

CodeEntry::CodeEntry(int code) : code_(code) {
  Empty();
}

void CodeEntry::Empty() {
  slots_.fill(-1);
  count_ = 0;
}

bool CodeEntry::Digit(int digit) {
  if (solved_ || count_ >= kSlots || digit < 0 || digit > 9) return false;
  slots_[size_t(count_++)] = digit;
  return true;
}

Enter CodeEntry::PressEnter() {
  if (solved_) return Enter::Ignored;
  int entered = 0;
  for (int d : slots_) entered = entered * 10 + d;
  if (count_ == kSlots && entered == code_) {
    solved_ = true;
    return Enter::Solved;
  }
  Empty();
  return Enter::Wrong;
}

bool CodeEntry::Clear() {
  if (solved_) return false;
  Empty();
  return true;
}

bool CodeEntry::ShowCode() {
  if (solved_) return false;
  for (int i = kSlots - 1, rest = code_; i >= 0; --i, rest /= 10) slots_[size_t(i)] = rest % 10;
  count_ = kSlots;
  return true;
}

std::string CodeEntry::SlotText(int slot) const {
  const int d = SlotDigit(slot);
  return d < 0 ? std::string("-") : std::string(1, char('0' + d));
}

}  // namespace cameracode
