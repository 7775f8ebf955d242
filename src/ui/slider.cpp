#include "ui/slider.h"

#include <algorithm>

#include "scene/input.h"
#include "ui/control_hover.h"

float SliderValueAfter(float value, float x, float w, bool clicked, bool buttonDown) {
  if (!(w > 0.0f)) return value;
  if (x <= 0.1f * w) return clicked ? std::max(value - 0.1f, 0.0f) : value;
  if (x >= 0.9f * w) return clicked ? std::min(value + 0.1f, 1.0f) : value;
  if (!buttonDown) return value;
  return std::clamp((x - 0.17f * w) / (0.66f * w), 0.0f, 1.0f);
}

CSlider::CSlider(int id, CGameObject* owner) {
  SetId(id);
  SetTexture("GUI\\Slider_bkgd.png");
  thumb_ = AcquireTexture("GUI\\Slider_thumb.png", 0);
  CreateWeakRef(owner, &owner_);
  if (owner) {
    Attach(owner, 0);
    SetDepth(owner->GetDepth() + 1.0f);
  }
  SetAspectRatio(GetNaturalAspect());
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSlider::~CSlider() {
  ReleaseTexture(thumb_);
  delete owner_;
}

int CSlider::HitTest() {
  if (!PointerOverControl(this)) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CSlider::Update() {
  if (!HoveredThisFrame(this)) return;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  const float next =
      SliderValueAfter(value_, float(x) - r.left, r.Width(), IsLeftClick(), IsLeftButtonDown());
  if (next == value_) return;
  value_ = next;
  if (CGameObject* owner = WeakTarget(owner_)) owner->OnNotify(this, GetId());
}

ScreenRect CSlider::ThumbRect() {
  const ScreenRect r = GetScreenRect();
  const float cx = r.left + 0.17f * r.Width() + value_ * 0.66f * r.Width();
  return ScreenRect::FromCenter(r.Height(), r.Height(), cx, r.CenterY());
}

void CSlider::Render(gfx::Device* device) {
  CSprite::Render(device);
  if (!device || IsHidden()) return;
  gfx::Texture* texture = GetDeviceTexture(thumb_);
  if (!texture || GetEffectiveOpacity() == 0.0f) return;
  BeginSpriteStates(device, false);
  DrawQuad(device, ThumbRect(), kQuadNormal, texture, RenderMaterial());
  EndSpriteStates(device);
}
