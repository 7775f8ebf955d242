// The push button: an optional two-state picture (left half normal, right half hovered), an
// optional pulsing glow behind it, a label, a tooltip, and a timed disabled state that wipes away
// to the right and ends with a halo and a sound. It reports clicks to its owner with
// OnNotify (button, id).
#pragma once

#include <cfloat>
#include <cstdint>
#include <optional>
#include <string>

#include "scene/sprite.h"
#include "ui/label_mesh.h"

class CPushbutton : public CSprite {
 public:
  // labelKey: a string-table key (the key itself shows when the table has no such text), or null
  // for no label. The button hangs under parent, else under owner, one depth above it.
  CPushbutton(const char* labelKey, int id, uint32_t style, CGameObject* owner, CGameObject* parent);
  ~CPushbutton() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kPushbutton; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;
  float GetNaturalAspect() override;

  // A copy of the key (null removes the tooltip) and its placement flags.
  void SetTooltip(const char* key, uint32_t flags);
  // Disabled from now for duration seconds: not hoverable, overlay wiping away to the right.
  void Disable(float duration);
  void SetLabelColors(uint32_t normal, uint32_t hovered);
  // A new label from a string-table key (null: none).
  void SetLabel(const char* labelKey);

  uint32_t GetStyle() const { return style_; }
  const std::string& GetLabelText() const { return label_.Text(); }
  float GetLabelAspect() const { return label_.Aspect(); }
  const LabelMesh& GetLabel() const { return label_; }
  uint32_t GetNormalLabelColor() const { return normalColor_; }
  uint32_t GetHoveredLabelColor() const { return hoveredColor_; }
  const std::optional<std::string>& GetTooltipKey() const { return tooltipKey_; }
  uint32_t GetTooltipFlags() const { return tooltipFlags_; }
  bool IsDisabledNow() const;
  CGameObject* GetOwner() const { return WeakTarget(owner_); }

 protected:
  // The owner may be set after construction (a back button owns itself).
  void SetOwner(CGameObject* owner);

 private:
  int FillDisabledVertexBuffer(float fraction);
  void ReleaseBuffers();

  LabelMesh label_;
  TextureEntry* picture_ = nullptr;  // the style's two-state picture
  TextureEntry* disabledPicture_ = nullptr;
  TextureEntry* glowPicture_ = nullptr;
  uint32_t normalColor_;
  uint32_t hoveredColor_;
  gfx::VertexBuffer* disabledBuffer_ = nullptr;
  float disabledStart_ = -FLT_MAX;  // never disabled until Disable
  float disabledDuration_ = 30.0f;
  std::optional<std::string> tooltipKey_;
  uint32_t tooltipFlags_ = 0;
  CXRef* owner_ = nullptr;
  uint32_t style_;
};

// The halo a button shows when its disabled period ends (the fire halo of the effects layer).
void ShowReadyHalo(CSprite* button);
