// Placeholders until the texture cache lands.
#include "app/shell_hooks.h"

void RestoreAllTextures(gfx::Device*) {}
void InvalidateAllTextures() {}
void DestroyAllTextures() {}
