#include "flow/mode_dialog.h"

#include "core/frame_timer.h"
#include "flow/main_menu_rules.h"
#include "player/game_state.h"
#include "scene/input.h"
#include "scene/sprite_animator.h"
#include "ui/button_resources.h"
#include "ui/button_style.h"
#include "ui/control_hover.h"
#include "ui/dialog_layouts.h"
#include "ui/pushbutton.h"

namespace {

constexpr float kPictureAspect = 1.47f;  // 1024 x 697
constexpr float kOkHeight = 0.06f;
CModeDialog* g_mode = nullptr;

}  // namespace

CModeDialog::CModeDialog(CGameObject* owner, CGameObject* parent) : rookie_(TestFlag(kRookieModeFlag)) {
  g_mode = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  SetClosingKind(kAnimSlideOutTop);
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  // The picture fills the frame's width inside the border; OK sits below it.
  const float frameW = 0.6f * W, border = 0.05f * H;
  const float pictureW = frameW - 2 * border, pictureH = pictureW / kPictureAspect;
  const float okH = kOkHeight * H, frameH = pictureH + okH + 0.03f * H + 2 * border;
  const ScreenRect frame = ScreenRect::FromCenter(frameW, frameH, W / 2, H / 2);
  SetScreenRect(frame);
  const ScreenRect picture(frame.left + border, frame.top + border, frame.right - border,
                           frame.top + border + pictureH);
  masterPicture_ = new CSprite(picture, 0, "Main\\MasterDetective.png", this);
  rookiePicture_ = new CSprite(picture, 0, "Main\\RookieCop.png", this);
  masterPicture_->SetVisible(!rookie_);
  rookiePicture_->SetVisible(rookie_);
  ok_ = new CPushbutton("OK", kCmdOk, kButtonLarge, this, this);
  ok_->SetScreenRect(ScreenRect::FromCenter(ok_->GetNaturalAspect() * okH, okH, W / 2,
                                            picture.bottom + 0.015f * H + okH / 2));
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CModeDialog::~CModeDialog() {
  if (g_mode == this) g_mode = nullptr;
}

void CModeDialog::ShowAnimated() {
  new CSpriteAnimator(this, kAnimSlideInTop, kDialogAnimationTime, kAnimDeleteAnimator);
}

int CModeDialog::HitTest() {
  if (IsClosing() || IsAnimating() || !masterPicture_) return kHitBlocking;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = masterPicture_->GetScreenRect();
  const bool inside = r.Width() > 0 && float(y) >= r.top && float(y) < r.bottom;
  const float u = r.Width() > 0 ? (float(x) - r.left) / r.Width() : -1.0f;
  if (!inside || !ModePictureHalfIsLive(u, rookie_)) return kHitBlocking;
  // A sound for each entry into the live half, not for every frame spent there.
  rolloverDue_ = RolloverSoundDue(GetLastHoveredFrame(), GetFrameCount());
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CModeDialog::Update() {
  if (!HoveredThisFrame(this) || IsClosing()) return;
  if (rolloverDue_) {
    rolloverDue_ = false;
    PlayButtonSound(ButtonSound::kRollover, 1.0f);
  }
  if (IsLeftClick()) {
    PlayButtonSound(ButtonSound::kClick, 0.6f);
    Toggle();
  }
}

void CModeDialog::Toggle() {
  rookie_ = !rookie_;
  masterPicture_->SetVisible(!rookie_);
  rookiePicture_->SetVisible(rookie_);
}

void CModeDialog::OnNotify(CGameObject* sender, int code) {
  (void)sender;
  if (IsClosing() || code != kCmdOk) return;
  // The rookie flag is set exactly when the master detective's picture is the hidden one.
  if (masterPicture_->IsHidden())
    SetFlag(kRookieModeFlag);
  else
    ClearFlag(kRookieModeFlag);
  Close(kCmdStartAtBeginning);
}

void CModeDialog::OnEscape() {
  Close(kCodeModeClosed);
}

CModeDialog* OpenModeDialog(CGameObject* owner, CGameObject* parent) {
  if (CModeDialog* open = GetModeDialog()) return open;
  ClockPauseGuard pause;
  return new CModeDialog(owner, parent);
}

CModeDialog* GetModeDialog() {
  return g_mode && !g_mode->IsClosing() ? g_mode : nullptr;
}
