// Device resources shared by every instance of a visual class, restored before the texture cache
// and the objects, and released by the shell's invalidate and delete steps. Each visual subsystem
// keeps its own shared resources; the shell calls them in layer order.
#include "app/shared_device_objects.h"

#include "effects/effects_shared.h"
#include "scene/sprite.h"
#include "ui/button_resources.h"
#include "ui/speech_balloon.h"

void RestoreSharedDeviceObjects(gfx::Device* device) {
  CSprite::RestoreStaticDeviceObjects(device);
  RestoreEffectsSharedObjects(device);
  RestoreButtonResources(device);
  RestoreSpeechBalloonResources(device);
}

void InvalidateSharedDeviceObjects() {
  CSprite::InvalidateStaticDeviceObjects();
  InvalidateEffectsSharedObjects();
  InvalidateButtonResources();
  InvalidateSpeechBalloonResources();
}
