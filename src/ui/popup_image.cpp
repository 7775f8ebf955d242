#include "ui/popup_image.h"

#include <string>

#include "scene/input.h"
#include "scene/scene_context.h"
#include "ui/speech_geometry.h"

CPopupImage::CPopupImage(const char* name, CGameObject* environment, float aspect, float angle)
    : fade_(GetTime()) {
  texture_ = AcquireTexture(std::string("GUI\\Characters\\") + (name ? name : ""), 0);
  if (environment) Attach(environment, 0);
  SetDepth(GetTopDepth() + 0.01f);
  SetScreenRect(speech::FitTurnedRect(ReferenceTarget(environment), aspect, angle));
  naturalAspect_ = GetAspectRatio();
  SetOpacity(0.0f);
}

CPopupImage::~CPopupImage() {
  delete targetRef_;
}

void CPopupImage::SetNotifyTarget(CGameObject* target, int code) {
  delete targetRef_;
  targetRef_ = nullptr;
  CreateWeakRef(target, &targetRef_);
  notifyCode_ = code;
}

void CPopupImage::Update() {
  if (fade_.Step(GetTime()) == speech::FadeEvent::kFinished) {
    delete this;
    return;
  }
  SetOpacity(fade_.Opacity());
  if (fade_.State() != speech::FadeState::kShown || !IsLeftClick() ||
      hoveredFrame_ + 1 != int(GetFrameCount()))
    return;
  fade_.StartClosing(GetTime());
  SetOpacity(fade_.Opacity());
  if (CGameObject* target = WeakTarget(targetRef_)) target->OnNotify(this, notifyCode_);
}

int CPopupImage::HitTest() {
  if (!fade_.IsFullyShown()) return kHitBlocking;
  hoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CPopupImage::Render(gfx::Device* device) {
  if (!device || !texture_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  const int quad = QuadForFlags(flags_);
  if (!texture || !GetQuad(quad)) return;
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  DrawQuad(device, GetScreenRect().Scale(GetOpacity()), quad, texture, RenderMaterial());
  EndSpriteStates(device);
}
