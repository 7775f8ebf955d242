#include "puzzles/texture_window.h"

#include "platform/os/host.h"
#include "scene/sprite.h"

int TextureWindow::Set(const ScreenRect& uv, const char* caption) {
  uv_ = uv;
  return buffer_ ? Fill(caption) : 0;
}

int TextureWindow::Restore(gfx::Device* device, const char* caption) {
  if (!device) return 0;
  if (!buffer_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &buffer_);
    if (gfx::Failed(hr) || !buffer_) {
      buffer_ = nullptr;
      os::ShowMessageBox(caption, "Failed to create vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  return Fill(caption);
}

void TextureWindow::Release() {
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
}

int TextureWindow::Fill(const char* caption) {
  void* data = nullptr;
  const gfx::HRESULT hr = buffer_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    os::ShowMessageBox(caption, "Failed to lock vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  // Local x -1..1 maps to u left..right, local y -1 (top) to v top.
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  v[0] = {1, -1, 0, uv_.right, uv_.top};
  v[1] = {1, 1, 0, uv_.right, uv_.bottom};
  v[2] = {-1, 1, 0, uv_.left, uv_.bottom};
  v[3] = {-1, -1, 0, uv_.left, uv_.top};
  buffer_->Unlock();
  return gfx::S_OK;
}

void TextureWindow::Draw(gfx::Device* device, const ScreenRect& rect, gfx::Texture* texture,
                         const gfx::Material& material) {
  if (!device || !buffer_ || !texture) return;
  device->SetTransform(gfx::TS_WORLD, CSprite::WorldFromRect(rect));
  device->SetStreamSource(0, buffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(material);
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
}
