// A GL device on a small SDL window for render tests, with pixel helpers. Tests skip (not fail)
// where no OpenGL 3.3 context can be made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gfx/device.h"

namespace rendertest {

class TestWindow;

// Colour channels within tolerance of the expected 0xRRGGBB (alpha ignored).
testing::AssertionResult ColorNear(uint32_t actual, uint32_t expected, int tolerance = 3);

class GLTest : public testing::Test {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  GLTest();
  ~GLTest() override;
  void SetUp() override;
  void TearDown() override;
  // Replaces the window and device (window size in pixels, back buffer size).
  bool Open(int windowW, int windowH, int backW, int backH);

  // The back buffer after the draws so far (also saved as a capture under name when given).
  gfx::Image Read(const std::string& captureName = "");
  static uint32_t At(const gfx::Image& img, int x, int y) { return img.pixels[size_t(y) * img.width + x]; }

  // Draw helpers.
  void Begin(uint32_t clearArgb = 0xFF000000u);
  void End();
  // A pre-transformed coloured (and textured) rectangle, left/top inclusive, right/bottom exclusive.
  void RhwRect(float l, float t, float r, float b, uint32_t argb, float z = 0.5f);
  gfx::Texture* MakeTexture(int w, int h, const uint32_t* pixels, int levels = 1);

  gfx::Device* dev = nullptr;
  std::unique_ptr<TestWindow> window;
};

}  // namespace rendertest
