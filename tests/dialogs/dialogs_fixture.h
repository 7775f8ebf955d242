// The dialog tests' fixture: the world of dialogs_world.h on an 800 x 600 null device with a plain
// scene, frames of 1/60 s, clicks where the test says, and a listener that records what it hears.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/support/dialogs_world.h"
#include "flow/environment.h"
#include "platform/gfx/null_device.h"
#include "scene/sprite.h"

namespace dialogstest {

// Records every notification in order.
class Listener : public CSprite {
 public:
  void OnNotify(CGameObject* sender, int code) override {
    codes.push_back(code);
    senders.push_back(sender);
  }
  std::vector<int> codes;
  std::vector<CGameObject*> senders;
};

// A scene that records its notifications.
class Scene : public CEnvironment {
 public:
  Scene() : CEnvironment(kSceneBackground) {}
  void OnNotify(CGameObject*, int code) override { codes.push_back(code); }
  std::vector<int> codes;
};

class DialogsTest : public testing::Test {
 protected:
  static constexpr int kW = 800, kH = 600;
  static constexpr float kFrame = 1.0f / 60.0f;

  void SetUp() override {
    if (!UseDialogArchives()) GTEST_SKIP() << "the build has not baked the fonts";
    ASSERT_EQ(gfx::CreateNullDevice(kW, kH, &device_), gfx::S_OK);
    world.Open(device_, kW, kH);
    scene = new Scene();
  }
  void TearDown() override {
    if (!device_) return;
    world.Close();
    EXPECT_EQ(CountObjects(), 0);
    EXPECT_EQ(device_->LiveResourceCount(), 0);
    device_->Release();
  }
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }
  // Frames until time t (at least one), the pointer parked away from every dialog.
  void RunUntil(float t, int x = 1, int y = 1) {
    do {
      world.Frame(world.Now() + kFrame, x, y, false);
    } while (world.Now() < t);
  }
  void Settle() { RunUntil(world.Now() + 0.6f); }
  void Click(int x, int y) {
    world.Frame(world.Now() + kFrame, x, y, false);
    world.Frame(world.Now() + kFrame, x, y, true);
    world.Frame(world.Now() + kFrame, x, y, false);
  }
  void ClickOn(CSprite* sprite) {
    const ScreenRect r = sprite->GetScreenRect();
    Click(int(r.CenterX()), int(r.CenterY()));
  }

  World world;
  Scene* scene = nullptr;
  gfx::Device* device_ = nullptr;
};

}  // namespace dialogstest
