#include "ui/checkbox.h"

#include <algorithm>

#include "data/string_table.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {
constexpr const char* kCaption = "CCheckbox::RestoreDeviceObjects()";
constexpr const char* kBoxes[4] = {"GUI\\CheckboxNormal.png", "GUI\\CheckboxNormalChecked.png",
                                   "GUI\\CheckboxRollover.png", "GUI\\CheckboxRolloverChecked.png"};
}  // namespace

CCheckbox::CCheckbox(const char* labelKey, int id, CGameObject* owner) {
  SetId(id);
  for (int i = 0; i < 4; ++i) boxes_[i] = AcquireTexture(kBoxes[i], 0);
  label_.SetText(LocalizeText(labelKey ? labelKey : ""), "GoldFlat2");
  CreateWeakRef(owner, &owner_);
  if (owner) {
    Attach(owner, 0);
    SetDepth(owner->GetDepth() + 1.0f);
  }
  SetAspectRatio(GetNaturalAspect());
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CCheckbox::~CCheckbox() {
  for (TextureEntry*& t : boxes_) {
    ReleaseTexture(t);
    t = nullptr;
  }
  delete owner_;
}

int CCheckbox::DeleteDeviceObjects() {
  label_.Release();
  return CSprite::DeleteDeviceObjects();
}

int CCheckbox::InvalidateDeviceObjects() {
  label_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CCheckbox::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  return label_.Restore(device, kCaption);
}

int CCheckbox::HitTest() {
  if (!PointerOverControl(this)) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CCheckbox::Update() {
  if (!HoveredThisFrame(this) || !IsLeftClick()) return;
  checked_ = !checked_;
  if (CGameObject* owner = WeakTarget(owner_)) owner->OnNotify(this, GetId());
}

ScreenRect CCheckbox::LabelRect(const ScreenRect& sprite, float labelAspect) {
  const float h = sprite.Height();
  const float left = sprite.left + 1.25f * h;
  const float room = std::max(sprite.right - left, 0.0f);
  // Half the sprite's height; a label too long for the room shrinks whole rather than squeezes.
  float height = 0.5f * h, width = labelAspect * height;
  if (width > room && width > 0.0f) {
    height *= room / width;
    width = room;
  }
  return ScreenRect(left, sprite.CenterY() - height / 2, left + width, sprite.CenterY() + height / 2);
}

void CCheckbox::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  const ScreenRect rect = GetScreenRect();
  const bool hovered = HoveredThisFrame(this);
  BeginSpriteStates(device, false);
  const ScreenRect box(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
  if (gfx::Texture* texture = GetDeviceTexture(boxes_[(hovered ? 2 : 0) + (checked_ ? 1 : 0)])) {
    DrawQuad(device, box, kQuadNormal, texture, TintMaterial(0xFFFFFFFF, opacity));
  }
  label_.Draw(device, LabelRect(rect, label_.Aspect()), hovered ? hoveredColor_ : normalColor_, opacity);
  EndSpriteStates(device);
}
