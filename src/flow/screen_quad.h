// Full-screen layers of the transition and the loading screen: a pre-transformed quad in client
// pixels with a texture window and one colour, drawn without a vertex buffer of its own.
#pragma once

#include <cstdint>

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

// Draws rect with u from u0 to u1 and v 0..1, texture modulated by argb (null texture: plain colour).
void DrawScreenQuad(gfx::Device* device, const ScreenRect& rect, float u0, float u1, gfx::Texture* texture,
                    uint32_t argb);
// Alpha as the top byte of a white (or black) colour; clamped to 0..1.
uint32_t WhiteWithAlpha(float alpha);
uint32_t BlackWithAlpha(float alpha);
