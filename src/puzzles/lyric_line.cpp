#include "puzzles/lyric_line.h"

#include <algorithm>
#include <cstdio>

#include "core/tree_dump_fields.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {

constexpr const char* kFont = "GoldFlat2";
constexpr const char* kBallPicture = "Puzzles\\PlayerPiano\\BouncingBall.png";
constexpr const char* kHotPicture = "Puzzles\\PlayerPiano\\HotSyllable.png";
constexpr float kHotHeightLines = 2.5f;
constexpr int kCursorHolding = 7;
constexpr int kCursorArrow = 1;

// Seen from an Update: a hit test of this frame ran before the counter moved on (one behind), a
// drawing of the previous frame ran after it (also one behind).
bool Lately(int frame, int behind) {
  return frame >= 0 && int64_t(frame) + behind >= int64_t(GetFrameCount());
}

// Scripts find each hot stretch, and when it is sung, from the dump.
void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* hot = dynamic_cast<CHotSyllable*>(object);
  if (!hot) return;
  char text[64];
  std::snprintf(text, sizeof text, "hot time %g %g", hot->From(), hot->To());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

// ---- Ball ----------------------------------------------------------------------------------------

CBouncingBall::CBouncingBall(CSprite* line) : CSprite(ScreenRect(0, 0, 1, 1), 0, kBallPicture, line) {
  SetDepth(line->GetDepth() + 0.01f);
  SetVisible(false);
}

void CBouncingBall::Render(gfx::Device* device) {
  if (IsHidden() || GetEffectiveOpacity() == 0) return;
  drawnFrame_ = int(GetFrameCount());
  CSprite::Render(device);
}

bool CBouncingBall::DrawnLately() const {
  return Lately(drawnFrame_, 1);
}

// ---- Hot stretch -------------------------------------------------------------------------------

CHotSyllable::CHotSyllable(CSprite* line) : CSprite(ScreenRect(0, 0, 1, 1), 0, kHotPicture, line) {
  SetDepth(line->GetDepth() - 0.005f);
}

int CHotSyllable::HitTest() {
  if (IsHidden() || GetEffectiveOpacity() == 0) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!GetScreenRect().ContainsPoint(float(x), float(y))) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

int CHotSyllable::GetCursorKind() {
  return IsLeftButtonDown() ? kCursorHolding : kCursorArrow;
}

bool CHotSyllable::PointedAtLately() const {
  return Lately(lastHoveredFrame_, 2);
}

// ---- Line --------------------------------------------------------------------------------------

CLyricLine::CLyricLine(CSprite* parent, const piano::SongLine& line, const ScreenRect& board, float depth)
    : CTextSprite(line.text.c_str(), kFont), line_(line) {
  Attach(parent, 0);
  SetDepth(depth);
  const float h = board.Height();
  const float w = std::min(GetNaturalAspect() * h, board.Width());
  SetScreenRect(ScreenRect::FromCenter(w, h, board.CenterX(), board.CenterY()));
  MeasureSyllables();
  if (line_.sung && !syllables_.empty()) CreateWeakRef(new CBouncingBall(this), &ball_);
  SetVisible(false);
}

void CLyricLine::ChooseStretch(int randomValue) {
  if (chosen_) return;
  chosen_ = true;
  stretch_ = piano::ChooseHotStretch(line_.times, int(syllables_.size()), line_.sung, randomValue);
  if (!stretch_.Exists()) return;
  auto* hot = new CHotSyllable(this);
  hot->SetTimes(syllables_[size_t(stretch_.first)].time, syllables_[size_t(stretch_.last)].time);
  CreateWeakRef(hot, &hot_);
  PlaceParts();
}

CLyricLine::~CLyricLine() {
  delete ball_;
  delete hot_;
}

CBouncingBall* CLyricLine::Ball() const {
  return static_cast<CBouncingBall*>(WeakTarget(ball_));
}

CHotSyllable* CLyricLine::Hot() const {
  return static_cast<CHotSyllable*>(WeakTarget(hot_));
}

void CLyricLine::MeasureSyllables() {
  // Four vertices a character; a syllable spans its characters' glyphs.
  const auto& v = GetVertices();
  for (const auto& [begin, end] : piano::SplitSyllables(line_.text)) {
    piano::SyllableSpan s;
    s.left = 1.0f;
    s.right = -1.0f;
    for (int c = begin; c < end; ++c)
      for (int k = 0; k < 4; ++k)
        if (size_t(4 * c + k) < v.size()) {
          s.left = std::min(s.left, v[size_t(4 * c + k)].x);
          s.right = std::max(s.right, v[size_t(4 * c + k)].x);
        }
    if (s.left > s.right) s.left = s.right = 0;
    s.centre = (s.left + s.right) / 2;
    const size_t i = syllables_.size();
    s.time = i < line_.times.size() ? line_.times[i] : piano::kNoTime;
    syllables_.push_back(s);
  }
}

void CLyricLine::PlaceParts() {
  const ScreenRect r = GetScreenRect();
  if (CHotSyllable* hot = Hot()) {
    const float left = r.CenterX() + syllables_[size_t(stretch_.first)].left * r.Width() / 2;
    const float right = r.CenterX() + syllables_[size_t(stretch_.last - 1)].right * r.Width() / 2;
    const float h = kHotHeightLines * r.Height();
    hot->SetScreenRect(ScreenRect(left, r.bottom - h, right, r.bottom));
  }
}

void CLyricLine::Sing(float t, float beat) {
  SetVisible(true);
  CBouncingBall* ball = Ball();
  if (!ball) return;
  piano::BallLeg leg;
  if (!piano::BallLegAt(syllables_, line_.start, line_.end, t, leg)) {
    ball->SetVisible(false);
    return;
  }
  const ScreenRect r = GetScreenRect();
  float x = 0, y = 0;
  piano::PlaceBall(leg, t, beat, {r.CenterX(), r.top, r.Width(), r.Height()}, x, y);
  const float side = r.Height() / 2;
  ball->SetScreenRect(ScreenRect::FromCenter(side, side, x, y));
  ball->SetVisible(true);
}

void CLyricLine::Silence() {
  SetVisible(false);
  if (CBouncingBall* ball = Ball()) ball->SetVisible(false);
}

bool CLyricLine::BallOnTarget() {
  CBouncingBall* ball = Ball();
  CHotSyllable* hot = Hot();
  if (!ball || !hot || !ball->DrawnLately()) return false;
  const float x = ball->GetScreenRect().CenterX();
  const ScreenRect h = hot->GetScreenRect();
  return x >= h.left && x <= h.right;
}

bool CLyricLine::PointerOnStretch() const {
  const CHotSyllable* hot = Hot();
  return hot && hot->PointedAtLately();
}
