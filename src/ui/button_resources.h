// Device resources every push button shares: its three sounds and the two half quads that pick
// the normal (left) or hovered (right) half of a button picture. The shell restores them with the
// other shared resources before any object and releases them with the device. (The pictures are
// shared through the texture cache: each button holds its own references, so nothing here can
// outlive the cache.)
#pragma once

#include "platform/gfx/device.h"

class CSoundEffect;

// Makes whatever is missing, each followed by one loading step; also installs the tooltip that
// the cursor shows. 0 or the device error of a failed half quad.
int RestoreButtonResources(gfx::Device* device);
void InvalidateButtonResources();

// The half quad (same positions as the sprite's normal quad, u 0..0.5 or 0.5..1); null when not
// made.
gfx::VertexBuffer* ButtonHalfQuad(bool hovered);
enum class ButtonSound { kClick, kRollover, kReady };
// Plays one of the button sounds at the volume; nothing without sound.
void PlayButtonSound(ButtonSound sound, float volume);
