// The player piano's timing rules as pure functions and one small clock: where the ball is, how
// holding the button moves the score, how high the bar is filled, and which lyric line is sung.
#pragma once

#include <vector>

namespace piano {

// A syllable's glyphs across its line, in the line's horizontal range -1 .. 1.
struct SyllableSpan {
  float time = 0;
  float left = 0, centre = 0, right = 0;
};

// The hop the ball is on at song time t: from (t0, x0) to (t1, x1), x in the line's -1 .. 1 range.
// With k the last syllable whose time <= t, t0/x0 come from k (else the line's start and half a unit
// left of the first syllable), t1/x1 from k + 1 (else the line's end and half a unit right of the
// last). False when the line has no syllables (no ball).
struct BallLeg {
  float t0 = 0, x0 = 0, t1 = 0, x1 = 0;
};
bool BallLegAt(const std::vector<SyllableSpan>& syllables, float lineStart, float lineEnd, float t,
               BallLeg& out);

struct LineBox {
  float centreX = 0, top = 0, width = 0, height = 0;
};

// The ball's centre in screen pixels: it bounces once a beat on a syllable and, in the last 0.8 to
// 1.8 beats before the next syllable, hops there in one arc. A hop that would last no time at all
// lands at once.
void PlaceBall(const BallLeg& leg, float t, float beat, const LineBox& box, float& x, float& y);

// One frame of scoring: held on target with the pointer on the stretch gains dt; any other hold,
// and letting go while the ball is on target, drains a quarter of dt. Clamped to [0, target].
float ScoreStep(float score, float target, float dt, bool onTarget, bool pointerOn, bool held);

// score / target in [0, 1]; 0 for a target that is not positive.
float FillRatio(float score, float target);
// Where the full picture starts, as a fraction of the bar's height from its top: 0.914 empty,
// 0.086 full.
float BarFillTop(float ratio);

// Which line is sung at each song time, and when the song is over.
class LyricClock {
 public:
  struct Span {
    float start, end;
  };
  explicit LyricClock(std::vector<Span> lines) : lines_(std::move(lines)) {}

  struct Step {
    int current = -1;       // the line shown now, -1 for none
    bool songOver = false;  // true in the one step in which the last line's end is passed
  };
  // The step at song time t. The song is over once t reaches the last line's end, whether or not
  // that line was ever shown (a frame may jump past a short line).
  Step Advance(float t);
  void Restart() { over_ = false; }
  bool Over() const { return over_; }

 private:
  std::vector<Span> lines_;
  bool over_ = false;
};

}  // namespace piano
