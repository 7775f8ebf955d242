#include "flow/player_editbox.h"

#include <algorithm>

#include "core/frame_timer.h"
#include "flow/main_menu_rules.h"
#include "player/game_state.h"
#include "scene/input.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/dialog_layouts.h"
#include "ui/edit_control.h"
#include "ui/pushbutton.h"

namespace {

constexpr int kCmdCancel = 1203;
constexpr uint32_t kGold = 0xFFFFEA80;
constexpr float kLabelHeight = 0.05f, kEditHeight = 0.08f, kButtonHeight = 0.06f;
CPlayerEditbox* g_editbox = nullptr;

}  // namespace

CPlayerEditbox::CPlayerEditbox(CGameObject* owner, CGameObject* parent, bool canCancel)
    : canCancel_(canCancel) {
  g_editbox = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const float frameW = 0.55f * W, frameH = frameW / 1.33f;
  const ScreenRect frame = ScreenRect::FromCenter(frameW, frameH, W / 2, H / 2);
  SetScreenRect(frame);

  // Label, field and buttons share the room inside the border in equal gaps.
  const float labelH = kLabelHeight * H, editH = kEditHeight * H, buttonH = kButtonHeight * H;
  const float inner = frameH - 0.1f * H, gap = (inner - labelH - editH - buttonH) / 4;
  float y = frame.top + 0.05f * H + gap;
  auto* label = new CTextSpriteLocalize("PlayerName", "VictorianLET");
  label->Attach(this, 0);
  label->SetColor(kGold);
  label->SetScreenRect(
      ScreenRect::FromCenter(label->GetNaturalAspect() * labelH, labelH, W / 2, y + labelH / 2));
  y += labelH + gap;
  edit_ = new CEditControl("New Player", "GoldFlat", kPlayerNameLength);
  edit_->Attach(this, 0);
  edit_->SetScreenRect(ScreenRect::FromCenter(std::min(edit_->GetNaturalAspect() * editH, frameW - 0.12f * H),
                                              editH, W / 2, y + editH / 2));
  y += editH + gap;
  auto* ok = new CPushbutton("OK", kCmdOk, kButtonLarge, this, this);
  const float buttonW = ok->GetNaturalAspect() * buttonH;
  if (canCancel_) {
    auto* cancel = new CPushbutton("Cancel", kCmdCancel, kButtonLarge, this, this);
    const float spread = 0.6f * buttonW + 0.02f * H;
    ok->SetScreenRect(ScreenRect::FromCenter(buttonW, buttonH, W / 2 - spread, y + buttonH / 2));
    cancel->SetScreenRect(ScreenRect::FromCenter(buttonW, buttonH, W / 2 + spread, y + buttonH / 2));
  } else {
    ok->SetScreenRect(ScreenRect::FromCenter(buttonW, buttonH, W / 2, y + buttonH / 2));
  }
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CPlayerEditbox::~CPlayerEditbox() {
  if (g_editbox == this) g_editbox = nullptr;
}

CPushbutton* CPlayerEditbox::GetButton(int id) {
  return static_cast<CPushbutton*>(FindChildById(id));
}

bool CPlayerEditbox::Accept() {
  if (IsClosing()) return false;
  const std::string name = TrimmedPlayerName(edit_->GetText());
  if (name.empty() || !SelectPlayer(name.c_str())) return false;
  Close(kCodeNameEditorClosed);
  return true;
}

void CPlayerEditbox::Update() {
  if (!IsClosing() && !IsAnimating() && IsKeyPressed(os::vk::kReturn)) Accept();
}

void CPlayerEditbox::OnNotify(CGameObject* sender, int code) {
  (void)sender;
  if (IsClosing()) return;
  if (code == kCmdOk)
    Accept();
  else if (code == kCmdCancel)
    OnEscape();
}

void CPlayerEditbox::OnEscape() {
  if (canCancel_) Close(kCodeNameEditorClosed);
}

CPlayerEditbox* OpenPlayerEditbox(CGameObject* owner, CGameObject* parent, bool canCancel) {
  if (CPlayerEditbox* open = GetPlayerEditbox()) return open;
  ClockPauseGuard pause;
  return new CPlayerEditbox(owner, parent, canCancel);
}

CPlayerEditbox* GetPlayerEditbox() {
  return g_editbox && !g_editbox->IsClosing() ? g_editbox : nullptr;
}
