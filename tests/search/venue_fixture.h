// A world for the venue tests: archives with the demo's database (story map, strings,
// conversations, the three demo venues), test venues of their own and small hit-mask pictures,
// the baked fonts, a 1024 x 768 null device, a hand-driven clock and pointer, the venue's scene
// builder and a fresh current player.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/null_device.h"

class CSearchEnvironment;
class CHiddenObject;

namespace venuetest {

// A 32-bit top-left TGA of w x h whose alpha is 255 where opaque(x, y) holds.
std::vector<uint8_t> MaskTga(int w, int h, bool (*opaque)(int x, int y));

class VenueTest : public testing::Test {
 protected:
  static constexpr int kW = 1024, kH = 768;

  void SetUp() override;
  void TearDown() override;

  // The venue built directly (as the factory would), current afterwards.
  CSearchEnvironment* Open(const char* file);
  // One frame at application time t with the pointer at (x, y), the left button as given.
  void Frame(float t, int x, int y, bool down);
  // Frames of 0.02 s with the pointer where it is, until t.
  void RunUntil(float t);
  // A click: press for one frame, release the next.
  void Click(int x, int y);
  void ClickObject(CHiddenObject* object);
  // A player at this stage with a clean profile.
  void AtStage(int stage);
  gfx::NullDevice* Rec() { return gfx::NullDevice::From(device_); }

  gfx::Device* device_ = nullptr;
  float now_ = 0.0f;
  int x_ = 0, y_ = 0;
  bool down_ = false;
  std::vector<std::string> boxes;  // "caption: text" of every message box shown
};

}  // namespace venuetest
