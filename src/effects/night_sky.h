// A dark sky with twinkling stars and drifting clouds behind a venue's transparent sky or the main
// menu's window.
#pragma once

#include "data/xml_document.h"
#include "effects/night_sky_fill.h"
#include "scene/sprite.h"

class CNightSky : public CSprite {
 public:
  // reference: the sky's rectangle in the 1024 x 768 frame of environment.
  CNightSky(CGameObject* environment, const ScreenRect& reference);
  // From a NightSky element ("Rect").
  CNightSky(CGameObject* environment, XmlDocument& doc, XmlNode element);

  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kNightSky; }
  int HitTest() override { return kHitNone; }
  int GetCursorKind() override { return 1; }

  const ScreenRect& Reference() const { return reference_; }
  const effects::NightSkyFill& Fill() const { return fill_; }
  float CreatedAt() const { return createdAt_; }

 private:
  ScreenRect reference_;
  effects::NightSkyFill fill_;
  float createdAt_ = 0;
};
