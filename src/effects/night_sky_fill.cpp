#include "effects/night_sky_fill.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/random.h"
#include "data/texture_cache.h"
#include "effects/effects_shared.h"
#include "platform/os/host.h"
#include "scene/game_object.h"
#include "scene/sprite.h"

namespace effects {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

gfx::Material Tint(float r, float g, float b, float alpha) {
  gfx::Material m{};
  m.emissive = {r, g, b, alpha};
  m.diffuse.a = alpha;
  m.ambient.a = alpha;
  return m;
}

uint32_t Byte(float v) {
  return uint32_t(std::clamp(v, 0.0f, 1.0f) * 255.0f);
}

}  // namespace

int StarCountFor(float width, float height, int clientWidth, int clientHeight) {
  if (!(width > 0) || !(height > 0) || clientWidth <= 0 || clientHeight <= 0) return 0;
  const double count = double(kFullScreenStars) * (double(width) * double(height)) /
                       (double(clientWidth) * double(clientHeight));
  if (!(count < double(kMaxStars))) return kMaxStars;
  return int(count);
}

uint32_t HsvStarColor(float hue, float s) {
  const float sector = kPi / 3.0f;
  float h = std::fmod(hue, 2.0f * kPi);
  if (h < 0) h += 2.0f * kPi;
  const int k = std::min(int(h / sector), 5);
  const float f = h / sector - float(k);
  const float p = 1 - s, q = 1 - s * f, e = 1 - s * (1 - f);
  float r = 1, g = 1, b = 1;
  switch (k) {
    case 0:
      r = 1, g = e, b = p;
      break;
    case 1:
      r = q, g = 1, b = p;
      break;
    case 2:
      r = p, g = 1, b = e;
      break;
    case 3:
      r = p, g = q, b = 1;
      break;
    case 4:
      r = e, g = p, b = 1;
      break;
    default:
      r = 1, g = p, b = q;
      break;
  }
  return 0xFF000000u | Byte(r) << 16 | Byte(g) << 8 | Byte(b);
}

Star RandomStar() {
  Star s;
  s.x = EffectRandomUniform(-0.99f, 0.99f);
  s.y = EffectRandomUniform(-0.99f, 0.99f);
  const float saturation = EffectRandomUniform(0.1f, 0.35f);
  const float hue = EffectRandomUniform(0.0f, 1.0f) * 2.0f * kPi;
  s.color = HsvStarColor(hue, saturation);
  s.baseSize = EffectRandomUniform(0.25f, 1.0f);
  s.period = EffectRandomUniform(5.0f, 15.0f);
  s.phase = EffectRandomUniform(0.0f, 1.0f) * s.period;
  return s;
}

float StarSizeFactor(const Star& star, float t) {
  if (!(star.period > 0)) return star.baseSize;
  const float f = std::fmod(t + star.phase, star.period) / star.period;
  if (f >= 0 && f < 0.2f) return star.baseSize * (1.0f + std::sin(kPi * f / 0.2f));
  return star.baseSize;
}

CloudWindow SkyCloudWindow(float aspect, float t) {
  float f = std::fmod(t / 60.0f, 1.0f);
  if (f < 0) f += 1.0f;
  if (aspect <= 1.0f) return {f, f + 0.5f * aspect, 1.0f};
  return {f, f + 0.5f, 1.0f / aspect};
}

void NightSkyFill::SetStarCount(int count) {
  count = std::clamp(count, 0, kMaxStars);
  if (count != StarCount()) {
    starBuffer_.Release();
    retryStarBuffer_ = true;
  }
  stars_.resize(size_t(count));
  for (Star& s : stars_) s = RandomStar();
}

void NightSkyFill::SetStarArea(float width, float height) {
  SetStarCount(StarCountFor(width, height, GetClientWidth(), GetClientHeight()));
}

int NightSkyFill::Restore(gfx::Device* device, const char* caption) {
  if (!device) return gfx::E_FAIL;
  caption_ = caption;
  if (!cloudBuffer_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &cloudBuffer_);
    if (gfx::Failed(hr) || !cloudBuffer_) {
      cloudBuffer_ = nullptr;
      os::ShowMessageBox(caption, "Failed to create cloud vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  // No stars, no star buffer (a zero-length buffer is never asked for).
  if (!starBuffer_.Get() && !stars_.empty())
    return starBuffer_.Create(device, StarCount(), caption, "Failed to create star vertex buffer");
  return gfx::S_OK;
}

void NightSkyFill::Release() {
  starBuffer_.Release();
  if (cloudBuffer_) cloudBuffer_->Release();
  cloudBuffer_ = nullptr;
}

void NightSkyFill::Draw(gfx::Device* device, const ScreenRect& rect, float createdAt, float opacity) {
  if (!device) return;
  const float t = GetTime() - createdAt;
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
  device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_FOGENABLE, 0);
  if (gfx::Texture* sky = GetDeviceTexture(SharedTexture(kTexSky)))
    CSprite::DrawQuad(device, rect, kQuadNormal, sky, Tint(1, 1, 1, opacity));
  DrawStars(device, rect, t, opacity);
  DrawClouds(device, rect, t, opacity);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
}

void NightSkyFill::DrawStars(gfx::Device* device, const ScreenRect& rect, float t, float opacity) {
  if (stars_.empty()) return;
  // A new star count after the restore: one more try at a buffer of the new size.
  if (!starBuffer_.Get() && retryStarBuffer_) {
    retryStarBuffer_ = false;
    Restore(device, caption_);
  }
  PointVertex* v = starBuffer_.Lock(caption_);
  if (!v) return;
  const float pixelsPerUnit = float(GetClientHeight()) * 0.01f;
  const uint32_t alpha = Byte(opacity) << 24;
  for (const Star& s : stars_) {
    float x, y;
    rect.ToScreen(s.x, s.y, x, y);
    *v++ = MakePoint(x, y, pixelsPerUnit * StarSizeFactor(s, t), alpha | (s.color & 0xFFFFFFu));
  }
  starBuffer_.Unlock();
  gfx::Texture* star = GetDeviceTexture(SharedTexture(kTexStar));
  if (!star) return;
  device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 1);
  device->SetTexture(0, star);
  device->SetStreamSource(0, starBuffer_.Get(), sizeof(PointVertex));
  device->SetVertexShader(gfx::FVF_RHW_PSIZE_COLOR);
  device->DrawPrimitive(gfx::PT_POINTLIST, 0, uint32_t(starBuffer_.Count()));
  device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 0);
}

void NightSkyFill::DrawClouds(gfx::Device* device, const ScreenRect& rect, float t, float opacity) {
  gfx::Texture* clouds = GetDeviceTexture(SharedTexture(kTexSkyClouds));
  if (!cloudBuffer_ || !clouds) return;
  const CloudWindow w = SkyCloudWindow(rect.Aspect(), t);
  void* data = nullptr;
  if (gfx::Failed(cloudBuffer_->Lock(0, 0, &data, gfx::LOCK_DISCARD)) || !data) return;
  auto* q = static_cast<gfx::VertexPosUv*>(data);
  q[0] = {1, -1, 0, w.u1, 0};
  q[1] = {1, 1, 0, w.u1, w.v1};
  q[2] = {-1, 1, 0, w.u0, w.v1};
  q[3] = {-1, -1, 0, w.u0, 0};
  cloudBuffer_->Unlock();
  // The window runs past the texture's right edge; whoever drew last may have left clamping on.
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
  device->SetTransform(gfx::TS_WORLD, CSprite::WorldFromRect(rect));
  device->SetStreamSource(0, cloudBuffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(Tint(0.5f, 0.625f, 0.75f, opacity));
  device->SetTexture(0, clouds);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
}

}  // namespace effects
