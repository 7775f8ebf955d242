#include "effects/sparkle.h"

#include <cmath>
#include <numbers>

#include "core/random.h"
#include "effects/effects_shared.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// A point inside a disc of radius 0.2 to 0.4, in parent widths and heights from its centre.
void RandomOffset(float& x, float& y) {
  const float angle = EffectRandomUniform(0.0f, kTwoPi);
  const float r = EffectRandomUniform(0.5f, 1.0f) * 0.4f;
  const float distance = EffectRandomUniform(0.0f, 1.0f) * r;
  x = std::cos(angle) * distance;
  y = std::sin(angle) * distance;
}

}  // namespace

CSparkleEmitter::CSparkleEmitter(CSprite* host) {
  if (host) {
    Attach(host, 0);
    SetDepth(host->GetDepth());
    InvalidateRect();
  }
  nextSparkle_ = GetTime() + EffectRandomUniform(6.0f, 10.0f);
}

void CSparkleEmitter::Update() {
  const float now = GetTime();
  if (now < nextSparkle_) return;
  new CSparkleSprite(this);
  nextSparkle_ = now + EffectRandomUniform(6.0f, 10.0f);
}

CSparkleSprite::CSparkleSprite(CSparkleEmitter* emitter) {
  if (emitter) Attach(emitter, 0);
  SetDepth(kDepth);
  birth_ = GetTime();
  RandomOffset(startX_, startY_);
  RandomOffset(endX_, endY_);
  startAngle_ = EffectRandomUniform(-kTwoPi, kTwoPi);
  endAngle_ = EffectRandomUniform(-kTwoPi, kTwoPi);
  const float side = 0.015f * float(GetClientHeight());
  const ScreenRect host = GetParentRect();
  SetScreenRect(ScreenRect::FromCenter(side, side, host.CenterX(), host.CenterY()));
  Update();
}

void CSparkleSprite::Update() {
  const float t = (GetTime() - birth_) / kLifetime;
  if (t >= 1.0f) {
    delete this;
    return;
  }
  SetOffset(startX_ * (1 - t) + endX_ * t, startY_ * (1 - t) + endY_ * t);
  SetOpacity(std::sin(t * std::numbers::pi_v<float>));
  SetAngle(startAngle_ * (1 - t) + endAngle_ * t);
}

void CSparkleSprite::Render(gfx::Device* device) {
  if (!device || !(GetEffectiveOpacity() > 0)) return;
  gfx::Texture* texture = GetDeviceTexture(effects::SharedTexture(effects::kTexSparkle));
  if (!texture || !GetQuad(kQuadNormal)) return;
  BeginSpriteStates(device, false);  // clamped addressing; the end step puts wrap back
  DrawQuad(device, GetScreenRect(), kQuadNormal, texture, GetMaterial());
  EndSpriteStates(device);
}
