// A sprite whose particles are drawn as one point list. It owns the point buffer: made on restore
// and filled at once, rewritten by the sub-class every frame, released with the device objects.
#pragma once

#include "effects/point_sprites.h"
#include "scene/sprite.h"

class CPointEmitter : public CSprite {
 public:
  int RestoreDeviceObjects(gfx::Device* device) override;
  int DeleteDeviceObjects() override;

 protected:
  // count points; a failed buffer is reported under restoreCaption.
  CPointEmitter(int count, const char* restoreCaption) : count_(count), restoreCaption_(restoreCaption) {}
  void SetPointCount(int count) { count_ = count; }  // before the first restore
  virtual void FillVertexBuffer() = 0;
  void DrawParticles(gfx::Device* device, TextureEntry* texture, effects::PointBlend blend) {
    effects::DrawPoints(device, points_, GetDeviceTexture(texture), blend);
  }

  effects::PointBuffer points_;

 private:
  int count_;
  const char* restoreCaption_;
};
