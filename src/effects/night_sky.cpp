#include "effects/night_sky.h"

#include "effects/effect_placement.h"

CNightSky::CNightSky(CGameObject* environment, const ScreenRect& reference) : reference_(reference) {
  if (environment) Attach(environment, 0);
  SetDepth(environment ? environment->GetDepth() - 0.01f : -0.01f);
  const ScreenRect r = effects::MapToParent(environment, reference);
  SetScreenRect(r);
  fill_.SetStarArea(r.Width(), r.Height());
  createdAt_ = GetTime();
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CNightSky::CNightSky(CGameObject* environment, XmlDocument& doc, XmlNode element)
    : CNightSky(environment, effects::ReadReferenceRect(doc, element, "Rect")) {}

void CNightSky::Render(gfx::Device* device) {
  const float opacity = GetEffectiveOpacity();
  if (!(opacity > 0)) return;
  fill_.Draw(device, GetScreenRect(), createdAt_, opacity);
}

int CNightSky::RestoreDeviceObjects(gfx::Device* device) {
  const int hr = fill_.Restore(device, "CNightSky::RestoreDeviceObjects()");
  CSprite::RestoreDeviceObjects(device);
  return hr;
}

int CNightSky::DeleteDeviceObjects() {
  fill_.Release();
  return CSprite::DeleteDeviceObjects();
}
