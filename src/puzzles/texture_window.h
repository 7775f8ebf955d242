// A quad that shows only part of its texture: a patch of a full-scene picture, a tick revealed
// from the left. The owner keeps one and refills it when the visible part changes.
#pragma once

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

class TextureWindow {
 public:
  TextureWindow() = default;
  TextureWindow(const TextureWindow&) = delete;
  TextureWindow& operator=(const TextureWindow&) = delete;
  ~TextureWindow() { Release(); }

  // The part of the texture in texture coordinates (0..1, v downwards). Refills the buffer when
  // one exists; caption names the owner in a failure box.
  int Set(const ScreenRect& uv, const char* caption);
  const ScreenRect& Uv() const { return uv_; }
  int Restore(gfx::Device* device, const char* caption);
  void Release();
  bool Ready() const { return buffer_ != nullptr; }
  // Draws over rect in the sprite states the caller has set.
  void Draw(gfx::Device* device, const ScreenRect& rect, gfx::Texture* texture,
            const gfx::Material& material);

 private:
  int Fill(const char* caption);

  ScreenRect uv_{0, 0, 1, 1};
  gfx::VertexBuffer* buffer_ = nullptr;
};
