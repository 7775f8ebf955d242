// A dialog with a decorated frame: a nine-patch gilt border with crests and scrolls around an
// interior of night sky or parchment. Sub-classes set the dialog's rectangle, then call Layout.
#pragma once

#include <array>

#include "ui/dialog_background.h"
#include "ui/dialog_frame_layout.h"

enum : int { kInteriorNightSky = 0, kInteriorParchment = 2 };

class CDialogScaledFrame : public CDialogBackground {
 public:
  CDialogScaledFrame();  // border 0.1 x client height, night-sky interior
  ~CDialogScaledFrame() override;

  int DeleteDeviceObjects() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  ScreenRect GetInteriorRect() override;

  // After the rectangle is set: the border grid, the star area and the ornaments.
  void Layout();

  void SetInteriorStyle(int style) { interiorStyle_ = style; }
  int GetInteriorStyle() const { return interiorStyle_; }
  float GetBorderThickness() const { return thickness_; }
  // The border thickness on screen now (it follows the dialog while it pops in or out).
  float CurrentBorderThickness();
  CSprite* GetOrnament(int index) const { return ornaments_[size_t(index)]; }
  const std::array<gfx::VertexPosUv, kBorderVertexCount>& BorderVertices() const { return grid_; }

 private:
  int FillBorderBuffer();
  void ReleaseBuffers();

  gfx::VertexBuffer* borderVertices_ = nullptr;
  gfx::IndexBuffer* borderIndices_ = nullptr;
  std::array<gfx::VertexPosUv, kBorderVertexCount> grid_{};
  float thickness_;
  float laidOutHeight_ = 0;  // the rectangle's height when Layout ran
  int interiorStyle_ = kInteriorNightSky;
  std::array<CSprite*, kSideOrnaments + kScrollOrnaments> ornaments_{};
  TextureEntry* border_ = nullptr;
  TextureEntry* parchment_ = nullptr;
};
