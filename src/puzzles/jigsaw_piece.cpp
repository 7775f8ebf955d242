#include "puzzles/jigsaw_piece.h"

#include <algorithm>

#include "effects/particle_trail.h"
#include "puzzles/jigsaw_environment.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "ui/control_hover.h"

CJigsawPiece::CJigsawPiece(CJigsawEnvironment* scene, int index, const std::string& picture)
    : scene_(scene), index_(index) {
  if (scene) Attach(scene, 0);
  texture_ = AcquireTexture(picture, kTexHitMask);
}

CJigsawPiece::~CJigsawPiece() {
  puzzle::EndDragOf(this);
}

int CJigsawPiece::GetCursorKind() {
  return puzzle::DragCursorKind();
}

int CJigsawPiece::HitTest() {
  if (IsHidden() || IsFlying()) return kHitNone;
  const int frame = int(GetFrameCount());
  if (puzzle::IsDragged(this)) {
    lastHoveredFrame_ = frame;
    return kHitHovered;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  if (!r.ContainsPoint(float(x), float(y))) return kHitNone;
  float lx = 0, ly = 0;
  r.ToLocal(float(x), float(y), lx, ly);
  if (!HitTestMask(texture_, lx, -ly)) return kHitNone;
  lastHoveredFrame_ = frame;
  return kHitHovered;
}

void CJigsawPiece::Update() {
  if (!scene_ || IsFlying() || !HoveredThisFrame(this) || !IsLeftClick()) return;
  scene_->GripPiece(this);
}

void CJigsawPiece::OnNotify(CGameObject*, int code) {
  if (code == puzzle::kCmdFlyToInventory && scene_) scene_->StartFlightFrom(this);
}

void CJigsawPiece::StartFlight(float targetX, float targetY, float targetWidth) {
  const ScreenRect r = GetScreenRect();
  flags_ |= kPieceFlying;
  flight_.startTime = GetTime();
  flight_.endTime = flight_.startTime + 1.0f;
  flight_.startX = r.CenterX();
  flight_.startY = r.CenterY();
  flight_.startWidth = r.Width();
  flight_.targetX = targetX;
  flight_.targetY = targetY;
  flight_.targetWidth = targetWidth;
  TrailParams trail;
  trail.count = 90;
  trail.lifetime = 1.5f;
  trail.spread = 0.5f;
  trail.color = 0xFFE0E0FFu;
  trail.size = 0.1f;
  new CParticleTrail(this, trail);
}

void CJigsawPiece::FlightAt(float now, float& x, float& y, float& width) const {
  const float span = flight_.endTime - flight_.startTime;
  const float t = span > 0 ? std::clamp((now - flight_.startTime) / span, 0.0f, 1.0f) : 1.0f;
  x = flight_.startX + t * (flight_.targetX - flight_.startX);
  y = flight_.startY + t * (flight_.targetY - flight_.startY);
  width = flight_.startWidth + t * (flight_.targetWidth - flight_.startWidth);
}
