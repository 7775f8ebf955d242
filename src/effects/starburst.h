// A one-off burst of a hundred glowing points thrown outward from a rectangle (a balloon popping
// up, a piece snapping into place, a group clearing). It deletes itself once every point has died.
#pragma once

#include "effects/point_sprites.h"
#include "scene/game_object.h"
#include "scene/screen_rect.h"

class CSprite;
struct TextureEntry;

class CStarburst : public CGameObject {
 public:
  static constexpr int kParticles = 100;
  static constexpr float kLife = 0.75f;

  struct Particle {
    float birth = -1;  // negative: dead
    float end = -1;    // the time its fade is measured against
    float startX = -10, startY = -10;
    float velX = 0, velY = 0;
    float x = -10, y = -10;
    float size = 1;
    float brightness = 0;
  };

  // depthReference: its depth + 0.01, and its screen rect when rect is null.
  CStarburst(CSprite* depthReference, CGameObject* parent, const ScreenRect* rect = nullptr);
  ~CStarburst() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kStarburst; }

  const Particle& GetParticle(int i) const { return particles_[i]; }
  int LiveParticles() const;

 private:
  void FillVertexBuffer();

  Particle particles_[kParticles];
  effects::PointBuffer points_;
};
