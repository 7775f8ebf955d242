// A one-line label that a control draws inside its own rectangle: the laid-out vertices of a
// bitmap font, kept on the CPU, and the vertex buffer made from them while a device exists.
#pragma once

#include <string>
#include <vector>

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

class CGameFont;

class LabelMesh {
 public:
  LabelMesh() = default;
  ~LabelMesh() { Release(); }
  LabelMesh(const LabelMesh&) = delete;
  LabelMesh& operator=(const LabelMesh&) = delete;

  // Lays text out with the named font (no font: nothing to draw, aspect 0). The buffer is made
  // again by the next Restore.
  void SetText(const std::string& text, const char* fontName);
  // Creates the buffer when there is none and the text has vertices. caption names the owner in
  // the failure box. 0 or the device error.
  int Restore(gfx::Device* device, const char* caption);
  void Release();

  // Draws the strip over rect in the given colour and opacity; the sprite states must be set.
  void Draw(gfx::Device* device, const ScreenRect& rect, uint32_t argb, float opacity) const;
  bool Drawable() const { return font_ && buffer_ && count_ > 2; }

  const std::string& Text() const { return text_; }
  float Aspect() const { return aspect_; }
  int VertexCount() const { return count_; }
  const std::vector<gfx::VertexPosUv>& Vertices() const { return vertices_; }
  CGameFont* Font() const { return font_; }

 private:
  std::string text_;
  CGameFont* font_ = nullptr;
  std::vector<gfx::VertexPosUv> vertices_;
  int count_ = 0;
  float aspect_ = 0.0f;
  gfx::VertexBuffer* buffer_ = nullptr;
};

// The material of a flat tint: emissive colour, alpha = colour alpha x opacity.
gfx::Material TintMaterial(uint32_t argb, float opacity);
