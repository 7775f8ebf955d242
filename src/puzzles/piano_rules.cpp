#include "puzzles/piano_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace piano {

bool BallLegAt(const std::vector<SyllableSpan>& s, float lineStart, float lineEnd, float t, BallLeg& out) {
  if (s.empty()) return false;
  int k = -1;
  while (k + 1 < int(s.size()) && s[size_t(k + 1)].time <= t) ++k;
  const bool hasNext = k + 1 < int(s.size());
  out.t0 = k >= 0 ? s[size_t(k)].time : lineStart;
  out.x0 = k >= 0 ? s[size_t(k)].centre : s.front().centre - 0.5f;
  out.t1 = hasNext ? s[size_t(k + 1)].time : lineEnd;
  out.x1 = hasNext ? s[size_t(k + 1)].centre : s[size_t(k)].centre + 0.5f;
  return true;
}

void PlaceBall(const BallLeg& leg, float t, float beat, const LineBox& box, float& x, float& y) {
  const float pi = std::numbers::pi_v<float>;
  const float span = leg.t1 - leg.t0;
  const float n = beat > 0 ? span / beat : 0.0f;
  const float f = n - std::floor(n);
  const float e = f > 0.8f ? f : f + 1.0f;
  const float r = beat > 0 ? (leg.t1 - t) / beat : 0.0f;
  float p = 0, across = 0;
  if (e > r) {
    const float hop = std::min(e * beat, span);
    p = hop > 0 ? std::clamp(1.0f - (leg.t1 - t) / hop, 0.0f, 1.0f) : 1.0f;
    across = (1 - p) * leg.x0 + p * leg.x1;
  } else {
    p = beat > 0 ? std::fmod(t - leg.t0, beat) / beat : 0.0f;
    across = leg.x0;
  }
  x = box.centreX + across * box.width / 2;
  y = box.top - box.height / 4 - std::sin(p * pi) * box.height;
}

float ScoreStep(float score, float target, float dt, bool onTarget, bool pointerOn, bool held) {
  if (onTarget && held && pointerOn)
    score += dt;
  else if (onTarget || held)
    score -= 0.25f * dt;
  return std::clamp(score, 0.0f, std::max(target, 0.0f));
}

float FillRatio(float score, float target) {
  if (!(target > 0)) return 0.0f;
  const float ratio = score / target;
  return std::isfinite(ratio) ? std::clamp(ratio, 0.0f, 1.0f) : 0.0f;
}

float BarFillTop(float ratio) {
  return (1 - ratio) * 0.914f + ratio * 0.086f;
}

LyricClock::Step LyricClock::Advance(float t) {
  Step step;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].start <= t && t < lines_[i].end) {
      step.current = int(i);
      break;
    }
  if (!over_ && !lines_.empty() && t >= lines_.back().end) {
    over_ = true;
    step.songOver = true;
    step.current = -1;
  }
  if (over_) step.current = -1;
  return step;
}

}  // namespace piano
