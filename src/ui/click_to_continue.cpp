#include "ui/click_to_continue.h"

#include "ui/speech_balloon.h"

namespace {
constexpr const char* kPicture = "GUI\\Characters\\ClickToContinue.png";
constexpr float kDepth = 4.99f;
}  // namespace

CClickToContinue::CClickToContinue() {
  texture_ = AcquireTexture(kPicture, 0);
  SetDepth(kDepth);
  naturalAspect_ = 8.39f;
  SetScreenRect(PlacementFor(float(GetClientWidth()), float(GetClientHeight())));
}

ScreenRect CClickToContinue::PlacementFor(float clientWidth, float clientHeight) {
  const float h = 0.1f * clientHeight;
  return ScreenRect::FromCenter(8.39f * h, h, clientWidth * 0.5f, 0.7f * clientHeight);
}

int CClickToContinue::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  SetScreenRect(PlacementFor(float(GetClientWidth()), float(GetClientHeight())));
  return 0;
}

void CClickToContinue::Render(gfx::Device* device) {
  const float opacity = GetClickToContinueOpacity();
  if (!device || !texture_ || IsHidden() || opacity <= 0.0f) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  const int quad = QuadForFlags(flags_);
  if (!texture || !GetQuad(quad)) return;
  SetOpacity(opacity);
  GetEffectiveOpacity();  // the material carries the opacity the device draws with
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  DrawQuad(device, GetScreenRect().Scale(opacity), quad, texture, RenderMaterial());
  EndSpriteStates(device);
}

void CreateClickToContinueMarker() {
  new CClickToContinue();
}
