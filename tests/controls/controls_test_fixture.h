// The control tests' fixture: the world of controls_world.h on an 800 x 600 null device.
#pragma once

#include <gtest/gtest.h>

#include "controls/support/controls_world.h"
#include "platform/gfx/device.h"
#include "scene/game_object.h"

namespace controlstest {

class ControlsTest : public testing::Test {
 protected:
  static constexpr int kW = 800, kH = 600;
  static constexpr float kFrame = 1.0f / 60.0f;

  void SetUp() override {
    if (!UseControlArchives()) GTEST_SKIP() << "the build has not baked the fonts";
    ASSERT_EQ(gfx::CreateNullDevice(kW, kH, &device_), gfx::S_OK);
    world.Open(device_, kW, kH);
  }
  void TearDown() override {
    if (!device_) return;
    world.Close();
    EXPECT_EQ(device_->LiveResourceCount(), 0);
    device_->Release();
  }
  // Runs frames of 1/60 s until time t (at least one), the pointer and button held as given.
  void RunUntil(float t, int x, int y, bool down = false) {
    do {
      world.Frame(world.Now() + kFrame, x, y, down);
    } while (world.Now() < t);
  }
  void Click(int x, int y) {
    world.Frame(world.Now() + kFrame, x, y, false);
    world.Frame(world.Now() + kFrame, x, y, true);
    world.Frame(world.Now() + kFrame, x, y, false);
  }

  World world;
  gfx::Device* device_ = nullptr;
};

// Collects OnNotify calls.
class Listener : public CGameObject {
 public:
  void OnNotify(CGameObject* sender, int code) override {
    ++count;
    lastSender = sender;
    lastCode = code;
  }
  int count = 0;
  CGameObject* lastSender = nullptr;
  int lastCode = 0;
};

}  // namespace controlstest
