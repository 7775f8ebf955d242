// The camera's code lock as rules: four display slots filled by the digit keys, Enter checks the
// code (a wrong or short code clears the slots), Clear empties them. Once open nothing changes.
#pragma once

#include <array>
#include <string>

namespace cameracode {

inline constexpr int kSlots = 4;
inline constexpr int kCode = 1871;  // the year on the Code tag

enum class Enter { Ignored, Wrong, Solved };

class CodeEntry {
 public:
  explicit CodeEntry(int code = kCode);

  // False when the digit is not taken (solved, the slots full, not a digit).
  bool Digit(int digit);
  Enter PressEnter();
  // False once solved.
  bool Clear();
  // The code shown in the slots, ready for Enter (a solve-now); false once solved.
  bool ShowCode();

  bool Solved() const { return solved_; }
  int Count() const { return count_; }
  // The slot's digit, -1 when empty.
  int SlotDigit(int slot) const { return slot >= 0 && slot < kSlots ? slots_[size_t(slot)] : -1; }
  // What a slot shows: its digit or "-".
  std::string SlotText(int slot) const;
  int Code() const { return code_; }

 private:
  void Empty();

  std::array<int, kSlots> slots_{};
  int count_ = 0;
  int code_;
  bool solved_ = false;
};

}  // namespace cameracode
