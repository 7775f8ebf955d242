// The scene camera. Sprites are placed in client pixels; the camera keeps the view and projection
// transforms at the identity, and each sprite's world transform maps its unit quad straight onto
// its screen rectangle in clip space (see CSprite::WorldFromRect). Drawing order is the depth list
// alone. The camera also owns the fog states: off by default, linear from 300 to 500 when enabled.
#pragma once

#include "scene/game_object.h"

class CCamera : public CGameObject {
 public:
  CCamera();  // restores at once when a device exists
  ~CCamera() override;
  int RestoreDeviceObjects(gfx::Device* device) override;  // transforms and fog states
  int GetTypeId() override { return TypeId::kCamera; }

  void SetFogEnabled(bool on);
  bool FogEnabled() const { return fog_; }

 private:
  bool fog_ = false;
};

void CreateSceneCamera();  // the shell, at start-up
// The camera made by the shell at start-up, or null.
CCamera* GetSceneCamera();
// Whether the scene camera wants fog on (false without a camera); drawers that switch fog off
// for themselves restore this afterwards.
bool SceneFogEnabled();
