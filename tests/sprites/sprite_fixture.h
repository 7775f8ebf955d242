// A null device of 800 x 600 published to the object tree, the shared quads, and a Textures.pak
// with a few small pictures, for the sprite and animator tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "platform/gfx/null_device.h"
#include "scene/screen_rect.h"
#include "scene/sprite.h"

namespace spritetest {

constexpr int kClientW = 800;
constexpr int kClientH = 600;

// 8 x 4 white TGA ("Art\\White.tga") and 4 x 4 red TGA ("Art\\Red.tga") are in the archive.
class SpriteTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }
  // Advances the object tree's clock to t and runs every Update.
  void RunFrameAt(float t);

  gfx::Device* device_ = nullptr;
  float lastTime_ = 0;
};

testing::AssertionResult RectNear(const ScreenRect& got, const ScreenRect& want, float tol = 1e-3f);

}  // namespace spritetest
