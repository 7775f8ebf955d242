// CSafeDial: the brass combination dial of the safe. The player turns it by dragging round its
// centre; each frame it reads the number under the mark and lets its tumblers judge the change.
// A reset (the button or an overshoot) sweeps it back to 0 over half a second.
#pragma once

#include "puzzles/safe_lock.h"
#include "scene/sprite.h"

class CSafePuzzleEnvironment;

class CSafeDial : public CSprite {
 public:
  // Placed on the dial's seat of the 1024 x 768 background frame.
  explicit CSafeDial(CSafePuzzleEnvironment* scene);

  void Update() override;
  int GetTypeId() override { return TypeId::kSafeDial; }
  int GetCursorKind() override;
  int HitTest() override;

  // Starts the sweep back to 0 and drops every step.
  void StartReset();
  bool IsResetting() const { return resetting_; }
  float DialAngle() const { return angle_; }
  int Number() const { return tumblers_.Previous(); }
  const safe::Tumblers& Tumblers() const { return tumblers_; }

 private:
  bool CanGrab() const;
  bool InGrabBand(float x, float y);
  void Turn(float x, float y);
  void ShowAngle();

  CSafePuzzleEnvironment* scene_;
  safe::Tumblers tumblers_;
  float angle_ = 0;
  float grabPointer_ = 0, grabAngle_ = 0;
  int lastDragFrame_ = -2;
  bool resetting_ = false;
  float resetStart_ = 0, resetFrom_ = 0;
};
