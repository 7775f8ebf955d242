#include "ui/dialog_background.h"

#include "scene/sprite_animator.h"
#include "ui/life_watch.h"

namespace {

constexpr int kInitialStars = 150;
constexpr const char* kCaption = "CDialogBackground::RestoreDeviceObjects()";

CDialogBackground* g_bottom = nullptr;
CDialogBackground* g_top = nullptr;

}  // namespace

CDialogBackground::CDialogBackground() : createdAt_(GetTime()), closingKind_(kAnimPopOut) {
  prev_ = g_top;
  if (g_top)
    g_top->next_ = this;
  else
    g_bottom = this;
  g_top = this;
  sky_.SetStarCount(kInitialStars);
  if (gfx::Device* device = GetDevice()) sky_.Restore(device, kCaption);
}

CDialogBackground::~CDialogBackground() {
  if (prev_)
    prev_->next_ = next_;
  else if (g_bottom == this)
    g_bottom = next_;
  if (next_)
    next_->prev_ = prev_;
  else if (g_top == this)
    g_top = prev_;
  prev_ = next_ = nullptr;
  delete owner_;
}

int CDialogBackground::DeleteDeviceObjects() {
  sky_.Release();
  return CSprite::DeleteDeviceObjects();
}

int CDialogBackground::InvalidateDeviceObjects() {
  sky_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CDialogBackground::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  return sky_.Restore(device, kCaption);
}

void CDialogBackground::DrawSky(gfx::Device* device, const ScreenRect& rect, float opacity) {
  sky_.Draw(device, rect, createdAt_, opacity);
}

void CDialogBackground::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  DrawSky(device, GetInteriorRect(), opacity);
}

void CDialogBackground::SetStarArea(float width, float height) {
  sky_.SetStarArea(width, height);
}

void CDialogBackground::SetOwner(CGameObject* owner) {
  delete owner_;
  owner_ = nullptr;
  CreateWeakRef(owner, &owner_);
}

bool CDialogBackground::NotifyOwner(int code) {
  CGameObject* owner = GetOwner();
  if (!owner) return true;
  LifeWatch self(this);
  owner->OnNotify(this, code);
  return self.Alive();
}

void CDialogBackground::Close(int code) {
  // Closing stays on the stack until the pop-out ends; a second Close would notify again.
  if (closing_) return;
  closing_ = true;
  if (code != 0 && GetOwner()) {
    const bool alive = NotifyOwner(code);
    if (!alive) return;
    delete owner_;
    owner_ = nullptr;
  }
  new CSpriteAnimator(this, closingKind_, kDialogAnimationTime, kAnimDeleteSprite);
}

void CDialogBackground::ShowAnimated() {
  new CSpriteAnimator(this, kAnimPopIn, kDialogAnimationTime, kAnimDeleteAnimator);
}

CDialogBackground* GetOpenDialog() {
  return g_top;
}

CDialogBackground* GetBottomDialog() {
  return g_bottom;
}

int CountDialogs() {
  int n = 0;
  for (CDialogBackground* d = g_bottom; d; d = d->NextDialog()) ++n;
  return n;
}

int EscapeOpenDialog() {
  if (!g_top) return 0;
  for (CDialogBackground* d = g_top; d; d = d->PrevDialog()) {
    if (d->IsClosing()) continue;
    d->OnEscape();
    break;
  }
  return 1;
}

bool IsDialogOpen() {
  return g_top != nullptr;
}

void CancelCurrentDialog() {
  EscapeOpenDialog();
}
