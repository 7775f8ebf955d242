// CHintHalo: a short spiral of light on the object a hint points at. Points appear on a circle
// twice the object's half-diagonal away and spiral inward while they fade; after 2 s (or as soon
// as the object is found) no new points appear, and half a second later the halo is gone.
#pragma once

#include <algorithm>

#include "effects/point_sprites.h"
#include "scene/sprite.h"

namespace hint {

inline constexpr int kHaloParticles = 30;
inline constexpr float kHaloEmitPeriod = 0.016666668f;
inline constexpr float kHaloParticleLife = 0.5f;
inline constexpr float kHaloDuration = 2.0f;
inline constexpr float kHaloFade = 0.5f;
inline constexpr uint32_t kHaloColor = 0xFF807FFFu;

// A point of age (below the particle life) born at angle theta on a halo of half-diagonal r:
// its offset from the halo's centre and its brightness.
struct HaloPoint {
  float x, y, brightness;
};
HaloPoint HaloPointAt(float age, float theta, float r);

}  // namespace hint

class CHintHalo : public CSprite {
 public:
  struct Particle {
    float birth = -1;  // negative: dead
    float theta = 0;
    float radius = 0;
    float size = 1;
    float x = 0, y = 0;
    float brightness = 0;
  };

  // On target (its child, taking its rectangle) at the given depth.
  CHintHalo(CSprite* target, float depth);
  ~CHintHalo() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kHintHalo; }
  int HitTest() override { return kHitNone; }

  // No new points from now on (the object was found).
  void Stop() { stopTime_ = std::min(stopTime_, GetTime()); }
  float GetStopTime() const { return stopTime_; }
  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;

 private:
  void FillVertexBuffer();

  float stopTime_;
  float lastEmitTime_ = -1e9f;
  int nextSlot_ = 0;
  float centerX_ = 0, centerY_ = 0;
  Particle particles_[hint::kHaloParticles];
  TextureEntry* particleTexture_ = nullptr;
  effects::PointBuffer points_;
};

// The live halo on an object, or null.
CHintHalo* FindHintHalo(CGameObject* object);
