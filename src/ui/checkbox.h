// A check box: a square box picture at the left of the sprite and a label beside it. A click
// toggles it and tells the owner with OnNotify (checkbox, id).
#pragma once

#include <cstdint>

#include "scene/sprite.h"
#include "ui/label_mesh.h"

class CCheckbox : public CSprite {
 public:
  // The label is the string table's text for labelKey (the key when missing). Hangs under owner,
  // one depth above it.
  CCheckbox(const char* labelKey, int id, CGameObject* owner);
  ~CCheckbox() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kCheckbox; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;
  // The box (1.25 with its gap) plus half the label's aspect: the label is half the height.
  float GetNaturalAspect() override { return label_.Aspect() * 0.5f + 1.25f; }

  void SetChecked(bool checked) { checked_ = checked; }
  void SetLabelColors(uint32_t normal, uint32_t hovered) {
    normalColor_ = normal;
    hoveredColor_ = hovered;
  }
  uint32_t GetNormalLabelColor() const { return normalColor_; }
  bool IsChecked() const { return checked_; }
  const LabelMesh& GetLabel() const { return label_; }
  // The label's rectangle inside the sprite's (kept to its aspect, never past the right edge).
  static ScreenRect LabelRect(const ScreenRect& sprite, float labelAspect);

 private:
  bool checked_ = false;
  TextureEntry* boxes_[4] = {};  // normal, normal checked, rollover, rollover checked
  LabelMesh label_;
  uint32_t hoveredColor_ = 0xFFFFFF00;
  uint32_t normalColor_ = 0xFFFFFFFF;
  CXRef* owner_ = nullptr;
};
