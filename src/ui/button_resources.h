// Device resources every push button shares: its three sounds, the two half quads that pick the
// normal (left) or hovered (right) half of a button picture, and the pictures themselves. The
// shell restores them with the other shared resources before any object and releases them with
// the device.
#pragma once

#include "data/texture_cache.h"
#include "platform/gfx/device.h"

class CSoundEffect;

// Makes whatever is missing, each followed by one loading step; also installs the tooltip that
// the cursor shows. 0 or the device error of a failed half quad.
int RestoreButtonResources(gfx::Device* device);
void InvalidateButtonResources();

// The half quad (same positions as the sprite's normal quad, u 0..0.5 or 0.5..1); null when not
// made.
gfx::VertexBuffer* ButtonHalfQuad(bool hovered);
// The picture of a style index 1..7, the disabled overlay and the glow; null when not loaded.
TextureEntry* ButtonPictureTexture(int pictureIndex);
TextureEntry* ButtonDisabledTexture();
TextureEntry* ButtonGlowTexture();

enum class ButtonSound { kClick, kRollover, kReady };
// Plays one of the button sounds at the volume; nothing without sound.
void PlayButtonSound(ButtonSound sound, float volume);
