#include "ui/pushbutton.h"

#include "data/string_table.h"
#include "effects/fire_halo.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/text_container.h"
#include "ui/button_resources.h"
#include "ui/button_style.h"
#include "ui/control_hover.h"
#include "ui/tooltip.h"

namespace {

constexpr const char* kTextCaption = "CPushbutton::FillTextVertexBuffer()";

void DrawFan(gfx::Device* device, const ScreenRect& rect, gfx::VertexBuffer* vb, gfx::Texture* texture,
             const gfx::Material& material) {
  device->SetTransform(gfx::TS_WORLD, CSprite::WorldFromRect(rect));
  device->SetStreamSource(0, vb, sizeof(gfx::VertexPosUv));
  device->SetMaterial(material);
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
}

}  // namespace

CPushbutton::CPushbutton(const char* labelKey, int id, uint32_t style, CGameObject* owner,
                         CGameObject* parent)
    : normalColor_(ButtonStyleFor(style).normalColor),
      hoveredColor_(ButtonStyleFor(style).hoveredColor),
      style_(style) {
  SetId(id);
  SetLabel(labelKey);
  if (const char* picture = ButtonStyleFor(style).picture) picture_ = AcquireTexture(picture, 0);
  disabledPicture_ = AcquireTexture("GUI\\Button1Disabled.jpg", 0);
  if (style & kButtonGlow) glowPicture_ = AcquireTexture("GUI\\PushbuttonGlow.jpg", 0);
  CreateWeakRef(owner, &owner_);
  if (CGameObject* host = parent ? parent : owner) {
    Attach(host, 0);
    SetDepth(host->GetDepth() + 1.0f);
  }
  if (const float aspect = GetNaturalAspect(); aspect > 0.0f) SetAspectRatio(aspect);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CPushbutton::~CPushbutton() {
  ReleaseBuffers();
  for (TextureEntry* t : {picture_, disabledPicture_, glowPicture_}) ReleaseTexture(t);
  delete owner_;
}

void CPushbutton::SetOwner(CGameObject* owner) {
  delete owner_;
  owner_ = nullptr;
  CreateWeakRef(owner, &owner_);
}

void CPushbutton::SetLabel(const char* labelKey) {
  // A key without text in the table shows as itself, so a missing entry is visible, not blank.
  label_.SetText(labelKey ? LocalizeText(labelKey) : std::string(),
                 labelKey ? ButtonFontFor(style_) : nullptr);
  if (gfx::Device* device = GetDevice()) label_.Restore(device, kTextCaption);
}

void CPushbutton::ReleaseBuffers() {
  label_.Release();
  if (disabledBuffer_) disabledBuffer_->Release();
  disabledBuffer_ = nullptr;
}

int CPushbutton::DeleteDeviceObjects() {
  ReleaseBuffers();
  return CSprite::DeleteDeviceObjects();
}

int CPushbutton::InvalidateDeviceObjects() {
  ReleaseBuffers();
  return CSprite::InvalidateDeviceObjects();
}

int CPushbutton::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  if (!device) return 0;
  if (const int hr = label_.Restore(device, kTextCaption); gfx::Failed(hr)) return hr;
  if (!disabledBuffer_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &disabledBuffer_);
    if (gfx::Failed(hr) || !disabledBuffer_) {
      disabledBuffer_ = nullptr;
      os::ShowMessageBox("CPushbutton::RestoreDeviceObjects()",
                         "Failed to create vertex buffer for disabled texture");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  return 0;
}

float CPushbutton::GetNaturalAspect() {
  const float aspect = ButtonStyleFor(style_).naturalAspect;
  return aspect > 0.0f ? aspect : label_.Aspect();
}

void CPushbutton::SetTooltip(const char* key, uint32_t flags) {
  tooltipKey_ = key ? std::optional<std::string>(key) : std::nullopt;
  tooltipFlags_ = flags;
}

void CPushbutton::Disable(float duration) {
  disabledStart_ = GetTime();
  disabledDuration_ = duration;
}

void CPushbutton::SetLabelColors(uint32_t normal, uint32_t hovered) {
  normalColor_ = normal;
  hoveredColor_ = hovered;
}

bool CPushbutton::IsDisabledNow() const {
  return GetTime() < disabledStart_ + disabledDuration_;
}

int CPushbutton::HitTest() {
  if (!PointerOverControl(this) || IsDisabledNow()) return kHitNone;
  if (RolloverSoundDue(lastHoveredFrame_, GetFrameCount())) PlayButtonSound(ButtonSound::kRollover, 1.0f);
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CPushbutton::Update() {
  if (DisabledEndsThisFrame(GetTime(), disabledStart_, disabledDuration_, GetElapsed())) {
    ShowReadyHalo(this);
    PlayButtonSound(ButtonSound::kReady, 0.6f);
  }
  if (!HoveredThisFrame(this)) return;
  if (tooltipKey_) {
    const int lines = (tooltipFlags_ & kTooltipOneLine) ? 1 : GetLineCount(tooltipKey_->c_str());
    const ScreenRect rect = ButtonTooltipRect(GetScreenRect(), tooltipFlags_, lines, CurrentEnvironmentRect(),
                                              float(GetClientWidth()));
    ShowTooltip(rect, tooltipKey_->c_str(), tooltipFlags_);
  }
  // Last: the owner may delete this button in its notification.
  if (IsLeftClick()) {
    PlayButtonSound(ButtonSound::kClick, 0.6f);
    if (CGameObject* owner = GetOwner()) owner->OnNotify(this, GetId());
  }
}

int CPushbutton::FillDisabledVertexBuffer(float fraction) {
  if (!disabledBuffer_) return gfx::E_FAIL;
  void* data = nullptr;
  if (gfx::Failed(disabledBuffer_->Lock(0, 0, &data, 0)) || !data) return gfx::E_FAIL;
  // The uncovered part grows from the left: x from right - f x width to right, u from 1 - f to 1.
  const float left = 1.0f - 2.0f * fraction, u = 1.0f - fraction;
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  v[0] = {1, -1, 0, 1, 0};
  v[1] = {1, 1, 0, 1, 1};
  v[2] = {left, 1, 0, u, 1};
  v[3] = {left, -1, 0, u, 0};
  disabledBuffer_->Unlock();
  return 0;
}

void CPushbutton::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  const ScreenRect rect = GetScreenRect();
  const bool hovered = HoveredThisFrame(this);
  BeginSpriteStates(device, false);

  if (gfx::Texture* glow = GetDeviceTexture(glowPicture_); glow && (style_ & kButtonGlow)) {
    device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_ONE);
    device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_ONE);
    DrawQuad(device, ButtonGlowRect(rect), kQuadNormal, glow,
             TintMaterial(ButtonGlowColor(GetTime(), opacity), 1.0f));
    device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
    device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
  }

  gfx::Texture* pictureTexture = GetDeviceTexture(picture_);
  if (gfx::VertexBuffer* half = ButtonHalfQuad(hovered); half && pictureTexture) {
    DrawFan(device, rect, half, pictureTexture, TintMaterial(0xFFFFFFFF, opacity));
  }

  const float fraction = DisabledFraction(GetTime(), disabledStart_, disabledDuration_);
  gfx::Texture* overlay = GetDeviceTexture(disabledPicture_);
  if (fraction > 0.0f && overlay && FillDisabledVertexBuffer(fraction) == 0) {
    DrawFan(device, rect, disabledBuffer_, overlay, TintMaterial(0xFFFFFFFF, opacity));
  }

  label_.Draw(device, ButtonLabelRect(rect, style_, label_.Aspect()), hovered ? hoveredColor_ : normalColor_,
              opacity);
  EndSpriteStates(device);
}

void ShowReadyHalo(CSprite* button) {
  auto* halo = new CFireHalo(button);
  halo->SetScreenRect(button->GetScreenRect().Scale(0.67f));
}
