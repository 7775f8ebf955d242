#include "search/hint_halo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/random.h"

namespace {
constexpr const char* kCaptionRestore = "CHintHalo::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CHintHalo::FillVertexBuffer()";
}  // namespace

namespace hint {

HaloPoint HaloPointAt(float age, float theta, float r) {
  const float f = 1.0f - 2.0f * age;
  const float angle = theta + age;
  const float radius = (1.0f + f * f) * r;
  return HaloPoint{std::cos(angle) * radius, std::sin(angle) * radius, std::sqrt(std::max(f, 0.0f))};
}

}  // namespace hint

CHintHalo::CHintHalo(CSprite* target, float depth) {
  stopTime_ = GetTime() + hint::kHaloDuration;
  particleTexture_ = AcquireTexture("Effects\\ParticleTrail.jpg");
  if (target) {
    Attach(target, 0);
    SetScreenRect(target->GetScreenRect());
  } else {
    stopTime_ = GetTime();
  }
  SetDepth(depth);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CHintHalo::~CHintHalo() {
  ReleaseTexture(particleTexture_);
}

int CHintHalo::LiveParticles() const {
  int n = 0;
  for (const Particle& p : particles_) n += p.birth >= 0 ? 1 : 0;
  return n;
}

void CHintHalo::Update() {
  const float now = GetTime();
  if (now - stopTime_ > hint::kHaloFade) {
    delete this;
    return;
  }
  const ScreenRect r = GetScreenRect();
  centerX_ = r.CenterX();
  centerY_ = r.CenterY();
  CGameObject* parent = GetParent();
  if (parent && parent->GetTypeFlags() == kTypeFlagSprite && now < stopTime_ &&
      now - lastEmitTime_ >= hint::kHaloEmitPeriod) {
    Particle& p = particles_[nextSlot_];
    p.birth = now;
    p.theta = float(EffectRandomValue()) / 32768.0f * 2.0f * std::numbers::pi_v<float>;
    p.radius = 0.5f * std::sqrt(r.Width() * r.Width() + r.Height() * r.Height());
    p.size = p.radius;
    nextSlot_ = (nextSlot_ + 1) % hint::kHaloParticles;
    lastEmitTime_ = now;
  }
  for (Particle& p : particles_) {
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= hint::kHaloParticleLife) {
      p.birth = -1;
      continue;
    }
    const hint::HaloPoint at = hint::HaloPointAt(age, p.theta, p.radius);
    p.x = at.x;
    p.y = at.y;
    p.brightness = at.brightness;
  }
  FillVertexBuffer();
}

void CHintHalo::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  for (const Particle& p : particles_) {
    *v++ = p.birth < 0 ? effects::MakePoint(centerX_, centerY_, p.size, 0xFF000000u)
                       : effects::MakePoint(centerX_ + p.x, centerY_ + p.y, p.size,
                                            effects::ScaleRgb(hint::kHaloColor, p.brightness));
  }
  points_.Unlock();
}

void CHintHalo::Render(gfx::Device* device) {
  if (!device || !points_.Get()) return;
  effects::DrawPoints(device, points_, GetDeviceTexture(particleTexture_), effects::PointBlend::kAdditive);
}

int CHintHalo::RestoreDeviceObjects(gfx::Device* device) {
  if (!points_.Get() && device) {
    const gfx::HRESULT hr = points_.Create(device, hint::kHaloParticles, kCaptionRestore);
    if (gfx::Failed(hr)) return hr;
    FillVertexBuffer();
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CHintHalo::DeleteDeviceObjects() {
  points_.Release();
  return CSprite::DeleteDeviceObjects();
}

CHintHalo* FindHintHalo(CGameObject* object) {
  return object ? static_cast<CHintHalo*>(object->FindChild(TypeId::kHintHalo)) : nullptr;
}
