#include "effects/fire_effect.h"

#include <cmath>

#include "core/random.h"
#include "effects/effect_placement.h"

namespace {
constexpr const char* kCaptionRestore = "CFireEffect::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CFireEffect::FillVertexBuffer()";
}  // namespace

CFireEffect::CFireEffect(CGameObject* parent, const ScreenRect& reference, float intensity)
    : CPointEmitter(kParticles, kCaptionRestore), intensity_(intensity) {
  particleTexture_ = AcquireTexture("Effects\\ParticleTrail.jpg");
  if (parent) Attach(parent, 0);
  SetDepth(parent ? parent->GetDepth() + 0.005f : 0.005f);
  SetScreenRect(effects::MapToParent(parent, reference));
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CFireEffect::CFireEffect(CGameObject* parent, XmlDocument& doc, XmlNode element)
    : CFireEffect(parent, effects::ReadReferenceRect(doc, element, "Rect"),
                  doc.GetFloatAttribute(element, "Intensity", 1.0f)) {}

CFireEffect::~CFireEffect() {
  ReleaseTexture(particleTexture_);
}

int CFireEffect::LiveParticles() const {
  int n = 0;
  for (const Particle& p : particles_) n += p.birth >= 0 ? 1 : 0;
  return n;
}

float CFireEffect::ParentOpacity() {
  CGameObject* parent = GetParent();
  if (!parent) return 1.0f;
  if (!(parent->GetTypeFlags() & kTypeFlagSprite)) return 1.0f;
  return static_cast<CSprite*>(parent)->GetEffectiveOpacity();
}

void CFireEffect::Update() {
  // A hidden venue freezes its flames where they are.
  if (!(ParentOpacity() > 0)) return;
  const float now = GetTime();
  if (now - lastEmission_ >= kEmitPeriod) {
    const ScreenRect r = GetScreenRect();
    const float w = r.Width(), h = r.Height();
    Particle& p = particles_[next_];
    next_ = (next_ + 1) % kParticles;
    p.birth = now;
    p.startX = EffectRandomUniform(-w * 0.5f, w * 0.5f);
    p.startY = h * 0.5f;
    p.endX = p.startX;
    p.endY = -h * 0.5f;
    p.size = std::sqrt(w * w + h * h) * 0.5f;
    lastEmission_ = now;
  }
  for (Particle& p : particles_) {
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= kParticleLife) {
      p.birth = -1;
      continue;
    }
    const float t = (2.0f * age) * (2.0f * age);
    p.x = p.startX * (1 - t) + p.endX * t;
    p.y = p.startY * (1 - t) + p.endY * t;
    p.brightness = 1 - t;
  }
  FillVertexBuffer();
}

void CFireEffect::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  const ScreenRect r = GetScreenRect();
  const float cx = r.CenterX(), cy = r.CenterY();
  for (const Particle& p : particles_) {
    const float glow = p.brightness * intensity_;
    *v++ = p.birth < 0 ? effects::DeadPoint()
                       : effects::MakePoint(cx + p.x, cy + p.y, p.size,
                                            effects::PackArgb(1.0f, glow, glow * (128.0f / 255.0f), 0.0f));
  }
  points_.Unlock();
}

void CFireEffect::Render(gfx::Device* device) {
  if (!(ParentOpacity() > 0)) return;
  DrawParticles(device, particleTexture_, effects::PointBlend::kAdditive);
}
