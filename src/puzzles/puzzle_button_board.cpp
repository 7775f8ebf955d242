#include "puzzles/puzzle_button_board.h"

#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

namespace {
// The member is spelled so in the content; archive names ignore letter case.
constexpr const char* kBoardPicture = "PUzzles\\PuzzleButtonBoard.tga";
constexpr float kBoardDepth = 4.99f;
}  // namespace

CPuzzleButtonBoard::CPuzzleButtonBoard(CSprite* scene, CGameObject* owner, uint32_t options) {
  if (scene) Attach(scene, 0);
  const ScreenRect area = scene ? scene->GetScreenRect() : ScreenRect();
  const ScreenRect board = puzzle::ButtonBoardRect(area.Width(), area.Height());
  SetScreenRect(ScreenRect(board.left + area.left, board.top + area.top, board.right + area.left,
                           board.bottom + area.top));
  SetDepth(kBoardDepth);
  texture_ = AcquireTexture(kBoardPicture, kTexHitMask);
  const std::vector<puzzle::ButtonSpec> specs = puzzle::ButtonsForOptions(options);
  const std::vector<ScreenRect> rects = puzzle::ButtonRects(GetScreenRect(), int(specs.size()));
  for (size_t i = 0; i < specs.size(); ++i) {
    auto* button = new CPushbutton(specs[i].label, specs[i].command, kButtonLarge, owner, this);
    button->SetScreenRect(rects[i]);
  }
}

int CPuzzleButtonBoard::HitTest() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  if (IsHidden() || GetEffectiveOpacity() == 0 || !r.ContainsPoint(float(x), float(y))) return kHitNone;
  float lx = 0, ly = 0;
  r.ToLocal(float(x), float(y), lx, ly);
  return HitTestMask(texture_, lx, -ly) ? kHitBlocking : kHitNone;
}

CPushbutton* CPuzzleButtonBoard::GetButton(int command) {
  for (CGameObject* c = FindChild(TypeId::kPushbutton); c; c = c->NextSibling(TypeId::kPushbutton)) {
    if (c->GetId() == command) return static_cast<CPushbutton*>(c);
  }
  return nullptr;
}

int CPuzzleButtonBoard::ButtonCount() {
  int n = 0;
  for (CGameObject* c = FindChild(TypeId::kPushbutton); c; c = c->NextSibling(TypeId::kPushbutton)) ++n;
  return n;
}
