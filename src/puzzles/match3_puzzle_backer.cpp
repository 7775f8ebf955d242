#include "puzzles/match3_puzzle_backer.h"

#include <algorithm>
#include <cmath>

#include "puzzles/match3_puzzle_environment.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "ui/control_hover.h"

float BackerGreenShare(bool green, float greenTime, float now) {
  if (!green) return 0;
  return std::clamp((now - greenTime) / CMatch3PuzzleBacker::kGreenFade, 0.0f, 1.0f);
}

float BackerPulse(bool green, int redLeft, float now) {
  if (green || redLeft > CMatch3PuzzleBacker::kPulseBelow) return 0;
  const float s = std::sin(CMatch3PuzzleBacker::kPulseRate * now);
  return s * s;
}

CMatch3PuzzleBacker::CMatch3PuzzleBacker(CMatch3PuzzleEnvironment* scene, CGameObject* parent, int cell)
    : scene_(scene), cell_(cell) {
  if (parent) Attach(parent, 0);
  SetTexture("Puzzles\\Match3\\BackerRed.png");
  green_ = AcquireTexture("Puzzles\\Match3\\BackerGreen.png");
  highlight_ = AcquireTexture("Puzzles\\Match3\\BackerHighlight.jpg");
}

CMatch3PuzzleBacker::~CMatch3PuzzleBacker() {
  ReleaseTexture(green_);
  ReleaseTexture(highlight_);
}

int CMatch3PuzzleBacker::HitTest() {
  if (IsHidden() || GetEffectiveOpacity() <= 0) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!GetScreenRect().ContainsPoint(float(x), float(y))) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

int CMatch3PuzzleBacker::GetCursorKind() {
  return scene_ && scene_->HoverGroupSize() >= 2 ? kCursorHand : kCursorArrow;
}

void CMatch3PuzzleBacker::Update() {
  if (!scene_ || !HoveredThisFrame(this)) return;
  scene_->HoverCell(cell_);
  if (IsLeftClick()) scene_->ClickCell(cell_);
}

void CMatch3PuzzleBacker::Render(gfx::Device* device) {
  if (!device || IsHidden() || !scene_) return;
  const float opacity = GetEffectiveOpacity();
  gfx::Texture* red = GetDeviceTexture(texture_);
  if (opacity <= 0 || !red) return;
  const match3::Board& board = scene_->Board();
  const match3::Cell& cell = board.CellAt(cell_);
  const float now = GetTime();
  const ScreenRect rect = GetScreenRect();
  auto tint = [](float level, float alpha) {
    gfx::Material m{};
    m.emissive = {level, level, level, alpha};
    m.diffuse.a = m.ambient.a = alpha;
    return m;
  };
  BeginSpriteStates(device, false);
  DrawQuad(device, rect, kQuadNormal, red, tint(1, opacity));
  gfx::Texture* green = GetDeviceTexture(green_);
  if (const float g = BackerGreenShare(cell.green, cell.greenTime, now); g > 0 && green)
    DrawQuad(device, rect, kQuadNormal, green, tint(1, g * opacity));
  EndSpriteStates(device);
  gfx::Texture* glowPicture = GetDeviceTexture(highlight_);
  if (const float glow = BackerPulse(cell.green, board.RedCount(), now); glow > 0 && glowPicture) {
    BeginSpriteStates(device, true);
    DrawQuad(device, rect, kQuadNormal, glowPicture, tint(glow * opacity, 1));
    EndSpriteStates(device);
  }
}
