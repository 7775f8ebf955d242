// A GL scene over the demo's built archives with a painted full-screen environment, a fixed clock
// and scripted pointer input, for captures of the speech interface.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fonts/scene_gl.h"
#include "scene/sprite.h"

namespace speechgl {

constexpr int kW = 800, kH = 600;

class SpeechScene : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One frame at time t (button state and pointer as given), drawn and read back; saved as a
  // capture when a name is given.
  gfx::Image Frame(float t, bool down = false, int x = 400, int y = 300, const std::string& capture = "");
  // Frames every 20 ms up to t.
  void RunUntil(float t);
  void Click(float t, int x = 400, int y = 300);

  scenegl::Scene scene;
  CSprite* env = nullptr;
  float last = 0;
};

// Pixels in the box close (within tol per channel) to the colour 0xRRGGBB.
int CountNear(const gfx::Image& img, const ScreenRect& box, uint32_t rgb, int tol);
// Pixels in the box darker than the threshold on every channel.
int CountDark(const gfx::Image& img, const ScreenRect& box, int threshold);

}  // namespace speechgl
