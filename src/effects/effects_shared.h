// Pictures shared by every instance of an effect class, each loaded once and then kept.
#pragma once

#include "platform/gfx/device.h"

struct TextureEntry;

namespace effects {

enum SharedTextureKind : int {
  kTexVenueClouds,  // "Clouds\Clouds02.jpg"
  kTexNebula,       // "Clouds\OrionNebula.jpg"
  kTexSkyClouds,    // "GUI\DialogBackground\Clouds.png"
  kTexSky,          // "GUI\DialogBackground\Sky.png"
  kTexStar,         // "GUI\DialogBackground\Star.png"
  kTexGlare,        // "Effects\LightGlare.jpg"
  kTexMote,         // "Effects\Mote.png"
  kTexParticle,     // "Effects\ParticleTrail.jpg" (starbursts)
  kTexSparkle,      // "Effects\Sparkle.png"
  kSharedTextureCount,
};

const char* SharedTextureName(SharedTextureKind kind);
// The entry, acquired on first use when the shared restore has not loaded it yet.
TextureEntry* SharedTexture(SharedTextureKind kind);
// Module state for tests: releases every kept picture (before the texture cache is emptied).
void ResetEffectsSharedObjects();

}  // namespace effects

// The shell's shared-resource steps. The restore loads the scene pictures on its first call and
// moves the loading bar on every call: once for the two cloud pictures, once after each other one.
void RestoreEffectsSharedObjects(gfx::Device* device);
void InvalidateEffectsSharedObjects();
