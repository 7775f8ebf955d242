#include "effects/clouds.h"

#include <cmath>

#include "effects/effect_placement.h"
#include "platform/os/host.h"

namespace effects {

DriftWindow VenueCloudWindow(float aspect, float t) {
  float phase = std::fmod(t / CClouds::kDriftPeriod, 1.0f);
  if (phase < 0) phase += 1.0f;
  const float start = 1.0f - phase;
  return {start, start + aspect / CClouds::kTextureAspect};
}

}  // namespace effects

CClouds::CClouds(CGameObject* environment, const ScreenRect& reference, const std::string& textureName)
    : reference_(reference), textureName_(textureName) {
  if (!textureName_.empty()) cloudTexture_ = AcquireTexture(textureName_);
  if (environment) Attach(environment, 0);
  SetDepth(environment ? environment->GetDepth() - 0.01f : -0.01f);
  SetScreenRect(effects::MapToParent(environment, reference));
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CClouds::CClouds(CGameObject* environment, XmlDocument& doc, XmlNode element)
    : CClouds(environment, effects::ReadReferenceRect(doc, element, "Rect"),
              doc.CopyAttribute(element, "Texture", "").value_or("")) {}

CClouds::~CClouds() {
  ReleaseTexture(cloudTexture_);
  if (buffer_) buffer_->Release();
}

void CClouds::Render(gfx::Device* device) {
  if (!device || !(GetEffectiveOpacity() > 0) || !buffer_) return;
  gfx::Texture* texture = GetDeviceTexture(cloudTexture_);
  if (!texture) return;
  const ScreenRect rect = GetScreenRect();
  const effects::DriftWindow w = effects::VenueCloudWindow(rect.Aspect(), GetTime());
  void* data = nullptr;
  if (gfx::Failed(buffer_->Lock(0, 0, &data, gfx::LOCK_DISCARD)) || !data) return;
  auto* q = static_cast<gfx::VertexPosUv*>(data);
  q[0] = {1, -1, 0, w.end, 0};
  q[1] = {1, 1, 0, w.end, 1};
  q[2] = {-1, 1, 0, w.start, 1};
  q[3] = {-1, -1, 0, w.start, 0};
  buffer_->Unlock();
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
  device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_FOGENABLE, 0);
  // The window runs past the right edge of the picture; the loading screen leaves clamping on.
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
  device->SetStreamSource(0, buffer_, sizeof(gfx::VertexPosUv));
  device->SetTexture(0, texture);
  device->SetMaterial(GetMaterial());
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
}

int CClouds::RestoreDeviceObjects(gfx::Device* device) {
  if (!buffer_ && device) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &buffer_);
    if (gfx::Failed(hr) || !buffer_) {
      buffer_ = nullptr;
      os::ShowMessageBox("CClouds::RestoreDeviceObjects()", "Failed to create cloud vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CClouds::InvalidateDeviceObjects() {
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
  return CSprite::InvalidateDeviceObjects();
}
