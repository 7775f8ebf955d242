#include "puzzles/microscope_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/random.h"
#include "puzzles/puzzle_rules.h"

namespace microscope {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kShuffleSwaps = 1000;

const VariantInfo kFibre{"Puzzles\\Microscope\\Fibre", 92, 77, 11, "Puzzles\\Microscope\\FiberPuzzleHelp.jpg",
                         "FiberPuzzleDialog"};
const VariantInfo kPrint{
    "Puzzles\\Microscope\\Print", 91, 51, 14, "Puzzles\\Microscope\\FingerprintPuzzleHelp.jpg",
    "FingerprintPuzzleDialog"};

// Sizes as shares of the scene height: the field, and the ring that the candidates are spaced by.
constexpr float kViewShare = 0.25f;
constexpr float kRingShare = kViewShare / 0.82f;
constexpr float kCandidateShare = 0.6f;  // of the ring
constexpr float kInnerDistance = 0.88f, kOuterDistance = 1.52f;
constexpr float kRightAngles[4] = {-0.6f, -0.15f, 0.3f, 0.75f};
constexpr float kBoxShare = 0.08f, kBoxTop = 0.03f, kBoxLeft = 0.45f, kBoxStep = 1.1f;

// The picture swims gently: a few hundredths of its radius, a sine every few seconds.
constexpr float kDriftScale = 0.04f;
constexpr float kSpeedScale = 2.0f;  // radians a second per unit drawn

SampleOrder g_shared;

// Names are Windows-1252 bytes; only ASCII letters fold, as member names are compared.
bool EqualIgnoringCase(const char* a, const char* b) {
  auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : int(c); };
  for (; *a && *b; ++a, ++b) {
    if (fold((unsigned char)*a) != fold((unsigned char)*b)) return false;
  }
  return *a == *b;
}

}  // namespace

Variant VariantFromArgument(const char* argument) {
  return argument && EqualIgnoringCase(argument, "Print") ? Variant::Print : Variant::Fibre;
}

const VariantInfo& Info(Variant variant) {
  return variant == Variant::Print ? kPrint : kFibre;
}

std::string SampleName(Variant variant, int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%.2d", ((number % kSamples) + kSamples) % kSamples);
  return std::string(Info(variant).samplePrefix) + digits + ".jpg";
}

bool SamePicture(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EqualIgnoringCase(a.c_str(), b.c_str());
}

int SampleOrder::Next(Random& random) {
  if (!shuffled_) {
    for (int i = 0; i < kSamples; ++i) order_[size_t(i)] = i;
    for (int k = 0; k < kShuffleSwaps; ++k) {
      const int a = random.Next() % kSamples;
      const int b = random.Next() % kSamples;
      std::swap(order_[size_t(a)], order_[size_t(b)]);
    }
    shuffled_ = true;
  }
  const int sample = order_[size_t(position_)];
  position_ = (position_ + 1) % kSamples;
  return sample;
}

SampleOrder& SharedSampleOrder() {
  return g_shared;
}

void ResetSharedSampleOrder() {
  g_shared = SampleOrder{};
}

float RandomOffsetChange(Random& random) {
  const float size = random.Uniform(kPi / 2, kPi);
  return random.Next() % 2 ? size : -size;
}

float ViewAngle(float ringAngle, float offset) {
  return puzzle::WrapAngleDelta(ringAngle + offset);
}

float RingAngle(float ringAtGrip, float pointerAtGrip, float pointerNow) {
  return puzzle::WrapAngleDelta(ringAtGrip + (pointerNow - pointerAtGrip));
}

bool OnRingBand(const ScreenRect& ring, float x, float y) {
  const float r = ring.Width() / 2;
  return puzzle::InGrabBand(ring.CenterX(), ring.CenterY(), x, y, 0.7f * r, r);
}

bool InsideSample(const ScreenRect& sample, float x, float y) {
  const float r = sample.Width() / 2;
  return std::hypot(x - sample.CenterX(), y - sample.CenterY()) <= r;
}

Layout ComputeLayout(const ScreenRect& scene) {
  const float w = scene.Width(), h = scene.Height();
  const float cx = scene.CenterX(), cy = scene.CenterY();
  const float e = kRingShare * h;
  const float side = kCandidateShare * e;
  Layout l;
  l.view = ScreenRect::FromCenter(kViewShare * h, kViewShare * h, cx, cy);
  l.ring = ScreenRect::FromCenter(e, e, cx, cy);
  auto place = [&](int k, float distance, float angle) {
    l.candidates[size_t(k)] = ScreenRect::FromCenter(side, side, cx + distance * e * std::cos(angle),
                                                     cy + distance * e * std::sin(angle));
  };
  for (int k = 0; k < 8; ++k) place(k, kInnerDistance, float(k) * kPi / 4);
  for (int k = 0; k < 4; ++k) {
    place(8 + k, kOuterDistance, kRightAngles[k]);
    // The left four mirror the right ones, top to bottom as well.
    place(12 + k, kOuterDistance, kPi - kRightAngles[k]);
  }
  const float box = kBoxShare * h;
  for (int i = 0; i < kMatchesToSolve; ++i) {
    const float left = scene.left + kBoxLeft * w + float(i) * kBoxStep * box;
    const float top = scene.top + kBoxTop * h;
    l.boxes[size_t(i)] = ScreenRect(left, top, left + box, top + box);
  }
  return l;
}

void Wobble::Renew(Random& random) {
  auto draw = [&](Axis& a, float lo, float hi) {
    a.amplitude = kDriftScale * random.Uniform(lo, hi) * (random.Next() % 2 ? 1.0f : -1.0f);
    a.speed = kSpeedScale * random.Uniform(0.25f, 1.0f);
    a.phase = random.Uniform(0.0f, 2 * kPi);
  };
  for (int i = 0; i < kPoints; ++i) {
    draw(x_[size_t(i)], 0.25f, 1.0f);
    draw(y_[size_t(i)], 0.125f, 0.5f);
  }
}

void Wobble::Point(int i, float t, float& x, float& y) const {
  i = std::clamp(i, 0, kPoints - 1);
  x = y = 0;
  if (i > 0) {
    const float a = 2 * kPi * float(i - 1) / float(kRimPoints);
    x = std::cos(a);
    y = std::sin(a);
  }
  const Axis& ax = x_[size_t(i)];
  const Axis& ay = y_[size_t(i)];
  x += ax.amplitude * std::sin(ax.speed * t + ax.phase);
  y += ay.amplitude * std::sin(ay.speed * t + ay.phase);
}

float Wobble::MaxDrift() {
  return kDriftScale * std::hypot(1.0f, 0.5f);
}

Game::Game(Variant variant, SampleOrder& order, Random& random)
    : variant_(variant), order_(order), random_(random) {
  view_ = SampleName(variant_, order_.Next(random_));
  offset_ = RandomOffsetChange(random_);
}

bool Game::Changing(float now) const {
  return changeStart_ >= 0 && now - changeStart_ < kChangeTime;
}

float Game::Brightness(float now) const {
  if (!Changing(now)) return 1.0f;
  const float t = now - changeStart_;
  return t < kFadeTime ? 1.0f - t / kFadeTime : std::min(1.0f, (t - kFadeTime) / kFadeTime);
}

ClickResult Game::Click(const std::string& picture, float now) {
  ClickResult result;
  Step(now);  // a change that is over by now no longer blocks
  if (Solved() || Changing(now)) return result;
  if (SamePicture(picture, view_)) {
    result.kind = ClickKind::Match;
    result.box = matches_++;
    result.solved = Solved();
  } else {
    result.kind = ClickKind::NotAMatch;
  }
  if (!result.solved) {
    // The next sample is taken now, so leaving during the change keeps the order where it is.
    next_ = SampleName(variant_, order_.Next(random_));
    changeStart_ = now;
    swapped_ = false;
  }
  return result;
}

bool Game::Step(float now) {
  if (changeStart_ < 0) return false;
  const float t = now - changeStart_;
  bool swap = false;
  if (!swapped_ && t >= kFadeTime) {
    view_ = next_;
    offset_ = ViewAngle(0.0f, offset_ + RandomOffsetChange(random_));
    swapped_ = swap = true;
  }
  if (t >= kChangeTime) changeStart_ = -1;
  return swap;
}

void Game::SolveNow() {
  matches_ = kMatchesToSolve;
}

}  // namespace microscope
