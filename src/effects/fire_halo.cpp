#include "effects/fire_halo.h"

#include <cmath>
#include <numbers>

#include "core/random.h"

namespace {
constexpr const char* kCaptionRestore = "CFireHalo::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CFireHalo::FillVertexBuffer()";
}  // namespace

CFireHalo::CFireHalo(CSprite* host) : CPointEmitter(kParticles, kCaptionRestore) {
  stopTime_ = GetTime() + kFlashTime;
  particleTexture_ = AcquireTexture("Effects\\ParticleTrail.jpg");
  if (host) {
    Attach(host, 0);
    SetDepth(host->GetDepth() + 0.01f);
    SetScreenRect(host->GetScreenRect());
  } else {
    stopTime_ = GetTime();  // nothing to decorate: fade out at once
  }
  const ScreenRect r = GetScreenRect();
  centerX_ = r.CenterX();
  centerY_ = r.CenterY();
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CFireHalo::~CFireHalo() {
  ReleaseTexture(particleTexture_);
}

void CFireHalo::OnParentDestroyed(CGameObject*) {
  stopTime_ = std::min(stopTime_, GetTime());
}

int CFireHalo::LiveParticles() const {
  int n = 0;
  for (const Particle& p : particles_) n += p.birth >= 0 ? 1 : 0;
  return n;
}

void CFireHalo::Update() {
  const float now = GetTime();
  if (now - stopTime_ > kFadeTime) {
    delete this;
    return;
  }
  CGameObject* host = GetParent();
  if (host) {
    const ScreenRect r = GetScreenRect();
    centerX_ = r.CenterX();
    centerY_ = r.CenterY();
  }
  if (host && host->GetTypeFlags() == kTypeFlagSprite && now < stopTime_ &&
      now - lastEmission_ >= kEmitPeriod) {
    const ScreenRect r = GetScreenRect();
    const float radius = std::sqrt(r.Width() * r.Width() + r.Height() * r.Height()) * 0.5f;
    const float theta = EffectRandomUniform(0.0f, 2.0f * std::numbers::pi_v<float>);
    Particle& p = particles_[next_];
    next_ = (next_ + 1) % kParticles;
    p.birth = now;
    p.startX = radius * std::cos(theta);
    p.startY = radius * std::sin(theta);
    p.size = radius;
    p.velX = p.velY = 0;
    lastEmission_ = now;
  }
  for (Particle& p : particles_) {
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= kParticleLife) {
      p.birth = -1;
      continue;
    }
    p.x = p.startX + age * p.velX;
    p.y = p.startY + age * p.velY;
    p.brightness = 1.0f - 2.0f * age;
  }
  FillVertexBuffer();
}

void CFireHalo::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  for (const Particle& p : particles_) {
    *v++ = p.birth < 0 ? effects::DeadPoint()
                       : effects::MakePoint(centerX_ + p.x, centerY_ + p.y, p.size,
                                            effects::ScaleRgb(haloColor_, p.brightness));
  }
  points_.Unlock();
}

void CFireHalo::Render(gfx::Device* device) {
  if (GetEffectiveOpacity() == 0) return;
  DrawParticles(device, particleTexture_, effects::PointBlend::kAdditive);
}
