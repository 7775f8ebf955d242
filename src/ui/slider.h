// A horizontal slider for a value from 0 to 1: clicks in the outer tenths step it by 0.1, and
// holding the button in the middle drags the thumb. Changes reach the owner as
// OnNotify (slider, id).
#pragma once

#include "scene/sprite.h"

class CSlider : public CSprite {
 public:
  CSlider(int id, CGameObject* owner);  // hangs under owner, one depth above it
  ~CSlider() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kSlider; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;
  float GetNaturalAspect() override { return 7.5f; }

  float GetValue() const { return value_; }
  void SetValue(float value) { value_ = value; }
  // The thumb: a square of the slider's height on the track from 0.17 to 0.83 of its width.
  ScreenRect ThumbRect();

 private:
  TextureEntry* thumb_ = nullptr;
  float value_ = 0.5f;
  CXRef* owner_ = nullptr;
};

// The value after one frame with the pointer x pixels from the slider's left edge (width w).
float SliderValueAfter(float value, float x, float w, bool clicked, bool buttonDown);
