#include "flow/screen_quad.h"

#include <algorithm>

namespace {
uint32_t AlphaByte(float alpha) {
  return uint32_t(std::clamp(alpha, 0.0f, 1.0f) * 255.0f + 0.5f) << 24;
}
}  // namespace

uint32_t WhiteWithAlpha(float alpha) {
  return AlphaByte(alpha) | 0xFFFFFFu;
}

uint32_t BlackWithAlpha(float alpha) {
  return AlphaByte(alpha);
}

void DrawScreenQuad(gfx::Device* device, const ScreenRect& r, float u0, float u1, gfx::Texture* texture,
                    uint32_t argb) {
  if (!device) return;
  // Direct3D's pixel-centre convention is applied by the device for pre-transformed vertices.
  const gfx::VertexRhwColorUv v[4] = {
      {r.left, r.top, 1.0f, 1.0f, argb, u0, 0.0f},
      {r.right, r.top, 1.0f, 1.0f, argb, u1, 0.0f},
      {r.right, r.bottom, 1.0f, 1.0f, argb, u1, 1.0f},
      {r.left, r.bottom, 1.0f, 1.0f, argb, u0, 1.0f},
  };
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_RHW_COLOR_UV);
  device->DrawPrimitiveUP(gfx::PT_TRIANGLEFAN, 2, v, sizeof(gfx::VertexRhwColorUv));
}
