// Puffs of smoke rising and spreading from a point of a venue, each growing and fading over its
// lifetime; a steady stream of particle-count puffs per lifetime.
#pragma once

#include <array>

#include "data/xml_document.h"
#include "effects/point_emitter.h"
#include "scene/sprite.h"

// A SmokeEffect element's values: origin in the 1024 x 768 frame, width and height in reference
// pixels, particle count, lifetime in seconds, colour as red, green, blue, alpha in 0..1.
struct SmokeParams {
  static constexpr int kMinParticles = 1;
  static constexpr int kMaxParticles = 1000;
  static constexpr float kMinLifetime = 0.05f;

  float originX = 0, originY = 0;
  float width = 0.1f, height = 0.1f;
  int particles = 30;
  float lifetime = 8.0f;
  std::array<float, 4> rgba{1.0f, 1.0f, 0.875f, 1.0f};

  // Reads "Origin", "Width", "Height", "Particles", "ParticleLifetime" and "RGBA" (the default
  // colour unless it holds exactly four numbers).
  static SmokeParams Read(XmlDocument& doc, XmlNode element);
  // Keeps content values workable: 1..1000 particles, a lifetime of at least 0.05 s.
  SmokeParams Sanitized() const;
};

class CSmokeEffect : public CPointEmitter {
 public:
  struct Particle {
    float birth = -1;  // negative: dead
    float startX = -10, startY = -10;
    float endX = -10, endY = -10;
    float startSize = 1, endSize = 1;
    float x = -10, y = -10;  // offsets from the centre of the rectangle
    float opacity = 0;
    float size = 1;
  };

  CSmokeEffect(CGameObject* parent, const SmokeParams& params);
  CSmokeEffect(CGameObject* parent, XmlDocument& doc, XmlNode element);
  ~CSmokeEffect() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kSmokeEffect; }

  const SmokeParams& Params() const { return params_; }
  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;
  int EmittedLastFrame() const { return emittedLastFrame_; }

 private:
  void Emit(float birth);
  void FillVertexBuffer() override;

  SmokeParams params_;
  Particle* particles_ = nullptr;
  int next_ = 0;
  float lastEmission_ = -1e9f;
  int emittedLastFrame_ = 0;
  TextureEntry* smokeTexture_ = nullptr;
};
