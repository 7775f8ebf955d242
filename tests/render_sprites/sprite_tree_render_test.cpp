// Sprites drawn by the GL backend and checked by pixels; the frames are kept as captures.
#include <gtest/gtest.h>

#include <functional>

#include "app/shared_device_objects.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "render/gl_fixture.h"
#include "scene/camera.h"
#include "scene/sprite.h"
#include "scene/sprite_animator.h"
#include "support/test_env.h"

namespace {

constexpr int kW = 400, kH = 300;
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr uint32_t kBackground = 0xFF202040;

std::vector<uint8_t> Tga(int w, int h, const std::function<uint32_t(int, int)>& pixel) {
  std::vector<uint8_t> out(18, 0);
  out[2] = 2;
  out[12] = uint8_t(w), out[14] = uint8_t(h);
  out[16] = 32;
  out[17] = 0x28;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixel(x, y);
      out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
    }
  return out;
}

class SpriteRenderTest : public rendertest::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    if (IsSkipped() || !Open(kW, kH, kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    std::vector<uint8_t> archive;
    // Quadrants: red top left, green top right, blue bottom left, white bottom right.
    auto quadrants = [](int x, int y) { return y < 8 ? (x < 8 ? kRed : kGreen) : (x < 8 ? kBlue : kWhite); };
    pak::BuildArchive({{"Art\\Quadrants.tga", Tga(16, 16, quadrants)},
                       {"Art\\White.tga", Tga(4, 4, [](int, int) { return kWhite; })},
                       {"Art\\Red.tga", Tga(4, 4, [](int, int) { return kRed; })}},
                      3, archive);
    const std::string root = testenv::MakeTempDir("render-sprites");
    os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
    ResetPaksForTest();
    os::SetDataRoot(root);

    // What the shell's restore step sets up before drawing anything.
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
    DestroyAllObjects();
    DestroyAllTextures();
    InvalidateSharedDeviceObjects();
    SetDevice(nullptr);
    GLTest::TearDown();
  }
  gfx::Image DrawFrame(const std::string& capture) {
    Begin(0xFF000000);
    RenderAllObjects(dev);
    End();
    return Read(capture);
  }
};

}  // namespace

TEST_F(SpriteRenderTest, TreeWithTurnsMirrorsTintsOpacityAndGlow) {
  auto* background = new CSprite(ScreenRect(0, 0, kW, kH), 0, "Art\\White.tga", nullptr);
  background->SetColor(kBackground);
  new CSprite(ScreenRect(20, 20, 100, 100), 1, "Art\\Quadrants.tga", background);
  auto* mirrored = new CSprite(ScreenRect(140, 20, 220, 100), 1, "Art\\Quadrants.tga", background);
  mirrored->AddFlags(kSpriteMirror);
  auto* flipped = new CSprite(ScreenRect(260, 20, 340, 100), 1, "Art\\Quadrants.tga", background);
  flipped->AddFlags(kSpriteFlip);

  // A frame turned a quarter clockwise, carrying a child that sits in its right half.
  auto* turned = new CSprite(ScreenRect(20, 120, 100, 200), 1, "Art\\Quadrants.tga", background);
  auto* rider = new CSprite(ScreenRect(85, 155, 95, 165), 2, "Art\\Red.tga", turned);
  turned->SetAngle(1.5707964f);

  auto* tinted = new CSprite(ScreenRect(140, 120, 220, 200), 1, "Art\\White.tga", background);
  tinted->SetColor(0xFFFF8000);
  tinted->SetOpacity(0.5f);
  auto* glow = new CSprite(ScreenRect(260, 120, 340, 200), 1, "Art\\White.tga", background);
  glow->SetColor(0xFF404040);
  glow->SetOpacity(0.5f);
  glow->AddFlags(kSpriteAdditive);

  const gfx::Image img = DrawFrame("sprites_tree.png");
  ASSERT_EQ(img.width, kW);
  // Plain quadrants, and the rectangle's edges exactly where the rectangle says.
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 40), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 80, 40), kGreen, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 80), kBlue, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 80, 80), kWhite, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 20, 20), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 99, 99), kWhite, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 19, 20), kBackground, 3));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 100, 99), kBackground, 3));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 100), kBackground, 3));
  // Mirrored: left and right swap. Flipped: top and bottom swap.
  EXPECT_TRUE(rendertest::ColorNear(At(img, 160, 40), kGreen, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 200, 40), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 280, 40), kBlue, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 280, 80), kRed, 8));
  // A quarter turn clockwise: the picture's top-left corner goes to the top right.
  EXPECT_TRUE(rendertest::ColorNear(At(img, 80, 140), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 140), kBlue, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 80, 180), kGreen, 8));
  // The rider was right of the frame's centre; turned with it, it is below the centre.
  EXPECT_TRUE(rendertest::ColorNear(At(img, 60, 190), kRed, 8));
  EXPECT_FALSE(rendertest::ColorNear(At(img, 90, 160), kRed, 40));
  EXPECT_NEAR(rider->GetScreenRect().CenterY(), 190, 1e-3);
  // Orange tint at half opacity over the background; additive grey at half strength.
  EXPECT_TRUE(rendertest::ColorNear(At(img, 180, 160), 0xFF8F5020, 4));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 300, 160), 0xFF404060, 4));
}

TEST_F(SpriteRenderTest, AnimatedSpriteMovesAndFadesFrameByFrame) {
  auto* background = new CSprite(ScreenRect(0, 0, kW, kH), 0, "Art\\White.tga", nullptr);
  background->SetColor(kBackground);
  auto* mover = new CSprite(ScreenRect(20, 220, 60, 260), 1, "Art\\Red.tga", background);
  const ScreenRect dest(340, 220, 380, 260, 3.1415927f);
  new CSpriteAnimator(mover, kAnimMove, 2.0f, 0, &dest);
  auto* fader = new CSprite(ScreenRect(180, 20, 220, 60), 1, "Art\\White.tga", background);
  new CSpriteAnimator(fader, kAnimFadeIn, 2.0f, 0);

  gfx::Image img = DrawFrame("sprites_anim_0.png");
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 240), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 200, 40), kBackground, 3));

  UpdateAllObjects(1.0f, 1.0f);
  img = DrawFrame("sprites_anim_1.png");
  EXPECT_TRUE(rendertest::ColorNear(At(img, 40, 240), kBackground, 3));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 200, 240), kRed, 8));  // half way, half turned
  EXPECT_TRUE(rendertest::ColorNear(At(img, 200, 40), 0xFF908FA0, 4));

  UpdateAllObjects(2.0f, 1.0f);
  img = DrawFrame("sprites_anim_2.png");
  EXPECT_TRUE(rendertest::ColorNear(At(img, 360, 240), kRed, 8));
  EXPECT_TRUE(rendertest::ColorNear(At(img, 200, 40), kWhite, 3));
  EXPECT_EQ(mover->IsAnimating(), 0);
}
