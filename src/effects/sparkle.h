// Glitter on a hidden object: every six to ten seconds a small star twinkles across it, turning
// as it goes, invisible at both ends and brightest half-way.
#pragma once

#include "scene/sprite.h"

class CSparkleEmitter : public CSprite {
 public:
  // Covers host's rectangle (as its child).
  explicit CSparkleEmitter(CSprite* host);

  void Update() override;
  int GetTypeId() override { return TypeId::kSparkleEmitter; }
  void Render(gfx::Device*) override {}
  int HitTest() override { return kHitNone; }

  float GetNextSparkleTime() const { return nextSparkle_; }

 private:
  float nextSparkle_ = 0;
};

class CSparkleSprite : public CSprite {
 public:
  static constexpr float kLifetime = 2.0f;
  static constexpr float kDepth = 4.99f;

  explicit CSparkleSprite(CSparkleEmitter* emitter);

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kSparkleSprite; }
  int HitTest() override { return kHitNone; }

  float GetBirth() const { return birth_; }

 private:
  float birth_ = 0;
  float startX_ = 0, startY_ = 0, endX_ = 0, endY_ = 0;
  float startAngle_ = 0, endAngle_ = 0;
};
