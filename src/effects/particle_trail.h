// A burst of glowing points left behind by a moving sprite (a found object flying to the item
// board, the pointer after a penalised click). Every live trail is linked into one global list.
#pragma once

#include <cstdint>

#include "effects/point_emitter.h"
#include "scene/sprite.h"

// Spread and size are fractions of the back-buffer height.
struct TrailParams {
  int count = 30;
  float lifetime = 0.5f;
  float spread = 0.1f;
  uint32_t color = 0xFFFF8000;
  float size = 0.03f;
};

class CParticleTrail : public CPointEmitter {
 public:
  static constexpr int kMaxParticles = 1000;
  static constexpr float kNeverStop = 3.4028235e38f;

  struct Particle {
    float birth = -1;  // negative: dead
    float startX = -10, startY = -10;
    float size = 1;
    float velX = 0, velY = 0;
    float x = -10, y = -10;
    float brightness = 0;
  };

  // Follows host (depth host - 0.01, drawn behind it). The count is kept to 1..1000 and a
  // negative or invalid lifetime counts as 0.
  CParticleTrail(CSprite* host, const TrailParams& params = {});
  ~CParticleTrail() override;

  // Emission ends at time; the trail fades out and removes itself one lifetime later.
  void Stop(float time) { stopTime_ = time; }

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kParticleTrail; }
  void OnParentDestroyed(CGameObject* parent) override;

  const TrailParams& Params() const { return params_; }
  float GetStopTime() const { return stopTime_; }
  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;

  // The global list of live trails, oldest first.
  static CParticleTrail* First();
  CParticleTrail* Next() const { return next_; }
  static int Count();

 private:
  void FillVertexBuffer() override;

  TrailParams params_;
  Particle* particles_ = nullptr;
  int nextSlot_ = 0;
  float lastEmission_ = -1e9f;
  float stopTime_ = kNeverStop;
  TextureEntry* particleTexture_ = nullptr;
  CParticleTrail* prev_ = nullptr;
  CParticleTrail* next_ = nullptr;
};
