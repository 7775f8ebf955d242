// CPlayerPianoProgress: a glass tube that fills with golden light from the bottom as the player
// holds the button on target, and CPianoRoll: the punched paper roll turning behind its window.
#pragma once

#include "puzzles/texture_window.h"
#include "scene/sprite.h"

class CPlayerPianoProgress : public CSprite {
 public:
  CPlayerPianoProgress(CGameObject* parent, const ScreenRect& rect, float depth);
  ~CPlayerPianoProgress() override;

  int GetTypeId() override { return TypeId::kPlayerPianoProgress; }
  int HitTest() override { return kHitNone; }
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;

  // score / target, clamped; the full picture is cut again only when the ratio changes.
  void SetRatio(float ratio);
  float GetRatio() const { return ratio_; }

 private:
  TextureEntry* full_ = nullptr;
  TextureWindow window_;
  float ratio_ = 0;
};

class CPianoRoll : public CSprite {
 public:
  CPianoRoll(CGameObject* parent, const ScreenRect& rect, float depth);
  ~CPianoRoll() override = default;

  int GetTypeId() override { return TypeId::kPianoRoll; }
  int HitTest() override { return kHitNone; }
  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;

  void SetTurning(bool turning) { turning_ = turning; }
  bool IsTurning() const { return turning_; }
  float GetOffset() const { return offset_; }

 private:
  TextureWindow upper_, lower_;  // the visible quarter, split where the paper wraps
  float offset_ = 0;
  bool turning_ = false;
};
