#include "puzzles/puzzle_checkbox.h"

#include <algorithm>

namespace {
constexpr const char* kCaption = "CPuzzleCheckbox::RestoreDeviceObjects()";
}

CPuzzleCheckbox::CPuzzleCheckbox(const ScreenRect& rect, float depth, CGameObject* parent)
    : CSprite(rect, depth, "Puzzles\\CheckmarkBkgd.png", parent) {
  tick_ = AcquireTexture("Puzzles\\Checkmark.png", 0);
  if (gfx::Device* device = GetDevice()) window_.Restore(device, kCaption);
}

CPuzzleCheckbox::~CPuzzleCheckbox() {
  ReleaseTexture(tick_);
}

void CPuzzleCheckbox::Tick() {
  if (tickedAt_ < 0) tickedAt_ = GetTime();
}

float CPuzzleCheckbox::TickFraction(float now) const {
  return tickedAt_ < 0 ? 0.0f : std::clamp(now - tickedAt_, 0.0f, 1.0f);
}

int CPuzzleCheckbox::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  window_.Restore(device, kCaption);
  return result;
}

int CPuzzleCheckbox::InvalidateDeviceObjects() {
  window_.Release();
  return CSprite::InvalidateDeviceObjects();
}

int CPuzzleCheckbox::DeleteDeviceObjects() {
  window_.Release();
  return CSprite::DeleteDeviceObjects();
}

void CPuzzleCheckbox::Render(gfx::Device* device) {
  CSprite::Render(device);
  const float f = TickFraction(GetTime());
  if (!device || f <= 0 || IsHidden() || GetEffectiveOpacity() == 0) return;
  if (window_.Uv().right != f) window_.Set(ScreenRect(0, 0, f, 1), kCaption);
  const ScreenRect box = GetScreenRect();
  // The left part of the box, so the tick keeps its shape while it is written in.
  float cx = 0, cy = 0;
  box.ToScreen(f - 1.0f, 0.0f, cx, cy);
  const ScreenRect part = ScreenRect::FromCenter(box.Width() * f, box.Height(), cx, cy, box.angle);
  BeginSpriteStates(device, false);
  window_.Draw(device, part, GetDeviceTexture(tick_), RenderMaterial());
  EndSpriteStates(device);
}
