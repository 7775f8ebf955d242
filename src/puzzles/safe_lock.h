// The rules of the safe's combination dial without any drawing: which number a dial angle puts
// under the index mark, which way a change of number turned, and the tumblers that count the
// steps of the combination, drop on an overshoot and open after the last step. CSafeDial keeps
// one and turns its picture to match.
#pragma once

#include <array>
#include <cstddef>

namespace safe {

inline constexpr int kNumbers = 100;
// One hundredth of a turn in radians, as the dial picture is graduated.
inline constexpr float kRadiansPerNumber = 0.06283186f;

// The number under the mark for a dial angle in (-pi, pi], positive turning clockwise on screen
// (which lowers the number: the face is graduated clockwise).
int NumberForAngle(float angle);
// Whether going from previous to current lowers the number, the short way round the dial (99 to 0
// is a rise, 0 to 99 a fall). Equal numbers are no change and count as not decreasing.
bool IsDecreasing(int previous, int current);

struct Step {
  bool decreasing;  // the number must fall (dial turned clockwise) to reach it
  int number;
};
using Combination = std::array<Step, 4>;
// The foreman's safe: right 24, left 70, right 15, left 48.
const Combination& SafeCombination();

enum class Event { None, Click, Overshoot, Opened };

class Tumblers {
 public:
  explicit Tumblers(const Combination& combination = SafeCombination(), int number = 0)
      : combination_(combination), previous_(number) {}

  // The dial now shows number after the player turned it. A click says a step was reached;
  // Overshoot drops every step (the caller animates the reset); Opened comes once, with the last
  // step, instead of its click.
  Event Turned(int number);
  // The dial moved without the player (the reset sweeping back): the number is followed but
  // nothing is judged, so the sweep can neither count nor break a step.
  void Follow(int number) { previous_ = number; }
  // Back to the first step; the number under the mark stays what it is.
  void Reset() { next_ = 0; }

  int NextStep() const { return next_; }
  bool Open() const { return next_ >= int(combination_.size()); }
  int Previous() const { return previous_; }

 private:
  Combination combination_;
  int previous_ = 0;
  int next_ = 0;
};

}  // namespace safe
