#include "ui/slider.h"

#include <algorithm>
#include <cmath>

#include "scene/input.h"
#include "ui/control_hover.h"

namespace {
// Repeated float steps of 0.1 drift (0.5 - 5 x 0.1 is not quite 0); a step that lands next to a
// tenth lands on it, so five clicks from the middle reach the end and a sixth changes nothing.
float Step(float value, float delta) {
  const float v = std::clamp(value + delta, 0.0f, 1.0f);
  const float tenths = std::round(v * 10.0f);
  return std::fabs(v * 10.0f - tenths) < 1e-3f ? tenths / 10.0f : v;
}
}  // namespace

float SliderValueAfter(float value, float x, float w, bool clicked, bool buttonDown) {
  if (!(w > 0.0f)) return value;
  if (x <= 0.1f * w) return clicked ? Step(value, -0.1f) : value;
  if (x >= 0.9f * w) return clicked ? Step(value, 0.1f) : value;
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
