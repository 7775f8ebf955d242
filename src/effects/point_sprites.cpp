#include "effects/point_sprites.h"

#include <algorithm>

#include "platform/os/host.h"

namespace effects {
namespace {

uint32_t Channel(float v) {
  if (!(v > 0.0f)) return 0;  // also NaN
  return uint32_t(std::min(v, 1.0f) * 255.0f);
}

}  // namespace

uint32_t PackArgb(float a, float r, float g, float b) {
  return Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b);
}

uint32_t ScaleRgb(uint32_t argb, float factor) {
  const float r = float((argb >> 16) & 0xFF) / 255.0f, g = float((argb >> 8) & 0xFF) / 255.0f;
  const float b = float(argb & 0xFF) / 255.0f;
  return PackArgb(1.0f, r * factor, g * factor, b * factor);
}

gfx::HRESULT PointBuffer::Create(gfx::Device* device, int count, const char* caption, const char* failure) {
  if (buffer_) return gfx::S_OK;
  if (!device || count <= 0) return gfx::E_INVALIDARG;
  gfx::VertexBuffer* vb = nullptr;
  const gfx::HRESULT hr =
      device->CreateVertexBuffer(uint32_t(count) * sizeof(PointVertex), gfx::FVF_RHW_PSIZE_COLOR, &vb);
  if (gfx::Failed(hr) || !vb) {
    os::ShowMessageBox(caption, failure);
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  buffer_ = vb;
  count_ = count;
  return gfx::S_OK;
}

PointVertex* PointBuffer::Lock(const char* caption) {
  if (!buffer_) return nullptr;
  void* data = nullptr;
  if (gfx::Failed(buffer_->Lock(0, 0, &data, gfx::LOCK_DISCARD)) || !data) {
    os::ShowMessageBox(caption, "Failed to lock vertex buffer");
    return nullptr;
  }
  return static_cast<PointVertex*>(data);
}

void PointBuffer::Unlock() {
  if (buffer_) buffer_->Unlock();
}

void PointBuffer::Release() {
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
  count_ = 0;
}

void DrawPoints(gfx::Device* device, const PointBuffer& points, gfx::Texture* texture, PointBlend blend) {
  if (!device || !points.Get()) return;
  const bool additive = blend == PointBlend::kAdditive;
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, additive ? gfx::BLEND_ONE : gfx::BLEND_SRCALPHA);
  device->SetRenderState(gfx::RS_DESTBLEND, additive ? gfx::BLEND_ONE : gfx::BLEND_INVSRCALPHA);
  device->SetTexture(0, texture);
  device->SetStreamSource(0, points.Get(), sizeof(PointVertex));
  device->SetVertexShader(gfx::FVF_RHW_PSIZE_COLOR);
  device->DrawPrimitive(gfx::PT_POINTLIST, 0, uint32_t(points.Count()));
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
  device->SetRenderState(gfx::RS_POINTSPRITEENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
}

}  // namespace effects
