#include "core/published_device.h"

namespace {
gfx::Device* g_device = nullptr;
}  // namespace

gfx::Device* GetDevice() {
  return g_device;
}

void SetDevice(gfx::Device* device) {
  g_device = device;
}
