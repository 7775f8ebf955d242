#include "flow/play_dialog.h"

#include <algorithm>

#include "core/frame_timer.h"
#include "flow/main_menu_rules.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

namespace {

constexpr int kCmdCancel = 1203;
CPlayDialog* g_play = nullptr;

}  // namespace

CPlayDialog::CPlayDialog(CGameObject* owner, CGameObject* parent) {
  g_play = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  CPushbutton* buttons[3] = {
      new CPushbutton("ContinueSavedGameButton", kCmdContinueSavedGame, kButtonWide, this, this),
      new CPushbutton("StartNewGameButton", kCmdStartNewGame, kButtonWide, this, this),
      new CPushbutton("Cancel", kCmdCancel, kButtonLarge, this, this)};
  const float widest = std::max(buttons[0]->GetNaturalAspect(), buttons[1]->GetNaturalAspect());
  const PlayDialogLayout layout = LayoutPlayDialog(widest, buttons[2]->GetNaturalAspect(),
                                                   float(GetClientWidth()), float(GetClientHeight()));
  SetScreenRect(layout.frame);
  for (int i = 0; i < 3; ++i) buttons[i]->SetScreenRect(layout.buttons[i]);
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CPlayDialog::~CPlayDialog() {
  if (g_play == this) g_play = nullptr;
}

CPushbutton* CPlayDialog::GetButton(int id) {
  return static_cast<CPushbutton*>(FindChildById(id));
}

void CPlayDialog::OnNotify(CGameObject* sender, int code) {
  (void)sender;
  if (IsClosing()) return;
  if (code == kCmdContinueSavedGame || code == kCmdStartNewGame) {
    if (!NotifyOwner(code)) return;
    Close(kCodePlayDialogClosed);
  } else if (code == kCmdCancel) {
    OnEscape();
  }
}

void CPlayDialog::OnEscape() {
  Close(kCodePlayDialogClosed);
}

CPlayDialog* OpenPlayDialog(CGameObject* owner, CGameObject* parent) {
  if (CPlayDialog* open = GetPlayDialog()) return open;
  ClockPauseGuard pause;
  return new CPlayDialog(owner, parent);
}

CPlayDialog* GetPlayDialog() {
  return g_play && !g_play->IsClosing() ? g_play : nullptr;
}
