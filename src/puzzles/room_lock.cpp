#include "puzzles/room_lock.h"

#include <algorithm>

#include "core/random.h"

namespace roomlock {

std::array<Mark, kDigits> Judge(const Code& guess, const Code& code) {
  std::array<Mark, kDigits> marks{};
  for (size_t i = 0; i < kDigits; ++i) {
    if (guess[i] == code[i])
      marks[i] = Mark::Green;
    else if (std::find(code.begin(), code.end(), guess[i]) != code.end())
      marks[i] = Mark::Yellow;
    else
      marks[i] = Mark::Red;
  }
  return marks;
}

Code MakeSecret() {
  std::array<int, 9> pool{1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (int k = 0; k < 1000; ++k) {
    const int a = RandomValue() % 9, b = RandomValue() % 9;
    if (a != b) std::swap(pool[size_t(a)], pool[size_t(b)]);
  }
  return {pool[0], pool[1], pool[2], pool[3]};
}

int TurnWheel(int value, int step) {
  return ((value + step) % 10 + 10) % 10;
}

int TurnDigit(int value, int step) {
  return ((value - 1 + step) % 9 + 9) % 9 + 1;
}

bool Lock::TurnWheelBy(int i, int step) {
  if (solved_ || stageTwo_ || i < 0 || i >= kWheels) return false;
  wheels_[size_t(i)] = TurnWheel(wheels_[size_t(i)], step);
  if (WheelNumber() != kStageOneCode) return false;
  stageTwo_ = true;
  AddRow();
  return true;
}

bool Lock::TurnDigitBy(int d, int step) {
  if (solved_ || !stageTwo_ || rows_.empty() || rows_.back().judged || d < 0 || d >= kDigits) return false;
  int& v = rows_.back().digits[size_t(d)];
  v = TurnDigit(v, step);
  return true;
}

Submitted Lock::Submit() {
  if (solved_ || !stageTwo_ || rows_.empty() || rows_.back().judged) return Submitted::Ignored;
  Row& row = rows_.back();
  row.marks = Judge(row.digits, secret_);
  row.judged = true;
  if (row.digits == secret_) {
    Solve();
    return Submitted::Solved;
  }
  if (rows_.size() >= size_t(kMaxRows)) return Submitted::Restart;
  AddRow();
  return Submitted::NextRow;
}

void Lock::AddRow() {
  Row row;
  if (!rows_.empty()) row.digits = rows_.back().digits;
  rows_.push_back(row);
}

void Lock::Restart() {
  if (solved_ || !stageTwo_) return;
  rows_.clear();
  AddRow();
}

bool Lock::Reset() {
  if (solved_) return false;
  if (stageTwo_)
    Restart();
  else
    wheels_ = {};
  return true;
}

void Lock::Solve() {
  solved_ = true;
  wheels_ = {kStageOneCode % 10, kStageOneCode / 10 % 10, kStageOneCode / 100};
  if (rows_.empty()) AddRow();
  Row& last = rows_.back();
  last.digits = secret_;
  last.marks.fill(Mark::Pulsing);
  last.judged = true;
}

}  // namespace roomlock
