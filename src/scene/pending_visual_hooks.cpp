// Placeholders until sprites land.
#include "app/shell_hooks.h"

void RestoreSharedDeviceObjects(gfx::Device*) {}
void InvalidateSharedDeviceObjects() {}
void CreateClickToContinueMarker() {}
