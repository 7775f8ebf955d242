// CHintButton: the round lamp in the bottom-right corner of a venue. A click asks the venue for a
// hint (code 1276); then the lamp recharges for 45 s behind a clock wipe, and flashes with a
// sound on the first frame it is ready again. The charge is shared by every venue.
#pragma once

#include "scene/sprite.h"
#include "search/hint_charge.h"

inline constexpr int kCodeHintRequest = 1276;

class CHintButton : public CSprite {
 public:
  // Placed in the bottom-right corner of venue, a square 0.11 of its width.
  explicit CHintButton(CSprite* venue);
  ~CHintButton() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kHintButton; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;

  const hint::Fan& GetFan() const { return fan_; }
  bool IsRecharging() const { return fan_.vertexCount > 2; }
  // Flashes shown since construction (the ready flash of a recharge that ended here).
  int ReadyFlashes() const { return readyFlashes_; }

  // The square the button takes in a venue rectangle.
  static ScreenRect PlaceIn(const ScreenRect& venue);

 private:
  int FillVertexBuffer();

  hint::Fan fan_;
  gfx::VertexBuffer* fanBuffer_ = nullptr;
  bool rechargedHere_ = false;  // a frame of this button was still recharging
  uint32_t lastRechargeFrame_ = 0;
  int readyFlashes_ = 0;
  TextureEntry* rollover_ = nullptr;
  TextureEntry* disabled_ = nullptr;
};
