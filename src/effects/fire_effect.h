// Flames rising inside a rectangle of a venue: a new particle every thirtieth of a second at the
// bottom edge, accelerating to the top edge and fading out within half a second.
#pragma once

#include "data/xml_document.h"
#include "effects/point_emitter.h"
#include "scene/sprite.h"

class CFireEffect : public CPointEmitter {
 public:
  static constexpr int kParticles = 15;
  static constexpr float kEmitPeriod = 0.033333335f;
  static constexpr float kParticleLife = 0.5f;

  struct Particle {
    float birth = -1;  // negative: dead
    float startX = 0, startY = 0;
    float endX = 0, endY = 0;
    float size = 1;
    float x = 0, y = 0;  // offsets from the centre of the rectangle
    float brightness = 0;
  };

  // reference: the flames' rectangle in the 1024 x 768 frame of parent.
  CFireEffect(CGameObject* parent, const ScreenRect& reference, float intensity = 1.0f);
  // From a FireEffect element ("Rect", "Intensity").
  CFireEffect(CGameObject* parent, XmlDocument& doc, XmlNode element);
  ~CFireEffect() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kFireEffect; }

  float GetIntensity() const { return intensity_; }
  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;

 private:
  float ParentOpacity();
  void FillVertexBuffer() override;

  Particle particles_[kParticles];
  int next_ = 0;
  float lastEmission_ = -1e9f;
  float intensity_ = 1.0f;
  TextureEntry* particleTexture_ = nullptr;
};
