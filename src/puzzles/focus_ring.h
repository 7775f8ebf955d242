// CFocusRing: the knurled brass ring round the eyepiece. Gripped on its band it turns with the
// pointer; the scene turns the view with it.
#pragma once

#include "scene/sprite.h"

class CPuzzleEnvironment;

class CFocusRing : public CSprite {
 public:
  CFocusRing(CPuzzleEnvironment* scene, const ScreenRect& rect, float depth);
  ~CFocusRing() override;

  int GetTypeId() override { return TypeId::kFocusRing; }
  int HitTest() override;
  int GetCursorKind() override;
  void Update() override;

  bool IsTurning() const;

 private:
  CPuzzleEnvironment* scene_;
  float ringAtGrip_ = 0, pointerAtGrip_ = 0;
};
