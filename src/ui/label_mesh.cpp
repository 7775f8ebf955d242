#include "ui/label_mesh.h"

#include <cstring>

#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "scene/game_font.h"
#include "scene/sprite.h"

gfx::Material TintMaterial(uint32_t argb, float opacity) {
  gfx::Material m{};
  m.emissive.r = float((argb >> 16) & 0xFF) / 255.0f;
  m.emissive.g = float((argb >> 8) & 0xFF) / 255.0f;
  m.emissive.b = float(argb & 0xFF) / 255.0f;
  m.emissive.a = float(argb >> 24) / 255.0f * opacity;
  m.diffuse.a = m.emissive.a;
  return m;
}

void LabelMesh::SetText(const std::string& text, const char* fontName) {
  Release();
  text_ = text;
  font_ = fontName ? GetFont(fontName) : nullptr;
  if (font_) {
    count_ = font_->LayoutText(text_, vertices_, aspect_, 0);
  } else {
    vertices_.clear();
    count_ = 0;
    aspect_ = 0.0f;
  }
}

int LabelMesh::Restore(gfx::Device* device, const char* caption) {
  if (!device || buffer_ || count_ <= 0 || !font_) return 0;
  const uint32_t bytes = uint32_t(count_) * uint32_t(sizeof(gfx::VertexPosUv));
  gfx::VertexBuffer* vb = nullptr;
  gfx::HRESULT hr = device->CreateVertexBuffer(bytes, gfx::FVF_POS_UV, &vb);
  if (gfx::Failed(hr) || !vb) {
    os::ShowMessageBox(caption, "Failed to create text vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  void* data = nullptr;
  hr = vb->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    vb->Release();
    os::ShowMessageBox(caption, "Failed to lock vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  std::memcpy(data, vertices_.data(), bytes);
  vb->Unlock();
  buffer_ = vb;
  return 0;
}

void LabelMesh::Release() {
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
}

void LabelMesh::Draw(gfx::Device* device, const ScreenRect& rect, uint32_t argb, float opacity) const {
  if (!device || !Drawable()) return;
  device->SetTransform(gfx::TS_WORLD, CSprite::WorldFromRect(rect));
  device->SetStreamSource(0, buffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(TintMaterial(argb, opacity));
  device->SetTexture(0, GetDeviceTexture(font_->GetTexture()));
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLESTRIP, 0, uint32_t(count_ - 2));
}
