#include "puzzles/focus_ring.h"

#include "puzzles/microscope_rules.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_environment.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "ui/control_hover.h"

CFocusRing::CFocusRing(CPuzzleEnvironment* scene, const ScreenRect& rect, float depth)
    : CSprite(rect, depth, "Puzzles\\Microscope\\FocusRing.png", scene), scene_(scene) {}

CFocusRing::~CFocusRing() {
  puzzle::EndDragOf(this);
}

bool CFocusRing::IsTurning() const {
  return puzzle::IsDragged(this);
}

int CFocusRing::HitTest() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!IsTurning() && !microscope::OnRingBand(GetScreenRect(), float(x), float(y))) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

int CFocusRing::GetCursorKind() {
  return puzzle::DragCursorKind();
}

void CFocusRing::Update() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  const float pointer = puzzle::PointerAngle(r.CenterX(), r.CenterY(), float(x), float(y));
  if (IsTurning()) {
    if (!scene_ || !scene_->AcceptsInput() || !IsLeftButtonDown()) {
      puzzle::EndDrag();
      return;
    }
    SetAngle(microscope::RingAngle(ringAtGrip_, pointerAtGrip_, pointer));
    return;
  }
  if (!scene_ || !scene_->AcceptsInput() || !HoveredThisFrame(this) || !IsLeftClick()) return;
  if (!puzzle::BeginDrag(this, r.CenterX(), r.CenterY(), float(x), float(y))) return;
  ringAtGrip_ = GetAngle();
  pointerAtGrip_ = pointer;
}
