// A headless host (for the input gate), a null device of 800 x 600, a hand-driven application
// clock and empty scene registries, for the scene-flow tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "flow/environment.h"
#include "platform/gfx/null_device.h"

namespace flowtest {

// A scene that records what it hears and counts how many of its kind are alive.
class TestScene : public CEnvironment {
 public:
  explicit TestScene(int tag) : tag_(tag) { ++alive; }
  ~TestScene() override { --alive; }
  void OnNotify(CGameObject*, int code) override { heard.push_back(code); }
  void OnEscape() override { ++escapes; }
  int CountsPlayTime() override { return counts; }
  int Tag() const { return tag_; }

  std::vector<int> heard;
  int escapes = 0;
  int counts = 0;
  static int alive;

 private:
  int tag_;
};

class FlowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }
  // Runs one frame at application time t.
  void RunAt(float t);

  gfx::Device* device_ = nullptr;
  float last_ = 0.0f;
};

}  // namespace flowtest
