// Texture stages, alpha test, blending, depth and point sprites.
#include <cstring>
#include <vector>

#include "render/gl_fixture.h"

namespace rendertest {
namespace {

using namespace gfx;

uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

// Red, green / blue, white: tells the four corners of a picture apart.
const uint32_t kQuadrants[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};

class Pipeline : public GLTest {
 protected:
  void PointFilter(int stage = 0) {
    dev->SetTextureStageState(stage, TSS_MINFILTER, TEXF_POINT);
    dev->SetTextureStageState(stage, TSS_MAGFILTER, TEXF_POINT);
    dev->SetTextureStageState(stage, TSS_ADDRESSU, TADDRESS_CLAMP);
    dev->SetTextureStageState(stage, TSS_ADDRESSV, TADDRESS_CLAMP);
  }
};

TEST_F(Pipeline, TextureModulatesTheVertexColourAndKeepsItsTopRowAtTheTop) {
  Texture* tex = MakeTexture(2, 2, kQuadrants);
  Begin();
  PointFilter();
  dev->SetTexture(0, tex);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
  dev->SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
  RhwRect(0, 0, 80, 60, 0xFF808080u);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG1);
  RhwRect(80, 60, 160, 120, 0xFF808080u);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_ADD);
  RhwRect(80, 0, 160, 60, 0xFF404040u);
  // A null texture samples opaque white, so modulate leaves the vertex colour.
  dev->SetTexture(0, nullptr);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
  RhwRect(0, 60, 80, 120, 0xFF336699u);
  End();
  tex->Release();
  Image img = Read("render_texture_modulate.png");
  EXPECT_TRUE(ColorNear(At(img, 20, 15), 0x800000));
  EXPECT_TRUE(ColorNear(At(img, 60, 15), 0x008000));
  EXPECT_TRUE(ColorNear(At(img, 20, 45), 0x000080));
  EXPECT_TRUE(ColorNear(At(img, 60, 45), 0x808080));
  EXPECT_TRUE(ColorNear(At(img, 100, 75), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 140, 105), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 100, 15), 0xFF4040));  // add saturates
  EXPECT_TRUE(ColorNear(At(img, 40, 90), 0x336699));
}

TEST_F(Pipeline, SecondStageCombinesWithTheFirstStagesResult) {
  const uint32_t grey = 0xFF808080u;
  Texture* red = MakeTexture(1, 1, &kQuadrants[0]);
  Texture* halfGrey = MakeTexture(1, 1, &grey);
  Begin();
  dev->SetTexture(0, red);
  dev->SetTexture(1, halfGrey);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG1);
  dev->SetTextureStageState(1, TSS_COLOROP, TOP_MODULATE);
  dev->SetTextureStageState(1, TSS_COLORARG1, TA_TEXTURE);
  dev->SetTextureStageState(1, TSS_COLORARG2, TA_CURRENT);
  RhwRect(0, 0, 40, 40, 0xFFFFFFFFu);
  // Disabling stage 1 ends the cascade there.
  dev->SetTextureStageState(1, TSS_COLOROP, TOP_DISABLE);
  RhwRect(40, 0, 80, 40, 0xFFFFFFFFu);
  End();
  dev->SetTexture(0, nullptr);
  dev->SetTexture(1, nullptr);
  red->Release();
  halfGrey->Release();
  Image img = Read();
  EXPECT_TRUE(ColorNear(At(img, 20, 20), 0x800000));
  EXPECT_TRUE(ColorNear(At(img, 60, 20), 0xFF0000));
}

TEST_F(Pipeline, AlphaTestDiscardsBelowTheReference) {
  // Alpha 7 on the left, 8 on the right; reference 8 with greater-or-equal, as the game sets it.
  const uint32_t px[2] = {0x07FFFFFFu, 0x08FFFFFFu};
  Texture* tex = MakeTexture(2, 1, px);
  Begin();
  PointFilter();
  dev->SetTexture(0, tex);
  dev->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
  dev->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
  dev->SetRenderState(RS_ALPHATESTENABLE, 1);
  dev->SetRenderState(RS_ALPHAREF, 8);
  dev->SetRenderState(RS_ALPHAFUNC, CMP_GREATEREQUAL);
  RhwRect(0, 0, 80, 40, 0xFFFFFFFFu);
  dev->SetRenderState(RS_ALPHAFUNC, CMP_LESS);
  RhwRect(0, 40, 80, 80, 0xFFFFFFFFu);
  End();
  dev->SetTexture(0, nullptr);
  tex->Release();
  Image img = Read("render_alpha_test.png");
  EXPECT_TRUE(ColorNear(At(img, 20, 20), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 60, 20), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 20, 60), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 60, 60), 0x000000));
}

TEST_F(Pipeline, AdditiveAndAlphaBlending) {
  Begin(0xFF404040u);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetRenderState(RS_SRCBLEND, BLEND_ONE);
  dev->SetRenderState(RS_DESTBLEND, BLEND_ONE);
  RhwRect(0, 0, 40, 40, 0xFF206080u);
  RhwRect(20, 0, 40, 40, 0xFFFFFFFFu);  // saturates
  dev->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
  dev->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
  // The default alpha stage selects the (white) texture alpha; take the vertex alpha too.
  dev->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
  RhwRect(40, 0, 80, 40, 0x80FF0000u);
  // Blending off: the source replaces whatever its alpha.
  dev->SetRenderState(RS_ALPHABLENDENABLE, 0);
  RhwRect(80, 0, 120, 40, 0x1000FF00u);
  End();
  Image img = Read("render_blending.png");
  EXPECT_TRUE(ColorNear(At(img, 10, 20), 0x60A0C0));
  EXPECT_TRUE(ColorNear(At(img, 30, 20), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 60, 20), 0xA02020, 4));
  EXPECT_TRUE(ColorNear(At(img, 100, 20), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 140, 20), 0x404040));
}

TEST_F(Pipeline, DepthTestWriteAndFunction) {
  Begin();
  // Default state: test on, less-or-equal, writes on.
  RhwRect(0, 0, 40, 40, 0xFFFF0000u, 0.2f);
  RhwRect(0, 0, 40, 40, 0xFF00FF00u, 0.8f);  // behind: hidden
  // Without depth writes a nearer quad shows but leaves the depth as it was.
  dev->SetRenderState(RS_ZWRITEENABLE, 0);
  RhwRect(40, 0, 80, 40, 0xFFFF0000u, 0.2f);
  RhwRect(40, 0, 80, 40, 0xFF0000FFu, 0.5f);  // passes: nothing was written
  dev->SetRenderState(RS_ZWRITEENABLE, 1);
  RhwRect(80, 0, 120, 40, 0xFFFF0000u, 0.2f);
  dev->SetRenderState(RS_ZFUNC, CMP_ALWAYS);
  RhwRect(80, 0, 120, 40, 0xFF00FF00u, 0.9f);
  dev->SetRenderState(RS_ZFUNC, CMP_LESSEQUAL);
  RhwRect(120, 0, 160, 40, 0xFFFF0000u, 0.2f);
  dev->SetRenderState(RS_ZENABLE, 0);
  RhwRect(120, 0, 160, 40, 0xFFFFFF00u, 0.9f);
  // The screen-depth 1.0 that the particle and loading-screen vertices use still draws.
  dev->SetRenderState(RS_ZENABLE, 1);
  RhwRect(0, 60, 40, 100, 0xFFFFFFFFu, 1.0f);
  End();
  Image img = Read("render_depth.png");
  EXPECT_TRUE(ColorNear(At(img, 20, 20), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 60, 20), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 100, 20), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 140, 20), 0xFFFF00));
  EXPECT_TRUE(ColorNear(At(img, 20, 80), 0xFFFFFF));
}

TEST_F(Pipeline, PointSpritesAreTexturedSquaresClampedInSize) {
  Texture* tex = MakeTexture(2, 2, kQuadrants);
  Begin();
  PointFilter();
  dev->SetRenderState(RS_ZENABLE, 0);
  dev->SetRenderState(RS_POINTSPRITEENABLE, 1);
  dev->SetTexture(0, tex);
  dev->SetVertexShader(FVF_RHW_PSIZE_COLOR);
  VertexRhwPsizeColor pts[2] = {{40, 40, 1, 1, 10, 0xFFFFFFFFu}, {120, 60, 1, 1, 200, 0xFFFFFFFFu}};
  VertexBuffer* vb = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(sizeof pts, FVF_RHW_PSIZE_COLOR, &vb), S_OK);
  void* p = nullptr;
  ASSERT_EQ(vb->Lock(0, 0, &p), S_OK);
  std::memcpy(p, pts, sizeof pts);
  vb->Unlock();
  dev->SetStreamSource(0, vb, 24);
  ASSERT_EQ(dev->DrawPrimitive(PT_POINTLIST, 0, 1), S_OK);
  dev->SetTexture(0, nullptr);
  ASSERT_EQ(dev->DrawPrimitive(PT_POINTLIST, 1, 1), S_OK);  // 200 pixels asked, 64 drawn
  dev->SetStreamSource(0, nullptr, 0);
  End();
  vb->Release();
  tex->Release();
  Image img = Read("render_point_sprites.png");
  // A 10-pixel sprite centred on (40, 40) covers pixels 35..44, its picture upright.
  EXPECT_TRUE(ColorNear(At(img, 35, 35), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 44, 35), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 35, 44), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 44, 44), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 34, 40), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 45, 40), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 40, 45), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 88, 60), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 151, 60), 0xFFFFFF));
  EXPECT_TRUE(ColorNear(At(img, 87, 60), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 152, 60), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 120, 27), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 120, 28), 0xFFFFFF));
}

TEST_F(Pipeline, PointSizeFromTheRenderStateAndItsLimits) {
  struct Pt {
    float x, y, z, rhw;
    uint32_t color;
  };
  Begin();
  dev->SetRenderState(RS_ZENABLE, 0);
  dev->SetVertexShader(FVF_XYZRHW | FVF_DIFFUSE);
  dev->SetRenderState(RS_POINTSIZE, FloatBits(4.0f));
  Pt a[2] = {{20, 20, 0.5f, 1, 0xFFFF0000u}, {40, 20, 0.5f, 1, 0xFF00FF00u}};
  ASSERT_EQ(dev->DrawPrimitiveUP(PT_POINTLIST, 2, a, sizeof a[0]), S_OK);
  dev->SetRenderState(RS_POINTSIZE, FloatBits(50.0f));
  dev->SetRenderState(RS_POINTSIZE_MAX, FloatBits(8.0f));
  Pt b = {100, 60, 0.5f, 1, 0xFF0000FFu};
  ASSERT_EQ(dev->DrawPrimitiveUP(PT_POINTLIST, 1, &b, sizeof b), S_OK);
  End();
  Image img = Read("render_point_size.png");
  EXPECT_TRUE(ColorNear(At(img, 18, 18), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 21, 21), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 22, 20), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 41, 21), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 96, 56), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 103, 63), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 104, 60), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 95, 60), 0x000000));
}

}  // namespace
}  // namespace rendertest
