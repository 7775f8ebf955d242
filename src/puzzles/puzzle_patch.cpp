#include "puzzles/puzzle_patch.h"

#include <cmath>

#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "ui/control_hover.h"

namespace {
constexpr const char* kCaption = "CPuzzlePatch::RestoreDeviceObjects()";
}

CPuzzlePatch::CPuzzlePatch(CSprite* parent, const ScreenRect& reference, const char* texture, int command,
                           uint32_t options, const ScreenRect* uv, const ScreenRect* click)
    : reference_(reference),
      clickReference_(click ? *click : reference),
      command_(command),
      options_(options) {
  if (texture && *texture) texture_ = AcquireTexture(texture, 0);
  if (parent) Attach(parent, 0);
  SetDepth((parent ? parent->GetDepth() : 0.0f) + 0.01f);
  window_.Set(
      uv ? *uv
         : ScreenRect(reference.left / scene::kReferenceWidth, reference.top / scene::kReferenceHeight,
                      reference.right / scene::kReferenceWidth, reference.bottom / scene::kReferenceHeight),
      kCaption);
  if (options_ & kHighlight) SetOpacity(0.0f);
  Place();
  if (gfx::Device* device = GetDevice()) window_.Restore(device, kCaption);
}

ScreenRect CPuzzlePatch::Target() {
  return ReferenceTarget(GetParent());
}

void CPuzzlePatch::Place() {
  SetScreenRect(puzzle::FromReference(reference_, Target()));
}

ScreenRect CPuzzlePatch::ClickRect() {
  return puzzle::FromReference(clickReference_, Target());
}

bool CPuzzlePatch::BlinkOn(float t) {
  return std::fmod(t, 0.5f) <= 0.25f;
}

int CPuzzlePatch::HitTest() {
  if (command_ == 0 || IsHidden()) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!ClickRect().ContainsPoint(float(x), float(y))) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CPuzzlePatch::Update() {
  const bool hovered = command_ != 0 && HoveredThisFrame(this);
  if (options_ & kHighlight) SetOpacity(hovered && IsLeftButtonDown() ? 1.0f : 0.0f);
  // Last: the parent may delete this patch in its notification.
  if (hovered && IsLeftClick()) {
    if (CGameObject* parent = GetParent()) parent->OnNotify(this, command_);
  }
}

int CPuzzlePatch::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  Place();  // the client may have changed size
  window_.Restore(device, kCaption);
  return result;
}

int CPuzzlePatch::InvalidateDeviceObjects() {
  window_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CPuzzlePatch::DeleteDeviceObjects() {
  window_.Release();
  return CSprite::DeleteDeviceObjects();
}

void CPuzzlePatch::Render(gfx::Device* device) {
  if (!device || !texture_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  if ((options_ & kBlink) && !BlinkOn(GetTime())) return;
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  window_.Draw(device, GetScreenRect(), GetDeviceTexture(texture_), RenderMaterial());
  EndSpriteStates(device);
}
