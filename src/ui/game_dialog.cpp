#include "ui/game_dialog.h"

#include "core/frame_timer.h"
#include "scene/scene_context.h"
#include "scene/sprite_animator.h"
#include "ui/dialog_host.h"
#include "ui/life_watch.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"

namespace {

constexpr uint32_t kLabelNormal = 0xFFFFEA80, kLabelHovered = 0xFFFFFFFF;
constexpr int kMainMenuClass = 29;

CGameDialog* g_gameDialog = nullptr;

ScreenRect CenterRect(CGameObject* parent) {
  if (parent && (parent->GetTypeFlags() & kTypeFlagSprite))
    return static_cast<CSprite*>(parent)->GetScreenRect();
  return ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
}

}  // namespace

CGameDialog::CGameDialog(CGameObject* parent, unsigned flags) : flags_(flags) {
  g_gameDialog = this;
  SetOwner(parent);
  if (parent) Attach(parent, 0);

  std::vector<CPushbutton*> buttons;
  std::vector<float> aspects;
  for (const GameDialogButton& b : GameDialogButtons(flags)) {
    auto* button = new CPushbutton(b.key, b.id, 0, this, this);
    button->SetLabelColors(kLabelNormal, kLabelHovered);
    buttons.push_back(button);
    aspects.push_back(button->GetNaturalAspect());
  }
  const ScreenRect around = CenterRect(parent);
  const StackLayout layout =
      LayoutGameDialog(aspects, around.CenterX(), around.CenterY(), float(GetClientHeight()));
  SetScreenRect(layout.dialog);
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetScreenRect(layout.buttons[i]);
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CGameDialog::~CGameDialog() {
  if (g_gameDialog == this) g_gameDialog = nullptr;
  delete options_;
}

CPushbutton* CGameDialog::GetButton(int id) {
  for (CGameObject* c = FindChild(TypeId::kPushbutton); c; c = c->NextSibling(TypeId::kPushbutton))
    if (c->GetId() == id) return static_cast<CPushbutton*>(c);
  return nullptr;
}

void CGameDialog::OpenOptions() {
  // The options hang on the scene, not on this menu: the menu is rebuilt when they close, and
  // must not take them down while they are still running their own Close.
  COptionsDialog* options = OpenOptionsDialog(this, GetCurrentEnvironment());
  delete options_;
  options_ = nullptr;
  CreateWeakRef(options, &options_);
  waitingForOptions_ = options != nullptr;
  if (waitingForOptions_) new CSpriteAnimator(this, kAnimPopOut, kDialogAnimationTime, kAnimDeleteAnimator);
}

void CGameDialog::OnNotify(CGameObject* sender, int code) {
  if (IsClosing()) return;  // a button pressed during the pop-out does nothing
  if (code == kCodeOptionsClosed) {
    // Rebuilt on the next update, once the options have finished their Close.
    if (waitingForOptions_) rebuildPending_ = true;
    return;
  }
  if (waitingForOptions_) return;
  switch (code) {
    case kCmdOptions:
      OpenOptions();
      break;
    case kCmdResumeGame:
      OnEscape();
      break;
    case kCmdMainMenu:
      Close(0);
      GetDialogHost().StartTransition(kMainMenuClass);
      break;
    case kCmdHelp:
      if (!NotifyOwner(kCmdHelp)) return;
      Close(0);
      break;
    default:
      (void)sender;
      break;
  }
}

void CGameDialog::OnEscape() {
  if (!IsClosing() && !waitingForOptions_) Close(kCodeMenuDismissed);
}

void CGameDialog::Update() {
  // Options that went away without closing (their scene was deleted) also bring the menu back.
  if (waitingForOptions_ && !options_) rebuildPending_ = true;
  if (!rebuildPending_ || IsClosing()) return;
  rebuildPending_ = false;
  waitingForOptions_ = false;
  {
    ClockPauseGuard pause;
    new CGameDialog(GetCurrentEnvironment(), flags_);
  }
  delete this;
}

CGameDialog* OpenGameDialog(CGameObject* parent, unsigned flags) {
  if (g_gameDialog && !g_gameDialog->IsClosing()) return g_gameDialog;
  ClockPauseGuard pause;
  return new CGameDialog(parent, flags);
}

CGameDialog* GetGameDialog() {
  return g_gameDialog;
}
