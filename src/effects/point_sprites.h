// The point-sprite pass every particle effect shares: one pre-transformed point per particle in a
// small vertex buffer that is rewritten each frame, drawn as a single point list.
#pragma once

#include <cstdint>

#include "platform/gfx/device.h"

namespace effects {

using PointVertex = gfx::VertexRhwPsizeColor;

enum class PointBlend { kAdditive, kAlpha };

// 0xAARRGGBB from channels in 0..1; each channel is clamped first (NaN counts as 0), so an
// intensity above 1 never spills into the neighbouring byte.
uint32_t PackArgb(float a, float r, float g, float b);
// Opaque colour whose red, green and blue are those of argb times factor.
uint32_t ScaleRgb(uint32_t argb, float factor);
inline PointVertex MakePoint(float x, float y, float size, uint32_t color) {
  return PointVertex{x, y, 1.0f, 1.0f, size, color};
}
// A dead particle: nothing visible (colour 0).
inline PointVertex DeadPoint() {
  return PointVertex{-10.0f, -10.0f, 1.0f, 1.0f, 1.0f, 0u};
}

// The effect's vertex buffer of a fixed number of points.
class PointBuffer {
 public:
  PointBuffer() = default;
  PointBuffer(const PointBuffer&) = delete;
  PointBuffer& operator=(const PointBuffer&) = delete;
  ~PointBuffer() { Release(); }

  // Creates the buffer when missing. A failure shows the text (by default "Failed to create vertex
  // buffer") under the caption and returns the device's error.
  gfx::HRESULT Create(gfx::Device* device, int count, const char* caption,
                      const char* failure = "Failed to create vertex buffer");
  // The vertices to write, or null (no buffer, or the lock failed: "Failed to lock vertex buffer"
  // under the caption). Every successful Lock is followed by Unlock.
  PointVertex* Lock(const char* caption);
  void Unlock();
  void Release();
  gfx::VertexBuffer* Get() const { return buffer_; }
  int Count() const { return count_; }

 private:
  gfx::VertexBuffer* buffer_ = nullptr;
  int count_ = 0;
};

// Draws the whole buffer as a point list with point sprites, no depth, the given blend and the
// texture on stage 0, then switches depth back on and point sprites, blending and alpha test off.
void DrawPoints(gfx::Device* device, const PointBuffer& points, gfx::Texture* texture, PointBlend blend);

}  // namespace effects
