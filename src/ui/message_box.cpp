#include "ui/message_box.h"

#include "core/frame_timer.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/text_container.h"
#include "ui/life_watch.h"
#include "ui/pushbutton.h"

namespace {

constexpr uint32_t kTextColor = 0xFFFFEA80;  // pale gold
constexpr uint32_t kButtonStyle = 1;

// A box hangs on its owner's scene object so that it goes with it; a box without a sprite owner
// hangs on the current scene.
CGameObject* ParentFor(CGameObject* owner) {
  if (owner && (owner->GetTypeFlags() & kTypeFlagSprite)) return owner;
  return GetCurrentEnvironment();
}

}  // namespace

CMessageBox::CMessageBox(const char* key, const char* fontName, float lineHeight, CGameObject* owner,
                         int kind)
    : kind_(kind) {
  ClockPauseGuard pause;
  Build(new CTextContainer(key ? key : "", fontName), lineHeight, owner);
}

CMessageBox::CMessageBox(const char* const* lines, int count, const char* fontName, float lineHeight,
                         CGameObject* owner, int kind)
    : kind_(kind) {
  ClockPauseGuard pause;
  Build(new CTextContainer(lines, lines ? count : 0, fontName), lineHeight, owner);
}

void CMessageBox::Build(CTextContainer* text, float lineHeight, CGameObject* owner) {
  if (CGameObject* parent = ParentFor(owner)) Attach(parent, 0);
  text_ = text;
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  std::vector<CPushbutton*> buttons;
  for (const BoxButton& b : MessageBoxButtons(kind_))
    buttons.push_back(new CPushbutton(b.key, b.id, kButtonStyle, this, this));
  const float buttonAspect = buttons.empty() ? 1.0f : buttons.front()->GetNaturalAspect();
  const MessageBoxLayout layout =
      LayoutMessageBox(kind_, text->GetLineCount(), lineHeight, text->GetNaturalAspect(), buttonAspect, W, H);
  SetScreenRect(layout.box);
  text->Attach(this, 0);
  text->SetScreenRect(layout.text);
  text->SetColor(kTextColor);
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetScreenRect(layout.buttons[i]);
  Layout();
  SetOwner(owner);
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

void CMessageBox::Update() {
  if (kind_ == kBoxClickAnywhere && !IsClosing() && !IsAnimating() && IsLeftClick()) OnEscape();
}

void CMessageBox::OnNotify(CGameObject* sender, int code) {
  // Once closing, a second click on a button must not act again.
  if (IsClosing()) return;
  (void)sender;
  if (!NotifyOwner(code)) return;
  OnEscape();
}

void CMessageBox::OnEscape() {
  if (IsClosing()) return;
  if (GetId() == 0 && GetOwner() && !NotifyOwner(kCodeBoxDismissed)) return;
  Close(GetId());
}
