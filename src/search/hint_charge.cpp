#include "search/hint_charge.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hint {
namespace {

constexpr float kNeverUsed = -100.0f;
constexpr float kEighth = std::numbers::pi_v<float> / 4.0f;
float g_lastHintTime = kNeverUsed;

// The outline of the unit square (y -1 at the top) at each eighth of a turn counter-clockwise
// from twelve o'clock, ending where it began.
constexpr float kOutline[9][2] = {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1},
                                  {1, 1},  {1, 0},   {1, -1}, {0, -1}};

gfx::VertexPosUv Vertex(float x, float y) {
  return gfx::VertexPosUv{x, y, 0.0f, (x + 1.0f) * 0.5f, (y + 1.0f) * 0.5f};
}

}  // namespace

float LastHintTime() {
  return g_lastHintTime;
}

void SetLastHintTime(float time) {
  g_lastHintTime = time;
}

void ResetHintChargeForTests() {
  g_lastHintTime = kNeverUsed;
}

bool IsRecharging(float now) {
  return now - g_lastHintTime < kRechargeSeconds;
}

int FanEighth(float angle) {
  if (!(angle > 0)) return 0;
  return std::clamp(int(angle / kEighth), 0, 7);
}

Fan BuildFan(float elapsed) {
  Fan fan;
  if (!(elapsed < kRechargeSeconds)) return fan;
  elapsed = std::max(elapsed, 0.0f);
  const float angle = 2.0f * std::numbers::pi_v<float> * (kRechargeSeconds - elapsed) / kRechargeSeconds;
  fan.angle = angle;
  fan.vertexCount = std::min(3 + int(angle / kEighth), kFanMaxVertices);
  fan.vertices[0] = Vertex(0, 0);
  for (int i = 1; i < kFanMaxVertices; ++i) fan.vertices[i] = Vertex(kOutline[i - 1][0], kOutline[i - 1][1]);

  // The wipe's edge: the ray at angle meets the outline between the two outline points of its
  // eighth. Even eighths start at the middle of a side, odd ones at a corner; the tangent of the
  // angle measured from the side's middle gives the distance along that side.
  const int k = FanEighth(angle);
  const float within = angle - float(k) * kEighth;
  float x, y;
  if (k % 2 == 0) {
    const float t = std::tan(within);
    x = kOutline[k][0] + t * (kOutline[k + 1][0] - kOutline[k][0]);
    y = kOutline[k][1] + t * (kOutline[k + 1][1] - kOutline[k][1]);
  } else {
    const float t = std::tan(kEighth - within);
    x = kOutline[k + 1][0] + t * (kOutline[k][0] - kOutline[k + 1][0]);
    y = kOutline[k + 1][1] + t * (kOutline[k][1] - kOutline[k + 1][1]);
  }
  fan.vertices[fan.vertexCount - 1] = Vertex(x, y);
  return fan;
}

}  // namespace hint
