#include "puzzles/piano_progress.h"

#include <cmath>

#include "puzzles/piano_rules.h"

namespace {

constexpr const char* kProgressCaption = "CPlayerPianoProgress::RestoreDeviceObjects()";
constexpr const char* kRollCaption = "CPianoRoll::RestoreDeviceObjects()";
constexpr float kTurnSeconds = 25.0f;
constexpr float kVisibleShare = 0.25f;
constexpr float kShadowOpacity = 0.3f;

}  // namespace

// ---- Progress bar ------------------------------------------------------------------------------

CPlayerPianoProgress::CPlayerPianoProgress(CGameObject* parent, const ScreenRect& rect, float depth)
    : CSprite(rect, depth, "Puzzles\\PlayerPiano\\Progress_none.png", parent) {
  full_ = AcquireTexture("Puzzles\\PlayerPiano\\Progress_all.png", 0);
  window_.Set(ScreenRect(0, piano::BarFillTop(0), 1, 1), kProgressCaption);
  if (gfx::Device* device = GetDevice()) window_.Restore(device, kProgressCaption);
}

CPlayerPianoProgress::~CPlayerPianoProgress() {
  ReleaseTexture(full_);
}

void CPlayerPianoProgress::SetRatio(float ratio) {
  ratio = piano::FillRatio(ratio, 1.0f);
  if (ratio == ratio_) return;
  ratio_ = ratio;
  window_.Set(ScreenRect(0, piano::BarFillTop(ratio_), 1, 1), kProgressCaption);
}

int CPlayerPianoProgress::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  window_.Restore(device, kProgressCaption);
  return result;
}

int CPlayerPianoProgress::InvalidateDeviceObjects() {
  window_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CPlayerPianoProgress::DeleteDeviceObjects() {
  window_.Release();
  return CSprite::DeleteDeviceObjects();
}

void CPlayerPianoProgress::Render(gfx::Device* device) {
  CSprite::Render(device);
  if (!device || IsHidden() || GetEffectiveOpacity() == 0 || !window_.Ready()) return;
  const ScreenRect r = GetScreenRect();
  const float top = window_.Uv().top;
  const ScreenRect part(r.left, r.top + top * r.Height(), r.right, r.bottom);
  BeginSpriteStates(device, false);
  window_.Draw(device, part, GetDeviceTexture(full_), RenderMaterial());
  EndSpriteStates(device);
}

// ---- Piano roll --------------------------------------------------------------------------------

CPianoRoll::CPianoRoll(CGameObject* parent, const ScreenRect& rect, float depth)
    : CSprite(rect, depth, "Puzzles\\PlayerPiano\\PianoRoll.jpg", parent) {
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

void CPianoRoll::Update() {
  if (!turning_) return;
  offset_ += GetElapsed() / kTurnSeconds;
  offset_ -= std::floor(offset_);
}

int CPianoRoll::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  upper_.Restore(device, kRollCaption);
  lower_.Restore(device, kRollCaption);
  return result;
}

int CPianoRoll::InvalidateDeviceObjects() {
  upper_.Release();
  lower_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CPianoRoll::DeleteDeviceObjects() {
  upper_.Release();
  lower_.Release();
  return CSprite::DeleteDeviceObjects();
}

void CPianoRoll::Render(gfx::Device* device) {
  if (!device || !texture_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  if (!texture || !upper_.Ready() || !lower_.Ready()) return;
  // The paper moves up through the window; past the end of the picture it starts again.
  const float from = offset_, to = offset_ + kVisibleShare;
  const float split = std::min(to, 1.0f);
  const float share = (split - from) / kVisibleShare;
  if (upper_.Uv().top != from || upper_.Uv().bottom != split)
    upper_.Set(ScreenRect(0, from, 1, split), kRollCaption);
  const ScreenRect r = GetScreenRect();
  BeginSpriteStates(device, false);
  const float mid = r.top + share * r.Height();
  upper_.Draw(device, ScreenRect(r.left, r.top, r.right, mid), texture, RenderMaterial());
  if (to > 1.0f) {
    if (lower_.Uv().top != 0 || lower_.Uv().bottom != to - 1.0f)
      lower_.Set(ScreenRect(0, 0, 1, to - 1.0f), kRollCaption);
    lower_.Draw(device, ScreenRect(r.left, mid, r.right, r.bottom), texture, RenderMaterial());
  }
  // The window's shade over the paper: a plain dark veil.
  gfx::Material shade = RenderMaterial();
  shade.emissive = {0, 0, 0, kShadowOpacity};
  shade.diffuse.a = kShadowOpacity * GetEffectiveOpacity();
  DrawQuad(device, r, kQuadNormal, nullptr, shade);
  EndSpriteStates(device);
}
