#include "effects/effects_shared.h"

#include "core/loading_progress.h"
#include "data/texture_cache.h"

namespace effects {
namespace {

TextureEntry* g_textures[kSharedTextureCount] = {};
uint32_t g_generation = 0;  // of the texture cache when the entries above were taken

// Entries freed by a cache-wide destroy are forgotten, not released.
void ForgetDestroyedEntries() {
  if (g_generation == TextureCacheGeneration()) return;
  for (TextureEntry*& e : g_textures) e = nullptr;
  g_generation = TextureCacheGeneration();
}

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
  ForgetDestroyedEntries();
  if (!g_textures[kind]) g_textures[kind] = AcquireTexture(kNames[kind]);
  return g_textures[kind];
}

void ResetEffectsSharedObjects() {
  ForgetDestroyedEntries();
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
