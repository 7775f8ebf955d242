// A world for the puzzle and developer-screen tests: archives with the demo's database (story map,
// strings, the jigsaw files) and small pictures with hit masks for the jigsaw pieces, the baked
// fonts, a 1024 x 768 null device, a hand-driven clock and pointer, and a fresh current player.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/null_device.h"

class CSprite;

namespace puzzletest {

class PuzzleTest : public testing::Test {
 protected:
  static constexpr int kW = 1024, kH = 768;

  void SetUp() override;
  void TearDown() override;

  // One frame at application time t with the pointer at (x, y), the left button as given.
  void Frame(float t, int x, int y, bool down);
  // Frames of 0.02 s with the pointer where it is, until t.
  void RunUntil(float t);
  void Click(int x, int y);
  // Press at (x0, y0), move to (x1, y1) over a few frames, release there.
  void Drag(float x0, float y0, float x1, float y1);
  void ClickCentre(CSprite* sprite);
  // A player at this stage with a clean profile.
  void AtStage(int stage);
  // Writes a saved strip into the profile: items of (class, picture, count).
  void SaveStrip(const std::vector<std::tuple<int, std::string, int>>& items);

  gfx::Device* device_ = nullptr;
  float now_ = 0.0f;
  int x_ = 0, y_ = 0;
  bool down_ = false;
  std::vector<std::string> boxes;  // "caption: text" of every message box shown
};

// The jigsaw data files shipped with the demo (members under "Puzzles\").
std::vector<std::string> ShippedJigsawFiles();

}  // namespace puzzletest
