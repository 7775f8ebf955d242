#include "effects/starburst.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/random.h"
#include "effects/effects_shared.h"
#include "scene/sprite.h"

namespace {
constexpr const char* kCaptionRestore = "CStarburst::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CStarburst::FillVertexBuffer()";
}  // namespace

CStarburst::CStarburst(CSprite* depthReference, CGameObject* parent, const ScreenRect* rect) {
  SetDepth(depthReference ? depthReference->GetDepth() + 0.01f : GetTopDepth() + 0.01f);
  if (parent) Attach(parent, 0);
  ScreenRect area(0, 0, float(GetClientWidth()), float(GetClientHeight()));
  if (rect)
    area = *rect;
  else if (depthReference)
    area = depthReference->GetScreenRect();
  const float now = GetTime();
  const float cx = area.CenterX(), cy = area.CenterY();
  const float reach = std::fabs(area.Height()) * 0.5f;
  const float clientH = float(GetClientHeight());
  for (Particle& p : particles_) {
    const float theta = EffectRandomUniform(0.0f, 2.0f * std::numbers::pi_v<float>);
    const float t = EffectRandomUniform(0.2f, 1.0f) * reach;
    const float c = std::cos(theta), s = std::sin(theta);
    p.startX = cx + t * c;
    p.startY = cy + t * s;
    p.velX = c * t * 2.0f / kLife;
    p.velY = s * t * 2.0f / kLife;
    p.birth = now;
    p.end = now + kLife * EffectRandomUniform(0.8f, 1.2f);
    p.size = 0.05f * clientH * EffectRandomUniform(0.8f, 1.2f);
    p.x = p.startX;
    p.y = p.startY;
    p.brightness = 1;
  }
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CStarburst::~CStarburst() = default;

int CStarburst::LiveParticles() const {
  int n = 0;
  for (const Particle& p : particles_) n += p.birth >= 0 ? 1 : 0;
  return n;
}

void CStarburst::Update() {
  const float now = GetTime();
  bool alive = false;
  for (Particle& p : particles_) {
    if (p.birth < 0) continue;
    const float age = now - p.birth;
    if (age >= kLife) {
      p.birth = -1;
      continue;
    }
    const float span = p.end - p.birth;
    const float progress = span > 0 ? std::min(age / span, 1.0f) : 1.0f;
    p.x = p.startX + p.velX * age;
    p.y = p.startY + p.velY * age;
    p.brightness = 1.0f - progress;
    alive = true;
  }
  if (!alive) {
    delete this;
    return;
  }
  FillVertexBuffer();
}

void CStarburst::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  for (const Particle& p : particles_) {
    *v++ = p.birth < 0
               ? effects::DeadPoint()
               : effects::MakePoint(p.x, p.y, p.size,
                                    effects::PackArgb(1.0f, p.brightness, p.brightness * (160.0f / 255.0f),
                                                      p.brightness * (160.0f / 255.0f)));
  }
  points_.Unlock();
}

void CStarburst::Render(gfx::Device* device) {
  effects::DrawPoints(device, points_, GetDeviceTexture(effects::SharedTexture(effects::kTexParticle)),
                      effects::PointBlend::kAdditive);
}

int CStarburst::RestoreDeviceObjects(gfx::Device* device) {
  if (!points_.Get()) {
    const gfx::HRESULT hr = points_.Create(device, kParticles, kCaptionRestore);
    if (gfx::Failed(hr)) return hr;
    FillVertexBuffer();
  }
  return 0;
}

int CStarburst::DeleteDeviceObjects() {
  points_.Release();
  return 0;
}
