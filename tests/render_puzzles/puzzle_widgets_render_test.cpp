// The puzzle widgets drawn by the GL backend over the demo's own pictures: the tick written in
// from the left, and a patch that shows only its part of a full-scene picture. Captures are kept.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/shared_device_objects.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "puzzles/piano_progress.h"
#include "puzzles/puzzle_checkbox.h"
#include "puzzles/puzzle_patch.h"
#include "render/gl_fixture.h"
#include "scene/camera.h"
#include "scene/sprite.h"
#include "support/test_env.h"

namespace {

constexpr int kW = 320, kH = 240;

int Brightness(uint32_t p) {
  return int((p >> 16) & 255) + int((p >> 8) & 255) + int(p & 255);
}

class PuzzleRender : public rendertest::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    if (IsSkipped()) return;
    if (!std::filesystem::exists(testenv::BuildDir() + "/Textures.pak"))
      GTEST_SKIP() << "no built Textures.pak";
    if (!Open(kW, kH, kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    ResetPaksForTest();
    os::SetDataRoot(testenv::BuildDir());
    SetClientSize(kW, kH);
    SetDevice(dev);
    dev->SetRenderState(gfx::RS_ALPHAREF, 8);
    dev->SetRenderState(gfx::RS_ALPHAFUNC, gfx::CMP_GREATEREQUAL);
    dev->SetRenderState(gfx::RS_AMBIENT, 0xFFFFFFFF);
    dev->SetTextureStageState(0, gfx::TSS_COLOROP, gfx::TOP_MODULATE);
    dev->SetTextureStageState(0, gfx::TSS_COLORARG1, gfx::TA_TEXTURE);
    dev->SetTextureStageState(0, gfx::TSS_COLORARG2, gfx::TA_DIFFUSE);
    dev->SetTextureStageState(0, gfx::TSS_ALPHAOP, gfx::TOP_MODULATE);
    dev->SetTextureStageState(0, gfx::TSS_ALPHAARG1, gfx::TA_TEXTURE);
    dev->SetTextureStageState(0, gfx::TSS_ALPHAARG2, gfx::TA_DIFFUSE);
    dev->SetTextureStageState(0, gfx::TSS_MINFILTER, gfx::TEXF_LINEAR);
    dev->SetTextureStageState(0, gfx::TSS_MAGFILTER, gfx::TEXF_LINEAR);
    RestoreSharedDeviceObjects(dev);
    RestoreAllTextures(dev);
    CreateSceneCamera();
    UpdateAllObjects(0.0f, 0.0f);
  }
  void TearDown() override {
    if (dev) {
      DestroyAllObjects();
      DestroyAllTextures();
      InvalidateSharedDeviceObjects();
      SetDevice(nullptr);
    }
    ResetPaksForTest();
    GLTest::TearDown();
  }
  gfx::Image DrawFrame(const std::string& capture) {
    Begin(0xFF000000);
    RenderAllObjects(dev);
    End();
    return Read(capture);
  }
};

TEST_F(PuzzleRender, TickIsWrittenInFromTheLeft) {
  auto* scene = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  auto* box = new CPuzzleCheckbox(ScreenRect(96, 56, 224, 184), 1.0f, scene);
  UpdateAllObjects(1.0f, 0.02f);
  box->Tick();
  UpdateAllObjects(1.45f, 0.45f);
  const gfx::Image half = DrawFrame("puzzle_tick_half.png");
  UpdateAllObjects(2.5f, 1.05f);
  const gfx::Image full = DrawFrame("puzzle_tick_full.png");
  // The ink's down-stroke (left part) shows in both; its long up-stroke (right part) only at the end.
  int leftSame = 0, rightChanged = 0;
  for (int y = 60; y < 180; ++y) {
    for (int x = 100; x < 150; ++x) leftSame += At(half, x, y) == At(full, x, y);
    for (int x = 180; x < 220; ++x) rightChanged += At(half, x, y) != At(full, x, y);
  }
  EXPECT_GT(leftSame, 50 * 120 * 9 / 10);
  EXPECT_GT(rightChanged, 100);
  // Red ink at the stroke's turn, ivory in the empty corner.
  const uint32_t ink = At(full, 148, 158), ivory = At(full, 200, 160);
  EXPECT_GT(int((ink >> 16) & 255), 2 * int((ink >> 8) & 255));
  EXPECT_GT(Brightness(ivory), 3 * 180);
}

TEST_F(PuzzleRender, PatchShowsOnlyItsPartOfTheScenePicture) {
  auto* scene = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  // The desk's lamp shade at the top left of the jigsaw background, shown where it belongs.
  new CPuzzlePatch(scene, ScreenRect(0, 0, 256, 192), "Puzzles\\WarehouseJigsaw\\Background.jpg", 0);
  const gfx::Image img = DrawFrame("puzzle_patch.png");
  const uint32_t shade = At(img, 32, 30);
  EXPECT_GT(Brightness(shade), 60);
  EXPECT_GT(int((shade >> 8) & 255), int((shade >> 16) & 255));  // green
  EXPECT_EQ(Brightness(At(img, 120, 100)), 0);                   // outside the patch: nothing drawn
}

TEST_F(PuzzleRender, PianoTubeFillsFromItsFootAndTheRollWrapsRoundItsWindow) {
  auto* scene = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  auto* tube = new CPlayerPianoProgress(scene, ScreenRect(20, 20, 100, 225), 1.0f);
  auto* roll = new CPianoRoll(scene, ScreenRect(140, 60, 300, 140), 1.0f);
  const gfx::Image empty = DrawFrame("piano_tube_empty.png");
  tube->SetRatio(0.5f);
  // Most of a turn: the window shows the end of the paper and its start below it.
  roll->SetTurning(true);
  UpdateAllObjects(22.0f, 22.0f);
  const gfx::Image half = DrawFrame("piano_tube_half_roll_wrapped.png");
  EXPECT_NEAR(roll->GetOffset(), 22.0f / 25.0f, 1e-4f);
  // The glass low in the tube lights up, high in it stays as it was.
  const int low = 190, high = 50;
  EXPECT_GT(Brightness(At(half, 60, low)), Brightness(At(empty, 60, low)) + 150);
  EXPECT_EQ(At(half, 60, high), At(empty, 60, high));
  // Paper shows across the whole window, both above and below the seam.
  auto row = [&](int y) {
    int sum = 0;
    for (int x = 150; x < 290; ++x) sum += Brightness(At(half, x, y));
    return sum / 140;
  };
  EXPECT_GT(row(66), 250);
  EXPECT_GT(row(134), 250);
}

}  // namespace
