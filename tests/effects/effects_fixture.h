// A null device of 800 x 600 published to the object tree, the shared quads, a seeded generator
// and a fixed clock, for the effect timing and drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/null_device.h"
#include "scene/sprite.h"

namespace effectstest {

constexpr int kClientW = 800;
constexpr int kClientH = 600;

class EffectsTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }
  // Advances the object tree's clock to t and runs every Update.
  void RunFrameAt(float t);
  // Renders the whole tree on the null device and returns the draws it made.
  std::vector<gfx::NullDraw> RenderFrame();
  // A plain sprite host at rect, attached to parent when given.
  CSprite* MakeHost(const ScreenRect& rect, CGameObject* parent = nullptr, float depth = 1.0f);
  // Message boxes shown since SetUp ("caption|text").
  std::vector<std::string> boxes_;

  gfx::Device* device_ = nullptr;
  float lastTime_ = 0;
};

testing::AssertionResult RectNear(const ScreenRect& got, const ScreenRect& want, float tol = 1e-3f);

// Whether render states that effects change are back to what the sprite pass expects.
testing::AssertionResult StatesRestoredAfter(gfx::NullDevice* rec, size_t drawIndex);

}  // namespace effectstest
