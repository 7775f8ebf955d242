#include "effects/point_emitter.h"

int CPointEmitter::RestoreDeviceObjects(gfx::Device* device) {
  if (!points_.Get()) {
    const gfx::HRESULT hr = points_.Create(device, count_, restoreCaption_);
    if (gfx::Failed(hr)) return hr;
    FillVertexBuffer();
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CPointEmitter::DeleteDeviceObjects() {
  points_.Release();
  return CSprite::DeleteDeviceObjects();
}
