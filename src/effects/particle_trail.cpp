#include "effects/particle_trail.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/random.h"

namespace {
constexpr const char* kCaptionRestore = "CParticleTrail::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CParticleTrail::FillVertexBuffer()";

CParticleTrail* g_head = nullptr;
CParticleTrail* g_tail = nullptr;
}  // namespace

CParticleTrail* CParticleTrail::First() {
  return g_head;
}

int CParticleTrail::Count() {
  int n = 0;
  for (CParticleTrail* t = g_head; t; t = t->next_) ++n;
  return n;
}

CParticleTrail::CParticleTrail(CSprite* host, const TrailParams& params)
    : CPointEmitter(params.count, kCaptionRestore), params_(params) {
  params_.count = std::clamp(params_.count, 1, kMaxParticles);
  SetPointCount(params_.count);
  if (!(params_.lifetime >= 0.0f)) params_.lifetime = 0.0f;
  particles_ = new Particle[size_t(params_.count)];
  prev_ = g_tail;
  (g_tail ? g_tail->next_ : g_head) = this;
  g_tail = this;
  particleTexture_ = AcquireTexture("Effects\\ParticleTrail.jpg");
  if (host) {
    Attach(host, 0);
    SetDepth(host->GetDepth() - 0.01f);
    InvalidateRect();
  } else {
    stopTime_ = GetTime();  // nothing to follow
  }
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CParticleTrail::~CParticleTrail() {
  (prev_ ? prev_->next_ : g_head) = next_;
  (next_ ? next_->prev_ : g_tail) = prev_;
  delete[] particles_;
  ReleaseTexture(particleTexture_);
}

void CParticleTrail::OnParentDestroyed(CGameObject*) {
  stopTime_ = std::min(stopTime_, GetTime());
}

int CParticleTrail::LiveParticles() const {
  int n = 0;
  for (int i = 0; i < params_.count; ++i) n += particles_[i].birth >= 0 ? 1 : 0;
  return n;
}

void CParticleTrail::Update() {
  const float now = GetTime();
  const float life = params_.lifetime;
  if (now - stopTime_ > life) {
    delete this;
    return;
  }
  if (now < stopTime_ && GetParent() && now >= lastEmission_ + life / float(params_.count)) {
    const ScreenRect r = GetScreenRect();
    const float clientH = float(GetClientHeight());
    const float theta = EffectRandomUniform(0.0f, 2.0f * std::numbers::pi_v<float>);
    const float speed = EffectRandomUniform(0.0f, 1.0f) * params_.spread * clientH;
    Particle& p = particles_[nextSlot_];
    nextSlot_ = (nextSlot_ + 1) % params_.count;
    p.birth = now;
    p.startX = r.CenterX();
    p.startY = r.CenterY();
    p.size = params_.size * clientH;
    p.velX = speed * std::cos(theta);
    p.velY = speed * std::sin(theta);
    lastEmission_ = now;
  }
  for (int i = 0; i < params_.count; ++i) {
    Particle& p = particles_[i];
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= life) {
      p.birth = -1;
      continue;
    }
    p.x = p.startX + age * p.velX;
    p.y = p.startY + age * p.velY;
    p.brightness = 1.0f - age / life;
  }
  FillVertexBuffer();
}

void CParticleTrail::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  for (int i = 0; i < params_.count; ++i) {
    const Particle& p = particles_[i];
    v[i] = p.birth < 0 ? effects::DeadPoint()
                       : effects::MakePoint(p.x, p.y, p.size, effects::ScaleRgb(params_.color, p.brightness));
  }
  points_.Unlock();
}

void CParticleTrail::Render(gfx::Device* device) {
  if (IsHidden()) return;
  DrawParticles(device, particleTexture_, effects::PointBlend::kAdditive);
}
