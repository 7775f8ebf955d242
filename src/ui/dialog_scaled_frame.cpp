#include "ui/dialog_scaled_frame.h"

#include <cstring>

#include "data/texture_cache.h"
#include "platform/os/host.h"

namespace {

constexpr const char* kCaption = "CDialogScaledFrame::RestoreDeviceObjects()";
constexpr float kThicknessOfClientHeight = 0.1f;
constexpr const char* kSideOrnament = "GUI\\ScaledFrame\\SideOrnament.png";
constexpr const char* kScrollOrnament = "GUI\\ScaledFrame\\ScrollOrnament.png";

}  // namespace

CDialogScaledFrame::CDialogScaledFrame() : thickness_(kThicknessOfClientHeight * float(GetClientHeight())) {
  border_ = AcquireTexture("GUI\\ScaledFrame\\DialogBorder.png", kTexSingleLevel);
  parchment_ = AcquireTexture("GUI\\ScaledFrame\\Parchment.jpg", kTexSingleLevel);
  for (size_t i = 0; i < ornaments_.size(); ++i) {
    // Hidden until Layout places them.
    ornaments_[i] = new CSprite(ScreenRect(), 0, i < kSideOrnaments ? kSideOrnament : kScrollOrnament, this);
    ornaments_[i]->SetVisible(false);
  }
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CDialogScaledFrame::~CDialogScaledFrame() {
  ReleaseBuffers();
  ReleaseTexture(border_);
  ReleaseTexture(parchment_);
}

void CDialogScaledFrame::ReleaseBuffers() {
  if (borderVertices_) borderVertices_->Release();
  if (borderIndices_) borderIndices_->Release();
  borderVertices_ = nullptr;
  borderIndices_ = nullptr;
}

int CDialogScaledFrame::DeleteDeviceObjects() {
  ReleaseBuffers();
  return CDialogBackground::DeleteDeviceObjects();
}

int CDialogScaledFrame::InvalidateDeviceObjects() {
  ReleaseBuffers();
  return CDialogBackground::InvalidateDeviceObjects();
}

int CDialogScaledFrame::FillBorderBuffer() {
  if (!borderVertices_) return gfx::E_FAIL;
  void* data = nullptr;
  if (gfx::Failed(borderVertices_->Lock(0, 0, &data, 0)) || !data) return gfx::E_FAIL;
  std::memcpy(data, grid_.data(), sizeof grid_);
  borderVertices_->Unlock();
  return 0;
}

int CDialogScaledFrame::RestoreDeviceObjects(gfx::Device* device) {
  CDialogBackground::RestoreDeviceObjects(device);
  if (!device) return 0;
  if (!borderVertices_) {
    const gfx::HRESULT hr = device->CreateVertexBuffer(sizeof grid_, gfx::FVF_POS_UV, &borderVertices_);
    if (gfx::Failed(hr) || !borderVertices_) {
      borderVertices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create vertex buffer for border");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    FillBorderBuffer();
  }
  if (!borderIndices_) {
    gfx::HRESULT hr = device->CreateIndexBuffer(kBorderIndexCount * sizeof(uint16_t), &borderIndices_);
    if (gfx::Failed(hr) || !borderIndices_) {
      borderIndices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create the index buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    void* data = nullptr;
    hr = borderIndices_->Lock(0, 0, &data, 0);
    if (gfx::Failed(hr) || !data) {
      borderIndices_->Release();
      borderIndices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to lock the index buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    std::memcpy(data, BorderGridIndices().data(), kBorderIndexCount * sizeof(uint16_t));
    borderIndices_->Unlock();
  }
  return 0;
}

void CDialogScaledFrame::Layout() {
  const ScreenRect rect = GetScreenRect();
  laidOutHeight_ = rect.Height();
  grid_ = BorderGrid(rect.Width(), rect.Height(), thickness_);
  FillBorderBuffer();
  SetStarArea(rect.Width(), rect.Height());
  const auto places = PlaceOrnaments(rect, thickness_);
  for (size_t i = 0; i < ornaments_.size(); ++i) {
    ornaments_[i]->SetScreenRect(places[i].rect);
    ornaments_[i]->SetVisible(places[i].shown);
  }
}

float CDialogScaledFrame::CurrentBorderThickness() {
  if (laidOutHeight_ <= 0.0f) return thickness_;
  return thickness_ * GetScreenRect().Height() / laidOutHeight_;
}

ScreenRect CDialogScaledFrame::GetInteriorRect() {
  return FrameInterior(GetScreenRect(), CurrentBorderThickness());
}

void CDialogScaledFrame::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  const ScreenRect rect = GetScreenRect();
  BeginSpriteStates(device, false);
  if (interiorStyle_ == kInteriorParchment) {
    if (gfx::Texture* parchment = GetDeviceTexture(parchment_))
      DrawQuad(device, GetInteriorRect(), kQuadNormal, parchment, RenderMaterial());
  } else {
    DrawSky(device, GetInteriorRect(), opacity);
    BeginSpriteStates(device, false);  // the sky leaves blending and clamping its own way
  }
  gfx::Texture* border = GetDeviceTexture(border_);
  if (borderVertices_ && borderIndices_ && border) {
    device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
    device->SetStreamSource(0, borderVertices_, sizeof(gfx::VertexPosUv));
    device->SetIndices(borderIndices_, 0);
    device->SetMaterial(RenderMaterial());
    device->SetTexture(0, border);
    device->SetVertexShader(gfx::FVF_POS_UV);
    device->DrawIndexedPrimitive(gfx::PT_TRIANGLELIST, 0, kBorderVertexCount, 0, kBorderIndexCount / 3);
  }
  EndSpriteStates(device);
}
