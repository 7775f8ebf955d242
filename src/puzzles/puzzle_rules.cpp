#include "puzzles/puzzle_rules.h"

#include <cmath>
#include <numbers>

namespace puzzle {

namespace {
// The bar picture's button area and the buttons' proportions.
constexpr float kAreaLeft = 0.0534f, kAreaRight = 0.9466f, kAreaTop = 0.296f, kAreaBottom = 0.95f;
constexpr float kButtonAspect = 2.94f;
constexpr float kBoardWidth = 0.8f, kBoardAspect = 13.3f;
constexpr float kPi = std::numbers::pi_v<float>;
}  // namespace

std::vector<ButtonSpec> ButtonsForOptions(uint32_t options) {
  static constexpr struct {
    uint32_t bit;
    ButtonSpec spec;
  } kTable[] = {
      {kOptBack, {kCmdBack, "Back"}}, {kOptSkip, {kCmdSkip, "Skip"}}, {kOptReset, {kCmdReset, "Reset"}},
      {kOptMenu, {kCmdMenu, "Menu"}}, {kOptHelp, {kCmdHelp, "Help"}}, {kOptShuffle, {kCmdShuffle, "Shuffle"}},
  };
  std::vector<ButtonSpec> out;
  for (const auto& row : kTable) {
    if (options & row.bit) out.push_back(row.spec);
  }
  return out;
}

ScreenRect ButtonBoardRect(float clientWidth, float clientHeight) {
  const float w = kBoardWidth * clientWidth, h = w / kBoardAspect;
  return ScreenRect::FromCenter(w, h, clientWidth * 0.5f, clientHeight - h * 0.5f);
}

std::vector<ScreenRect> ButtonRects(const ScreenRect& board, int count) {
  std::vector<ScreenRect> out;
  if (count <= 0) return out;
  const float left = board.left + kAreaLeft * board.Width();
  const float areaW = (kAreaRight - kAreaLeft) * board.Width();
  const float top = board.top + kAreaTop * board.Height();
  const float h = (kAreaBottom - kAreaTop) * board.Height();
  const float w = kButtonAspect * h;
  const float gap = (areaW - float(count) * w) / float(count + 1);
  for (int i = 0; i < count; ++i) {
    const float x = left + gap + float(i) * (w + gap);
    out.emplace_back(x, top, x + w, top + h);
  }
  return out;
}

bool SkipReady(float now, float arrival, bool cheat) {
  return cheat || now - arrival >= kSkipDelay;
}

ScreenRect FromReference(const ScreenRect& reference, const ScreenRect& target) {
  return ScreenRect::MapFromReference(reference, scene::kReferenceWidth, scene::kReferenceHeight, target);
}

void PointFromReference(float x, float y, const ScreenRect& target, float& outX, float& outY) {
  ScreenRect::MapPointFromReference(x, y, scene::kReferenceWidth, scene::kReferenceHeight, target, outX,
                                    outY);
}

void PointToReference(float x, float y, const ScreenRect& target, float& outX, float& outY) {
  outX = target.Width() != 0 ? (x - target.left) / target.Width() * scene::kReferenceWidth : 0.0f;
  outY = target.Height() != 0 ? (y - target.top) / target.Height() * scene::kReferenceHeight : 0.0f;
}

float WrapAngleDelta(float delta) {
  if (!std::isfinite(delta)) return 0.0f;
  float d = std::remainder(delta, 2 * kPi);  // [-pi, pi]
  if (d <= -kPi) d += 2 * kPi;
  return d;
}

float PointerAngle(float cx, float cy, float x, float y) {
  return std::atan2(y - cy, x - cx);
}

bool InGrabBand(float cx, float cy, float x, float y, float inner, float outer) {
  const float d = std::hypot(x - cx, y - cy);
  return d >= inner && d <= outer;
}

float DialDrag::Step(float angle) {
  if (!active_) return 0.0f;
  const float delta = WrapAngleDelta(angle - last_);
  last_ = angle;
  return delta;
}

}  // namespace puzzle
