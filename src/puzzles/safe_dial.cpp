#include "puzzles/safe_dial.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/safe_puzzle_environment.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {

constexpr float kDialDepth = 0.2f;
constexpr float kResetTime = 0.5f;
// The ring the dial can be gripped in, as fractions of its radius: not at the spindle.
constexpr float kGrabInner = 0.1f, kGrabOuter = 1.0f;
const ScreenRect kDialSeat{41, 59, 551, 569};

void Play(const char* sound) {
  PlaySound(GetSoundEffect(sound), SoundParams{});
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* d = dynamic_cast<CSafeDial*>(object);
  if (!d) return;
  char text[96];
  std::snprintf(text, sizeof text, "number %d | step %d | resetting %d", d->Number(),
                d->Tumblers().NextStep(), d->IsResetting() ? 1 : 0);
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CSafeDial::CSafeDial(CSafePuzzleEnvironment* scene) : scene_(scene) {
  Attach(scene, 0);
  SetTexture("Puzzles\\SafePuzzle\\SafeDial.png");
  SetDepth(scene->GetDepth() + kDialDepth);
  ShowAngle();
}

void CSafeDial::ShowAngle() {
  ScreenRect r = puzzle::FromReference(kDialSeat, scene_->GetScreenRect());
  r.angle = angle_;
  SetScreenRect(r);
}

bool CSafeDial::CanGrab() const {
  return !resetting_ && !tumblers_.Open() && scene_->AcceptsInput();
}

bool CSafeDial::InGrabBand(float x, float y) {
  const ScreenRect r = GetScreenRect();
  const float radius = r.Width() / 2;
  return r.BoundingBox().ContainsPoint(x, y) &&
         puzzle::InGrabBand(r.CenterX(), r.CenterY(), x, y, kGrabInner * radius, kGrabOuter * radius);
}

int CSafeDial::GetCursorKind() {
  return CanGrab() ? 2 : 1;
}

int CSafeDial::HitTest() {
  if (IsHidden() || !CanGrab()) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!InGrabBand(float(x), float(y))) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CSafeDial::StartReset() {
  if (tumblers_.Open()) return;
  tumblers_.Reset();
  resetting_ = true;
  resetStart_ = GetTime();
  resetFrom_ = angle_;
  lastDragFrame_ = -2;
}

void CSafeDial::Turn(float x, float y) {
  const ScreenRect r = GetScreenRect();
  const float phi = puzzle::PointerAngle(r.CenterX(), r.CenterY(), x, y);
  const int frame = int(GetFrameCount());
  // A frame that does not follow the last drag frame starts a new grip.
  if (lastDragFrame_ != frame - 1) {
    grabPointer_ = phi;
    grabAngle_ = angle_;
  }
  lastDragFrame_ = frame;
  angle_ = puzzle::WrapAngleDelta(grabAngle_ + puzzle::WrapAngleDelta(phi - grabPointer_));
  ShowAngle();
  switch (tumblers_.Turned(safe::NumberForAngle(angle_))) {
    case safe::Event::Click:
      Play("PuzzleClick.wav");
      break;
    case safe::Event::Overshoot:
      Play("PuzzleBuzz.wav");
      scene_->Overshot();
      StartReset();
      break;
    case safe::Event::Opened:
      Play("PuzzleClick.wav");
      scene_->OnNotify(this, kCmdSafeOpened);
      break;
    case safe::Event::None:
      break;
  }
}

void CSafeDial::Update() {
  if (resetting_) {
    const float t = std::clamp((GetTime() - resetStart_) / kResetTime, 0.0f, 1.0f);
    angle_ = resetFrom_ * (1 - t);
    if (t >= 1) resetting_ = false;
    ShowAngle();
  } else if (HoveredThisFrame(this) && IsLeftButtonDown() && CanGrab()) {
    int x = 0, y = 0;
    GetPointerPosition(x, y);
    Turn(float(x), float(y));
    return;
  }
  // Whatever moved the dial, the number under the mark is followed, so the next turn is judged
  // against what the player sees.
  tumblers_.Follow(safe::NumberForAngle(angle_));
}
