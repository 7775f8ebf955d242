// Device resources shared by every instance of a visual class (sprite quads, button and dialog
// buffers, effect pictures): restored before the texture cache and the objects, released by the
// shell's invalidate and delete steps.
#pragma once

#include "platform/gfx/device.h"

void RestoreSharedDeviceObjects(gfx::Device* device);
void InvalidateSharedDeviceObjects();
