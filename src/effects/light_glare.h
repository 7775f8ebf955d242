// An additive glow laid over a lamp, with twenty dust motes wandering inside it.
#pragma once

#include "effects/point_sprites.h"
#include "scene/sprite.h"

namespace effects {

// A mote moves in the unit square of the glare's rectangle (origin at its centre).
struct Mote {
  float start = 0;  // application time of the position below
  float x = 0, y = 0;
  float velX = 0, velY = 0;  // units per second
};

constexpr int kMoteCount = 20;
constexpr float kMoteTurnPeriod = 0.1f;

// The motes' colour at the glare's effective opacity: pale yellow, alpha from the opacity.
uint32_t MoteColor(float opacity);
// A fresh mote near the centre, starting within a tenth of a second of now.
Mote RandomMote(float now);
// Where the mote is at time t (it moves for at most 0.2 s past its start).
void MotePosition(const Mote& m, float t, float& x, float& y);
// At most every tenth of a second: turns by up to 18 degrees, or heads straight back to the
// centre once outside the unit circle, at a new speed.
void StepMote(Mote& m, float now);

}  // namespace effects

class CLightGlare : public CSprite {
 public:
  static constexpr float kMoteSize = 2.0f;

  // reference: the glow's rectangle in the 1024 x 768 frame of environment's screen rectangle.
  CLightGlare(CGameObject* environment, const ScreenRect& reference);

  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kLightGlare; }
  int HitTest() override { return kHitNone; }
  int GetCursorKind() override { return 1; }

  const effects::Mote& GetMote(int i) const { return motes_[i]; }
  effects::Mote& MutableMote(int i) { return motes_[i]; }

 private:
  void FillVertexBuffer(float opacity);

  ScreenRect reference_;
  effects::Mote motes_[effects::kMoteCount];
  effects::PointBuffer points_;
};
