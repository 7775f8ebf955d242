#include "puzzles/jewel_puzzle_token.h"

#include "puzzles/jewel_puzzle_environment.h"
#include "puzzles/puzzle_drag.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {
const char* const kJewelPicture = "Puzzles\\JewelPuzzle\\Jewel.tga";
}

CJewelPuzzleToken::CJewelPuzzleToken(CJewelPuzzleEnvironment* scene, int index, const ScreenRect& rect,
                                     float depth)
    : scene_(scene), index_(index) {
  if (scene) Attach(scene, 0);
  texture_ = AcquireTexture(kJewelPicture, kTexHitMask);
  SetScreenRect(rect);
  SetDepth(depth);
}

CJewelPuzzleToken::~CJewelPuzzleToken() {
  puzzle::EndDragOf(this);
}

int CJewelPuzzleToken::GetCursorKind() {
  return puzzle::DragCursorKind();
}

int CJewelPuzzleToken::HitTest() {
  if (IsHidden()) return kHitNone;
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

void CJewelPuzzleToken::Update() {
  // Only a stone under the pointer in this frame's hit test: one it covered a frame earlier may be
  // far away by now (a pointer that jumps), and gripping it would fling it across the board.
  if (scene_ && HoveredThisFrame(this) && IsLeftClick()) scene_->GripToken(this);
}
