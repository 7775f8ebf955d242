// Device resources shared by every instance of a visual class, restored before the texture cache
// and the objects, and released by the shell's invalidate and delete steps.
#include "app/shell_hooks.h"
#include "scene/sprite.h"

void RestoreSharedDeviceObjects(gfx::Device* device) {
  CSprite::RestoreStaticDeviceObjects(device);
}

void InvalidateSharedDeviceObjects() {
  CSprite::InvalidateStaticDeviceObjects();
}
