#include "effects/light_glare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/random.h"
#include "effects/effects_shared.h"

namespace effects {
namespace {
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
}  // namespace

uint32_t MoteColor(float opacity) {
  return uint32_t(std::clamp(opacity, 0.0f, 1.0f) * 255.0f) << 24 | 0xFFFF40u;
}

Mote RandomMote(float now) {
  Mote m;
  const float r = EffectRandomUniform(0.0f, 1.0f);
  const float theta = EffectRandomUniform(0.0f, 1.0f) * kTwoPi;
  m.x = std::cos(theta) * r;
  m.y = std::sin(theta) * r;
  const float phi = EffectRandomUniform(0.0f, 1.0f) * kTwoPi;
  const float speed = EffectRandomUniform(0.5f, 1.0f) * 0.2f;
  m.velX = std::cos(phi) * speed;
  m.velY = std::sin(phi) * speed;
  m.start = now + EffectRandomUniform(0.0f, 1.0f) * 0.1f;
  return m;
}

void MotePosition(const Mote& m, float t, float& x, float& y) {
  const float d = std::min(t - m.start, 0.2f);
  x = m.x + m.velX * d;
  y = m.y + m.velY * d;
}

void StepMote(Mote& m, float now) {
  if (!(now - m.start > kMoteTurnPeriod)) return;
  float x, y;
  MotePosition(m, now, x, y);
  const float heading = std::hypot(x, y) >= 1.0f
                            ? std::atan2(-y, -x)
                            : std::atan2(m.velY, m.velX) + EffectRandomUniform(-1.0f, 1.0f) * 0.31415927f;
  const float speed = EffectRandomUniform(0.5f, 1.0f) * 0.2f;
  m.x = x;
  m.y = y;
  m.start = now;
  m.velX = std::cos(heading) * speed;
  m.velY = std::sin(heading) * speed;
}

}  // namespace effects

namespace {
constexpr const char* kCaptionRestore = "CLightGlare::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CLightGlare::FillVertexBuffer()";
}  // namespace

CLightGlare::CLightGlare(CGameObject* environment, const ScreenRect& reference) : reference_(reference) {
  if (environment) Attach(environment, 0);
  SetDepth(GetDepth() + 0.01f);
  const ScreenRect target = environment && (environment->GetTypeFlags() & kTypeFlagSprite)
                                ? static_cast<CSprite*>(environment)->GetScreenRect()
                                : ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
  SetScreenRect(
      ScreenRect::MapFromReference(reference, scene::kReferenceWidth, scene::kReferenceHeight, target));
  SetColor(0xFFFFFFA0);
  // Additive: the opacity dims the glow instead of the blend, so a fading scene fades it too.
  AddFlags(kSpriteAdditive);
  const float now = GetTime();
  for (effects::Mote& m : motes_) m = effects::RandomMote(now);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

void CLightGlare::Update() {
  const float now = GetTime();
  for (effects::Mote& m : motes_) effects::StepMote(m, now);
}

void CLightGlare::FillVertexBuffer(float opacity) {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  const ScreenRect rect = GetScreenRect();
  const float now = GetTime();
  const uint32_t color = effects::MoteColor(opacity);
  for (const effects::Mote& m : motes_) {
    float x, y, px, py;
    effects::MotePosition(m, now, x, y);
    rect.ToScreen(x, y, px, py);
    *v++ = effects::MakePoint(px, py, kMoteSize, color);
  }
  points_.Unlock();
}

void CLightGlare::Render(gfx::Device* device) {
  const float opacity = GetEffectiveOpacity();
  if (!device || !(opacity > 0)) return;
  const ScreenRect rect = GetScreenRect();
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_ONE);
  device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_ONE);
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_FOGENABLE, 0);
  if (gfx::Texture* glare = GetDeviceTexture(effects::SharedTexture(effects::kTexGlare)))
    DrawQuad(device, rect, kQuadNormal, glare, RenderMaterial());
  FillVertexBuffer(opacity);
  gfx::Texture* mote = GetDeviceTexture(effects::SharedTexture(effects::kTexMote));
  if (points_.Get() && mote) {
    device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
    device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
    device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 1);
    device->SetTexture(0, mote);
    device->SetStreamSource(0, points_.Get(), sizeof(effects::PointVertex));
    device->SetVertexShader(gfx::FVF_RHW_PSIZE_COLOR);
    device->DrawPrimitive(gfx::PT_POINTLIST, 0, effects::kMoteCount);
    device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 0);
  }
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
}

int CLightGlare::RestoreDeviceObjects(gfx::Device* device) {
  if (!points_.Get()) {
    const gfx::HRESULT hr = points_.Create(device, effects::kMoteCount, kCaptionRestore);
    if (gfx::Failed(hr)) return hr;
    FillVertexBuffer(GetEffectiveOpacity());
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CLightGlare::InvalidateDeviceObjects() {
  points_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CLightGlare::DeleteDeviceObjects() {
  points_.Release();
  return CSprite::DeleteDeviceObjects();
}
