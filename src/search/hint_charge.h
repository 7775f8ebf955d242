// The hint's recharge, shared by every venue: a hint used at time T makes the button wait 45 s.
// While it waits the button is covered by a clock wipe, a fan of triangles over the unit square
// whose uncovered part grows clockwise from twelve o'clock.
#pragma once

#include <array>

#include "platform/gfx/device.h"

namespace hint {

inline constexpr float kRechargeSeconds = 45.0f;
inline constexpr int kFanMaxVertices = 10;

// The time of the last hint; before any hint it lies far enough back that the first is ready.
float LastHintTime();
void SetLastHintTime(float time);
void ResetHintChargeForTests();
// Whether the button still waits at time now.
bool IsRecharging(float now);

struct Fan {
  int vertexCount = 0;  // 3..10 while recharging, 0 when charged
  float angle = 0;      // the wipe's angle, counter-clockwise from twelve o'clock
  std::array<gfx::VertexPosUv, kFanMaxVertices> vertices{};
};

// The eighth of a turn that angle lies in, kept to 0..7 (a full turn belongs to the last eighth).
int FanEighth(float angle);
// The fan after elapsed seconds of recharge; elapsed of 45 or more (or NaN) gives no fan.
Fan BuildFan(float elapsed);

}  // namespace hint
