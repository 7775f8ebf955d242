// A two-second flash of glowing points on a ring around the sprite it decorates (the hint button,
// push buttons, match-three tokens). The decorated sprite is always the halo's current parent.
#pragma once

#include <cstdint>

#include "effects/point_emitter.h"
#include "scene/sprite.h"

class CFireHalo : public CPointEmitter {
 public:
  static constexpr int kParticles = 30;
  static constexpr float kEmitPeriod = 1.0f / 60.0f;
  static constexpr float kParticleLife = 0.5f;
  static constexpr float kFlashTime = 2.0f;
  static constexpr float kFadeTime = 0.5f;  // after the stop, then the halo deletes itself

  struct Particle {
    float birth = -1;  // negative: dead
    float startX = -10, startY = -10;
    float size = 1;
    float velX = 0, velY = 0;
    float x = -10, y = -10;
    float brightness = 0;
  };

  // Attaches to host, depth host + 0.01, takes the host's screen rectangle.
  explicit CFireHalo(CSprite* host);
  ~CFireHalo() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kFireHalo; }
  // Stops emitting; the halo fades and goes half a second later.
  void OnParentDestroyed(CGameObject* parent) override;
  // The colour of the particles, not a tint of the sprite.
  void SetColor(uint32_t argb) override { haloColor_ = argb; }

  uint32_t GetHaloColor() const { return haloColor_; }
  float GetStopTime() const { return stopTime_; }
  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;

 private:
  void FillVertexBuffer() override;

  Particle particles_[kParticles];
  int next_ = 0;
  float lastEmission_ = -1e9f;
  float stopTime_ = 0;
  uint32_t haloColor_ = 0xFFFF8000u;
  float centerX_ = 0, centerY_ = 0;  // kept while orphaned
  TextureEntry* particleTexture_ = nullptr;
};
