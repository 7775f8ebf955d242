// The display gamma: one exponent for the whole process, applied through the device's ramp.
#pragma once

#include "platform/gfx/device.h"

// Entry i of each channel: max(0, pow(i / 256, gamma) * 65535 + 0.5), truncated to 16 bits.
void BuildGammaRamp(float gamma, gfx::GammaRamp& ramp);

// Stores the exponent and, when the current device has full-screen gamma, sets its ramp
// (calibrated when the device can calibrate).
void SetGamma(float gamma);
float GetGamma();  // 1.0 until set; saved as "Window"/"Gamma" at shutdown
