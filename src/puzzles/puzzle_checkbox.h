// CPuzzleCheckbox: an ivory box that a puzzle ticks when the player got something right; the red
// tick is written in from left to right over one second.
#pragma once

#include "puzzles/texture_window.h"
#include "scene/sprite.h"

class CPuzzleCheckbox : public CSprite {
 public:
  CPuzzleCheckbox(const ScreenRect& rect, float depth, CGameObject* parent);
  ~CPuzzleCheckbox() override;

  int GetTypeId() override { return TypeId::kPuzzleCheckbox; }
  int HitTest() override { return kHitNone; }
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;

  // Starts the tick; a box already ticked keeps its first tick.
  void Tick();
  bool IsTicked() const { return tickedAt_ >= 0; }
  // How much of the tick shows at time now: 0 before ticking, growing to 1 one second later.
  float TickFraction(float now) const;

 private:
  TextureEntry* tick_ = nullptr;
  TextureWindow window_;
  float tickedAt_ = -1;
};
