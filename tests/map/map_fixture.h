// A world for the travel-map tests: archives with a small story map, test maps and the demo maps,
// a string table with the place labels, the baked fonts, an 800 x 600 null device, a hand-driven
// clock, the map's scene builder, and a current player whose stage the test sets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/null_device.h"

namespace maptest {

// The story map of the tests: stage 0 starts at "Alpha_Start.xml", stage 1 at "Beta_Yard.xml" (with
// the differences scene "Beta_Diff.xml"), stage 2 lists no venue, and there is no stage 3.
extern const char* const kStoryMap;

class MapTest : public testing::Test {
 protected:
  static constexpr int kW = 800, kH = 600;

  void SetUp() override;
  void TearDown() override;
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }
  // One frame at application time t.
  void RunAt(float t);
  // Frames of dt seconds from now until t (inclusive).
  void RunUntil(float t, float dt = 0.02f);
  // The current player (created on first use) at this stage; the story map is open.
  void AtStage(int stage);

  gfx::Device* device_ = nullptr;
  float now_ = 0.0f;
  std::vector<std::string> boxes;  // "caption: text" of every message box shown
};

}  // namespace maptest
