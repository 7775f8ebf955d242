// The final pass (letterbox and gamma), device reset, mip chains and resource lifetime on GL.
#include <cstring>
#include <vector>

#include "render/gl_fixture.h"
#include "support/test_env.h"

namespace rendertest {
namespace {

using namespace gfx;

class Present : public GLTest {};

TEST_F(Present, FinalPassLetterboxesAndAppliesTheGammaRampOnlyThere) {
  // A wide window: the 4:3 image is 133 x 100, centred, with black bars left and right.
  if (!Open(200, 100, kWidth, kHeight)) {
    GTEST_SKIP() << "no OpenGL 3.3 core context available";
  }
  Begin(0xFF204060u);
  RhwRect(0, 0, 80, 120, 0xFF00FF00u);
  End();
  GammaRamp ramp;
  for (int i = 0; i < 256; ++i) ramp.red[i] = ramp.green[i] = ramp.blue[i] = uint16_t((255 - i) * 257);
  dev->SetGammaRamp(ramp, false);
  GammaRamp back;
  dev->GetGammaRamp(back);
  EXPECT_EQ(back.green[10], ramp.green[10]);

  Image bb = Read();
  EXPECT_TRUE(ColorNear(At(bb, 120, 60), 0x204060)) << "gamma must not touch the back buffer";

  Image win;
  ASSERT_TRUE(dev->ReadWindowImage(win));
  SavePng(testenv::CapturePath("render_gamma_letterbox.png"), win);
  ASSERT_EQ(win.width, 200);
  ASSERT_EQ(win.height, 100);
  EXPECT_TRUE(ColorNear(At(win, 5, 50), 0x000000));    // left bar
  EXPECT_TRUE(ColorNear(At(win, 194, 50), 0x000000));  // right bar
  EXPECT_TRUE(ColorNear(At(win, 50, 50), 0xFF00FF));   // inverted green
  EXPECT_TRUE(ColorNear(At(win, 150, 50), 0xDFBF9F));  // inverted background
  EXPECT_TRUE(ColorNear(At(win, 150, 0), 0xDFBF9F));   // the image reaches the top and bottom
  EXPECT_TRUE(ColorNear(At(win, 150, 99), 0xDFBF9F));
  EXPECT_EQ(dev->Present(), S_OK);
}

TEST_F(Present, OneToOneWindowShowsTheBackBufferExactly) {
  Begin(0xFF102030u);
  RhwRect(10, 10, 11, 11, 0xFFFFFFFFu);  // a single pixel survives unscaled
  End();
  Image win;
  ASSERT_TRUE(dev->ReadWindowImage(win));
  ASSERT_EQ(win.width, kWidth);
  EXPECT_TRUE(ColorNear(At(win, 10, 10), 0xFFFFFF, 0));
  EXPECT_TRUE(ColorNear(At(win, 11, 10), 0x102030, 0));
  EXPECT_TRUE(ColorNear(At(win, 9, 10), 0x102030, 0));
}

TEST_F(Present, ResetResizesTheTargetRestoresDefaultsAndKeepsResources) {
  const uint32_t px = 0xFF00C0FFu;
  Texture* tex = MakeTexture(1, 1, &px);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetTexture(0, tex);
  ASSERT_EQ(dev->Reset(80, 60, true), S_OK);
  int w = 0, h = 0;
  dev->BackBufferSize(w, h);
  EXPECT_EQ(w, 80);
  EXPECT_EQ(h, 60);
  uint32_t v = 1;
  dev->GetRenderState(RS_ALPHABLENDENABLE, &v);
  EXPECT_EQ(v, 0u);
  Viewport vp;
  dev->GetViewport(&vp);
  EXPECT_EQ(vp.width, 80u);
  EXPECT_EQ(vp.height, 60u);

  Begin();
  dev->SetTexture(0, tex);  // the reset dropped the binding, not the texture
  RhwRect(0, 0, 80, 60, 0xFFFFFFFFu);
  End();
  dev->SetTexture(0, nullptr);
  tex->Release();
  Image img = Read("render_after_reset.png");
  ASSERT_EQ(img.width, 80);
  ASSERT_EQ(img.height, 60);
  EXPECT_TRUE(ColorNear(At(img, 79, 59), 0x00C0FF));
}

TEST_F(Present, FullMipChainAveragesWhenMinifiedSingleLevelDoesNot) {
  std::vector<uint32_t> checker(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) checker[y * 64 + x] = ((x + y) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
  Texture* mipped = MakeTexture(64, 64, checker.data(), 0);
  Texture* flat = MakeTexture(64, 64, checker.data(), 1);
  EXPECT_EQ(mipped->Levels(), 7);
  EXPECT_EQ(flat->Levels(), 1);
  Begin(0xFF0000FFu);
  dev->SetTextureStageState(0, TSS_MINFILTER, TEXF_LINEAR);
  dev->SetTextureStageState(0, TSS_MAGFILTER, TEXF_LINEAR);
  dev->SetTextureStageState(0, TSS_MIPFILTER, TEXF_LINEAR);
  dev->SetTexture(0, mipped);
  RhwRect(0, 0, 4, 4, 0xFFFFFFFFu);
  dev->SetTextureStageState(0, TSS_MINFILTER, TEXF_POINT);
  dev->SetTextureStageState(0, TSS_MIPFILTER, TEXF_NONE);
  dev->SetTexture(0, flat);
  RhwRect(8, 0, 12, 4, 0xFFFFFFFFu);
  End();
  dev->SetTexture(0, nullptr);
  mipped->Release();
  flat->Release();
  Image img = Read();
  EXPECT_TRUE(ColorNear(At(img, 1, 1), 0x808080, 12));
  uint32_t sharp = At(img, 9, 1) & 0xFFFFFF;
  EXPECT_TRUE(sharp == 0 || sharp == 0xFFFFFF) << std::hex << sharp;
}

TEST_F(Present, ReleasedTextureStaysUsableWhileBoundAndIsFreedWhenUnbound) {
  const uint32_t px = 0xFFFF8000u;
  Texture* tex = MakeTexture(1, 1, &px);
  EXPECT_EQ(dev->LiveResourceCount(), 1);
  dev->SetTexture(0, tex);
  EXPECT_EQ(tex->Release(), 0u);
  EXPECT_EQ(dev->LiveResourceCount(), 0);
  Begin();
  RhwRect(0, 0, 10, 10, 0xFFFFFFFFu);
  End();
  dev->SetTexture(0, nullptr);
  Image img = Read();
  EXPECT_TRUE(ColorNear(At(img, 5, 5), 0xFF8000));
}

TEST_F(Present, DeviceReleasedBeforeItsResourcesLeavesThemSafeToRelease) {
  VertexBuffer* vb = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(64, FVF_POS_UV, &vb), S_OK);
  const uint32_t px = 0xFFFFFFFFu;
  Texture* tex = MakeTexture(1, 1, &px);
  dev->SetTexture(0, tex);
  dev->Release();
  dev = nullptr;
  void* p = nullptr;
  EXPECT_EQ(vb->Lock(0, 0, &p), S_OK);
  EXPECT_EQ(vb->Unlock(), S_OK);
  EXPECT_EQ(vb->Release(), 0u);
  EXPECT_EQ(tex->Release(), 0u);
}

}  // namespace
}  // namespace rendertest
