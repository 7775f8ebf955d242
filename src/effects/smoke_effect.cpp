#include "effects/smoke_effect.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "scene/scene_context.h"

namespace {
constexpr const char* kCaptionRestore = "CSmokeEffect::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CSmokeEffect::FillVertexBuffer()";

float Finite(float v, float fallback) {
  return std::isfinite(v) ? v : fallback;
}
}  // namespace

SmokeParams SmokeParams::Read(XmlDocument& doc, XmlNode element) {
  SmokeParams p;
  const std::vector<float> origin = doc.GetFloatListAttribute(element, "Origin");
  if (origin.size() == 2) {
    p.originX = origin[0];
    p.originY = origin[1];
  }
  p.width = doc.GetFloatAttribute(element, "Width", p.width);
  p.height = doc.GetFloatAttribute(element, "Height", p.height);
  p.particles = doc.GetIntAttribute(element, "Particles", p.particles);
  p.lifetime = doc.GetFloatAttribute(element, "ParticleLifetime", p.lifetime);
  const std::vector<float> rgba = doc.GetFloatListAttribute(element, "RGBA");
  if (rgba.size() == 4) std::copy(rgba.begin(), rgba.end(), p.rgba.begin());
  return p;
}

SmokeParams SmokeParams::Sanitized() const {
  SmokeParams p = *this;
  p.particles = std::clamp(p.particles, kMinParticles, kMaxParticles);
  p.lifetime = std::max(Finite(p.lifetime, kMinLifetime), kMinLifetime);
  p.originX = Finite(p.originX, 0);
  p.originY = Finite(p.originY, 0);
  p.width = Finite(p.width, 0);
  p.height = Finite(p.height, 0);
  return p;
}

CSmokeEffect::CSmokeEffect(CGameObject* parent, const SmokeParams& params)
    : CPointEmitter(params.Sanitized().particles, kCaptionRestore), params_(params.Sanitized()) {
  particles_ = new Particle[size_t(params_.particles)];
  smokeTexture_ = AcquireTexture("Effects\\Smoke.png");
  if (parent) Attach(parent, 0);
  SetDepth(parent ? parent->GetDepth() + 0.005f : 0.005f);
  // Parent-relative placement, squeezed onto the scene area when the parent is a search venue.
  float sx = 1, sy = 1;
  if (SceneAreaSource* venue = AsSearchVenue(parent)) {
    const ScreenRect area = venue->GetSceneArea();
    const ScreenRect whole = static_cast<CSprite*>(parent)->GetScreenRect();
    if (whole.Width() != 0) sx = area.Width() / whole.Width();
    if (whole.Height() != 0) sy = area.Height() / whole.Height();
  }
  SetOffset(params_.originX / 1024.0f * sx - 0.5f, params_.originY / 768.0f * sy - 0.5f);
  const float scaledH = sy * params_.height / 768.0f, scaledW = sx * params_.width / 768.0f;
  SetScale(scaledH);
  // A flat smoke (no height) keeps a square frame instead of dividing by zero.
  SetAspectRatio(scaledH != 0 ? scaledW / scaledH : 1.0f);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSmokeEffect::CSmokeEffect(CGameObject* parent, XmlDocument& doc, XmlNode element)
    : CSmokeEffect(parent, SmokeParams::Read(doc, element)) {}

CSmokeEffect::~CSmokeEffect() {
  delete[] particles_;
  ReleaseTexture(smokeTexture_);
}

int CSmokeEffect::LiveParticles() const {
  int n = 0;
  for (int i = 0; i < params_.particles; ++i) n += particles_[i].birth >= 0 ? 1 : 0;
  return n;
}

void CSmokeEffect::Emit(float birth) {
  const ScreenRect r = GetScreenRect();
  const float w = r.Width(), h = r.Height();
  const float d = std::sqrt(w * w + h * h);
  Particle& p = particles_[next_];
  next_ = (next_ + 1) % params_.particles;
  p.birth = birth;
  p.startX = p.startY = 0;
  p.endX = EffectRandomUniform(-w * 0.5f, w * 0.5f);
  p.endY = -h;
  p.startSize = d * 0.5f / 100.0f;
  p.endSize = d * 0.5f;
}

void CSmokeEffect::Update() {
  emittedLastFrame_ = 0;
  if (!(GetEffectiveOpacity() > 0)) return;
  const float now = GetTime();
  const float life = params_.lifetime;
  const float period = life / float(params_.particles);
  // After a stall, at most one lifetime's backlog; the cap also ends the loop where the period
  // is too small to advance a large clock value.
  lastEmission_ = std::max(lastEmission_, now - life);
  while (lastEmission_ <= now && emittedLastFrame_ < params_.particles) {
    Emit(lastEmission_);
    lastEmission_ += period;
    ++emittedLastFrame_;
  }
  for (int i = 0; i < params_.particles; ++i) {
    Particle& p = particles_[i];
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= life) {
      p.birth = -1;
      continue;
    }
    const float c = std::max(age, 0.0f) / life;
    const float a = std::sqrt(c), e = std::pow(c, 0.8f);
    p.x = p.startX * (1 - e) + p.endX * e;
    p.y = p.startY * (1 - e) + p.endY * e;
    p.opacity = 1 - a;
    p.size = a * p.endSize + (1 - a) * p.startSize;
  }
  FillVertexBuffer();
}

void CSmokeEffect::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  const ScreenRect r = GetScreenRect();
  const float cx = r.CenterX(), cy = r.CenterY();
  const float opacity = GetEffectiveOpacity();
  const auto& c = params_.rgba;
  for (int i = 0; i < params_.particles; ++i) {
    const Particle& p = particles_[i];
    v[i] = p.birth < 0 ? effects::DeadPoint()
                       : effects::MakePoint(cx + p.x, cy + p.y, p.size,
                                            effects::PackArgb(c[3] * opacity * p.opacity, c[0], c[1], c[2]));
  }
  points_.Unlock();
}

void CSmokeEffect::Render(gfx::Device* device) {
  if (!(GetEffectiveOpacity() > 0)) return;
  DrawParticles(device, smokeTexture_, effects::PointBlend::kAlpha);
}
