// CClickToContinue: the "click to continue" marker low in the middle of the screen. It shows, as
// strongly as the balloon it stands for, while a balloon waits for a click.
#pragma once

#include "scene/sprite.h"

class CClickToContinue : public CSprite {
 public:
  CClickToContinue();

  int GetTypeId() override { return TypeId::kClickToContinue; }
  int RestoreDeviceObjects(gfx::Device* device) override;  // placed against the client area
  void Render(gfx::Device* device) override;

  // Height 0.1 of the client, 8.39 times as wide, centred at half the width and 0.7 of the height.
  static ScreenRect PlacementFor(float clientWidth, float clientHeight);
};

// Makes the one marker; the shell calls it at start-up.
void CreateClickToContinueMarker();
