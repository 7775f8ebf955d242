#include "puzzles/door_sequence.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "core/random.h"

namespace barndoor {

float DingPitch(int column) {
  return std::exp2(float(column) * 0.125f);
}

void DoorSequence::NewAttempt() {
  std::iota(order_.begin(), order_.end(), 0);
  for (int i = 0; i < kShuffleSwaps; ++i) {
    const int a = RandomValue() % kColumns;
    const int b = RandomValue() % kColumns;
    std::swap(order_[size_t(a)], order_[size_t(b)]);
  }
  position_ = 0;
}

Press DoorSequence::Push(int value) {
  if (Solved() || value < 0 || value >= kColumns) return Press::Ignored;
  if (value != order_[size_t(position_)]) {
    NewAttempt();
    return Press::Wrong;
  }
  ++position_;
  return Solved() ? Press::Solved : Press::Right;
}

void DoorSequence::SolveNow() {
  position_ = kAsked;
}

bool DoorSequence::Answered(int column) const {
  for (int i = 0; i < position_ && i < kAsked; ++i)
    if (order_[size_t(i)] == column) return true;
  return false;
}

}  // namespace barndoor
