#include "effects/effects_shared.h"

#include "core/loading_progress.h"
#include "data/texture_cache.h"

namespace effects {
namespace {

TextureEntry* g_textures[kSharedTextureCount] = {};

constexpr const char* kNames[kSharedTextureCount] = {
    "Clouds\\Clouds02.jpg",
    "Clouds\\OrionNebula.jpg",
    "GUI\\DialogBackground\\Clouds.png",
    "GUI\\DialogBackground\\Sky.png",
    "GUI\\DialogBackground\\Star.png",
    "Effects\\LightGlare.jpg",
    "Effects\\Mote.png",
    "Effects\\ParticleTrail.jpg",
    "Effects\\Sparkle.png",
};

}  // namespace

const char* SharedTextureName(SharedTextureKind kind) {
  return kind >= 0 && kind < kSharedTextureCount ? kNames[kind] : "";
}

TextureEntry* SharedTexture(SharedTextureKind kind) {
  if (kind < 0 || kind >= kSharedTextureCount) return nullptr;
  if (!g_textures[kind]) g_textures[kind] = AcquireTexture(kNames[kind]);
  return g_textures[kind];
}

void ResetEffectsSharedObjects() {
  for (TextureEntry*& e : g_textures) {
    ReleaseTexture(e);
    e = nullptr;
  }
}

}  // namespace effects

void RestoreEffectsSharedObjects(gfx::Device*) {
  using namespace effects;
  SharedTexture(kTexVenueClouds);
  SharedTexture(kTexNebula);
  LoadingProgressStep();
  for (SharedTextureKind kind : {kTexSkyClouds, kTexSky, kTexStar, kTexGlare, kTexMote}) {
    SharedTexture(kind);
    LoadingProgressStep();
  }
}

void InvalidateEffectsSharedObjects() {
  // The texture cache drops and re-creates the device textures itself; the entries stay.
}
