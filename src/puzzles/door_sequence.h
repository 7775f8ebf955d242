// The barn door keypad as rules: a hidden order of the eight lamp columns, of which the first four
// are asked for one after another. A right press moves on, a wrong one starts over with a new
// order, the fourth right press opens the door; after that the keypad is dead.
#pragma once

#include <array>
#include <cstddef>

namespace barndoor {

inline constexpr int kColumns = 8;
inline constexpr int kAsked = 4;
inline constexpr int kShuffleSwaps = 1000;

enum class Press { Ignored, Right, Wrong, Solved };

// How much a ding is raised after column c was answered: 2^(c / 8), 1 for column 0.
float DingPitch(int column);

class DoorSequence {
 public:
  DoorSequence() { NewAttempt(); }

  // A fresh random order; nothing answered yet.
  void NewAttempt();
  // The button of column value pressed. A wrong press already holds the new attempt.
  Press Push(int value);
  // Every asked column answered at once (a solve-now).
  void SolveNow();

  bool Solved() const { return position_ >= kAsked; }
  int Position() const { return position_; }
  // The column whose call lamp is lit, -1 once solved.
  int Calling() const { return Solved() ? -1 : order_[size_t(position_)]; }
  // Whether the progress lamp of column c is lit: the columns answered in this attempt.
  bool Answered(int column) const;
  const std::array<int, kColumns>& Order() const { return order_; }

 private:
  std::array<int, kColumns> order_{};
  int position_ = 0;
};

}  // namespace barndoor
