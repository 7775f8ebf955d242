#include "scene/camera.h"

#include <bit>
#include <cstdint>

#include "core/loading_progress.h"

namespace {
CCamera* g_camera = nullptr;

uint32_t FloatBits(float f) {
  return std::bit_cast<uint32_t>(f);
}
}  // namespace

CCamera::CCamera() {
  if (!g_camera) g_camera = this;
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CCamera::~CCamera() {
  if (g_camera == this) g_camera = nullptr;
}

int CCamera::RestoreDeviceObjects(gfx::Device* device) {
  if (!device) return 0;
  // Sprites carry the whole pixel-to-clip mapping in their world transforms.
  device->SetTransform(gfx::TS_PROJECTION, gfx::Matrix::Identity());
  device->SetTransform(gfx::TS_VIEW, gfx::Matrix::Identity());
  device->SetRenderState(gfx::RS_FOGENABLE, fog_ ? 1 : 0);
  device->SetRenderState(gfx::RS_FOGCOLOR, 0);
  device->SetRenderState(gfx::RS_FOGVERTEXMODE, gfx::FOG_LINEAR);
  device->SetRenderState(gfx::RS_FOGSTART, FloatBits(300.0f));
  device->SetRenderState(gfx::RS_FOGEND, FloatBits(500.0f));
  return 0;
}

void CCamera::SetFogEnabled(bool on) {
  fog_ = on;
  if (gfx::Device* device = GetDevice()) device->SetRenderState(gfx::RS_FOGENABLE, on ? 1 : 0);
}

CCamera* GetSceneCamera() {
  return g_camera;
}

bool SceneFogEnabled() {
  return g_camera && g_camera->FogEnabled();
}

void CreateSceneCamera() {
  if (!g_camera) new CCamera();
}
