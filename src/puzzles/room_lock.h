// The rules of the house detective's door without any drawing. Stage one: three number wheels
// that open on a fixed code. Stage two: rows of four guessed digits, each judged against a
// secret code of four distinct digits 1 to 9; seven wrong rows start the rows over (same secret).
// CRoomLockPuzzleEnvironment keeps one and its wheels, rows and digits show what it says.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace roomlock {

inline constexpr int kWheels = 3;
inline constexpr int kDigits = 4;
inline constexpr int kMaxRows = 7;
inline constexpr int kStageOneCode = 472;

using Code = std::array<int, kDigits>;

// A judged digit: red (not in the code), yellow (in the code elsewhere), green (right place).
enum class Mark { Open = 0, Red = 1, Yellow = 2, Green = 3, Pulsing = 4 };

// Each guess digit on its own: green when it matches the code at its place, otherwise yellow when
// it matches the code anywhere (even a code digit already matched green), otherwise red.
std::array<Mark, kDigits> Judge(const Code& guess, const Code& code);

// The digits 1 to 9 shuffled by 1000 random swaps of the game's generator; the first four.
Code MakeSecret();

// A wheel runs 0..9 round; a row digit 1..9 round. step is +1 (up) or -1 (down).
int TurnWheel(int value, int step);
int TurnDigit(int value, int step);

struct Row {
  Code digits{1, 1, 1, 1};
  std::array<Mark, kDigits> marks{};
  bool judged = false;
};

enum class Submitted { Ignored, NextRow, Restart, Solved };

class Lock {
 public:
  explicit Lock(const Code& secret) : secret_(secret) {}

  const Code& Secret() const { return secret_; }
  bool StageTwo() const { return stageTwo_; }
  bool Solved() const { return solved_; }
  int Wheel(int i) const { return wheels_[std::size_t(i)]; }
  // Hundreds, tens, units: wheel 2, 1, 0.
  int WheelNumber() const { return wheels_[2] * 100 + wheels_[1] * 10 + wheels_[0]; }
  const std::vector<Row>& Rows() const { return rows_; }

  // Stage one: turns wheel i; true when this change made the code (stage two begins with its
  // first row). Nothing acts outside stage one or once solved.
  bool TurnWheelBy(int i, int step);
  // Stage two: turns digit d of the open (last, unjudged) row; false when nothing changed.
  bool TurnDigitBy(int d, int step);
  // Judges the open row. Solved when it is the code; Restart when it was the seventh wrong row
  // (the caller says so and then calls Restart); otherwise a new row follows, starting with the
  // judged row's digits.
  Submitted Submit();
  // The rows start over with one fresh row of 1s; the secret stays.
  void Restart();
  // The Reset button: stage one wheels to 0, stage two rows start over. False once solved.
  bool Reset();
  // The solved state as the player would leave it: the wheels on the code, a last row (made when
  // there is none) showing the secret, every digit green and pulsing.
  void Solve();

 private:
  void AddRow();
  Code secret_;
  std::array<int, kWheels> wheels_{};
  std::vector<Row> rows_;
  bool stageTwo_ = false;
  bool solved_ = false;
};

}  // namespace roomlock
