#include "app/gamma.h"

#include <algorithm>
#include <cmath>

#include "scene/game_object.h"

namespace {
float g_gamma = 1.0f;
}

void BuildGammaRamp(float gamma, gfx::GammaRamp& ramp) {
  for (int i = 0; i < 256; ++i) {
    double v = std::max(0.0, std::pow(double(i) / 256.0, double(gamma)) * 65535.0 + 0.5);
    // pow of a fraction below 1 never exceeds 1, but a NaN exponent must not reach the cast.
    uint16_t entry = std::isfinite(v) ? uint16_t(uint32_t(std::min(v, 65535.0))) : 0;
    ramp.red[i] = ramp.green[i] = ramp.blue[i] = entry;
  }
}

void SetGamma(float gamma) {
  g_gamma = gamma;
  gfx::Device* device = GetDevice();
  if (!device) return;
  gfx::Caps caps = device->GetCaps();
  if (!caps.fullscreenGamma) return;
  gfx::GammaRamp ramp;
  BuildGammaRamp(gamma, ramp);
  device->SetGammaRamp(ramp, caps.canCalibrateGamma);
}

float GetGamma() {
  return g_gamma;
}
