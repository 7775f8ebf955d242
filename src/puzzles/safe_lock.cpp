#include "puzzles/safe_lock.h"

#include <cmath>
#include <cstdlib>

namespace safe {

namespace {
// Past a reached number in its own sense, up to this far is harmless play of the wheels...
constexpr int kSlack = 3;
// ...and from there up to (not including) this far drops them; further is not checked at all.
constexpr int kOvershootEnd = 13;
}  // namespace

int NumberForAngle(float angle) {
  if (!std::isfinite(angle)) return 0;
  const float b = angle / kRadiansPerNumber;
  const int n = angle < 0 ? int(std::trunc(0.5f - b)) : kNumbers - int(std::trunc(b + 0.5f));
  return ((n % kNumbers) + kNumbers) % kNumbers;
}

bool IsDecreasing(int previous, int current) {
  const int gap = std::abs(previous - current);
  return (current < previous && gap < kNumbers / 2) || (current > previous && gap > kNumbers / 2);
}

const Combination& SafeCombination() {
  static const Combination combination{{{true, 24}, {false, 70}, {true, 15}, {false, 48}}};
  return combination;
}

Event Tumblers::Turned(int number) {
  const int before = previous_;
  previous_ = number;
  if (number == before || Open()) return Event::None;
  const bool falling = IsDecreasing(before, number);
  if (next_ > 0) {
    // Running on past the step just made, in the same sense, drops the wheels. The windows do
    // not wrap round 0: the combination keeps clear of the ends.
    const Step& made = combination_[size_t(next_ - 1)];
    const int t = made.number;
    const bool over = falling ? made.decreasing && t - kOvershootEnd < number && number < t - kSlack
                              : !made.decreasing && t + kSlack < number && number < t + kOvershootEnd;
    if (over) {
      next_ = 0;
      return Event::Overshoot;
    }
  }
  const Step& want = combination_[size_t(next_)];
  const int t = want.number;
  const bool reached = falling ? want.decreasing && t - kSlack <= number && number <= t
                               : !want.decreasing && t <= number && number <= t + kSlack;
  if (!reached) return Event::None;
  ++next_;
  return Open() ? Event::Opened : Event::Click;
}

}  // namespace safe
