#include "puzzles/slide_puzzle_token.h"

#include "puzzles/puzzle_drag.h"
#include "puzzles/slide_puzzle_environment.h"
#include "scene/input.h"
#include "ui/control_hover.h"

CSlidePuzzleToken::CSlidePuzzleToken(CSlidePuzzleEnvironment* scene, int index, const std::string& picture)
    : scene_(scene), index_(index) {
  if (scene) Attach(scene, 0);
  SetTexture(picture.c_str());
}

CSlidePuzzleToken::~CSlidePuzzleToken() {
  puzzle::EndDragOf(this);
}

int CSlidePuzzleToken::GetCursorKind() {
  return puzzle::DragCursorKind();
}

int CSlidePuzzleToken::HitTest() {
  if (IsHidden()) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!puzzle::IsDragged(this) && !GetScreenRect().ContainsPoint(float(x), float(y))) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CSlidePuzzleToken::Update() {
  if (scene_ && HoveredThisFrame(this) && IsLeftClick()) scene_->GripToken(this);
}
