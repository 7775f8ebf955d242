// Every effect drawn by the GL backend over a painted street whose sky is transparent, alone and
// all together; the frames are kept as captures under build/test-captures/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/shared_device_objects.h"
#include "core/random.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "effects/clouds.h"
#include "effects/effects_shared.h"
#include "effects/fire_effect.h"
#include "effects/fire_halo.h"
#include "effects/light_glare.h"
#include "effects/night_sky.h"
#include "effects/particle_trail.h"
#include "effects/smoke_effect.h"
#include "effects/sparkle.h"
#include "effects/starburst.h"
#include "platform/os/host.h"
#include "render/gl_fixture.h"
#include "scene/camera.h"
#include "support/test_env.h"

namespace {

constexpr int kW = 640, kH = 480;

std::vector<uint8_t> Tga(int w, int h, uint32_t (*pixel)(int, int)) {
  std::vector<uint8_t> out(18, 0);
  out[2] = 2;
  out[12] = uint8_t(w), out[13] = uint8_t(w >> 8), out[14] = uint8_t(h), out[15] = uint8_t(h >> 8);
  out[16] = 32;
  out[17] = 0x28;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixel(x, y);
      out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
    }
  return out;
}

// A street at night in 256 x 192: roofs with chimneys and lit windows against a transparent sky,
// cobbles below. Everything above the roofline lets the sky effects show through.
uint32_t Street(int x, int y) {
  const int roof = 70 + int(18 * std::sin(x * 0.05)) + ((x / 40) % 2) * 14;
  const bool chimney = (x % 64 > 30 && x % 64 < 38) && y > roof - 16;
  if (y < roof && !chimney) return 0x00000000;
  if (y > 160) return ((x / 8 + y / 6) % 2) ? 0xFF3A3430 : 0xFF443C36;  // cobbles
  const bool window = (x % 24 > 8 && x % 24 < 18) && (y % 30 > 10 && y % 30 < 24) && y > roof + 6;
  if (window) return 0xFFE8B860;
  return (x / 40) % 2 ? 0xFF5A3A2E : 0xFF4A3A44;  // brick fronts
}

class EffectsRenderTest : public rendertest::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    if (IsSkipped() || !Open(kW, kH, kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    std::vector<pak::MemberSource> members;
    const std::string stage = testenv::BuildDir() + "/stage/Textures/";
    for (int k = 0; k < effects::kSharedTextureCount; ++k) {
      std::string name = effects::SharedTextureName(effects::SharedTextureKind(k));
      std::string path = name;
      std::replace(path.begin(), path.end(), '\\', '/');
      std::vector<uint8_t> bytes;
      if (!os::ReadFile(stage + path, bytes)) GTEST_SKIP() << "art not built: " << stage + path;
      members.push_back({name, bytes});
    }
    std::vector<uint8_t> smoke;
    if (!os::ReadFile(stage + "Effects/Smoke.png", smoke)) GTEST_SKIP() << "art not built";
    members.push_back({"Effects\\Smoke.png", smoke});
    members.push_back({"Art\\Street.tga", Tga(256, 192, Street)});
    members.push_back({"Art\\Plain.tga", Tga(4, 4, [](int, int) { return 0xFF806040u; })});
    std::vector<uint8_t> archive;
    ASSERT_TRUE(pak::BuildArchive(members, 5, archive));
    const std::string root = testenv::MakeTempDir("render-effects");
    os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
    ResetPaksForTest();
    os::SetDataRoot(root);

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
    SeedRandom(3);
    UpdateAllObjects(0.0f, 0.0f);
  }
  void TearDown() override {
    DestroyAllObjects();
    InvalidateSharedDeviceObjects();
    effects::ResetEffectsSharedObjects();
    DestroyAllTextures();
    SetDevice(nullptr);
    GLTest::TearDown();
  }
  // Runs the clock from `from` to `to` in 60 Hz frames.
  void RunTo(float from, float to) {
    for (float t = from; t <= to; t += 1.0f / 60.0f) UpdateAllObjects(t, 1.0f / 60.0f);
  }
  gfx::Image DrawFrame(const std::string& capture, uint32_t clear = 0xFF000000) {
    Begin(clear);
    RenderAllObjects(dev);
    End();
    return Read(capture);
  }
  // The street, or a plain dark backdrop, as the environment at depth 0.
  CSprite* Backdrop(bool street = true) {
    auto* bg =
        new CSprite(ScreenRect(0, 0, kW, kH), 0, street ? "Art\\Street.tga" : "Art\\Plain.tga", nullptr);
    if (!street) bg->SetColor(0xFF201820);
    return bg;
  }
  static int Luma(uint32_t p) { return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF); }
  static int Red(uint32_t p) { return int((p >> 16) & 0xFF); }
  static int Blue(uint32_t p) { return int(p & 0xFF); }
  // Pixels in the box brighter than the threshold (sum of channels).
  int BrightPixels(const gfx::Image& img, int l, int t, int r, int b, int threshold) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += Luma(At(img, x, y)) > threshold ? 1 : 0;
    return n;
  }
};

TEST_F(EffectsRenderTest, FireRisesWarmInsideItsRectangle) {
  CSprite* bg = Backdrop(false);
  new CFireEffect(bg, ScreenRect(448, 400, 576, 700));  // reference frame: x 280..360, y 250..437
  RunTo(0, 1.0f);
  const gfx::Image img = DrawFrame("effects_fire.png");
  // Warm: red over blue inside the flames, nothing far outside them.
  const uint32_t core = At(img, 320, 380);
  EXPECT_GT(Red(core), 120);
  EXPECT_GT(Red(core), Blue(core) + 60);
  EXPECT_LT(BrightPixels(img, 0, 0, 150, kH, 120), 5);
}

TEST_F(EffectsRenderTest, SmokeRisesAsGreyPuffs) {
  CSprite* bg = Backdrop(false);
  SmokeParams p;
  p.originX = 512, p.originY = 600, p.width = 200, p.height = 400;
  new CSmokeEffect(bg, p);
  RunTo(0, 2.0f);
  const gfx::Image img = DrawFrame("effects_smoke.png");
  // Grey, above the origin (y 375), not below it.
  const uint32_t puff = At(img, 320, 300);
  EXPECT_GT(Luma(puff), Luma(0xFF201820) + 40);
  EXPECT_LT(std::abs(Red(puff) - Blue(puff)), 40);
  EXPECT_GT(BrightPixels(img, 220, 100, 420, 370, 250), BrightPixels(img, 220, 400, 420, 480, 250) + 100);
}

TEST_F(EffectsRenderTest, HaloTrailSparkleAndStarburst) {
  CSprite* bg = Backdrop(false);
  auto* button = new CSprite(ScreenRect(60, 200, 140, 280), 1, "Art\\Plain.tga", bg);
  new CFireHalo(button);
  auto* flyer = new CSprite(ScreenRect(230, 230, 250, 250), 1, "Art\\Plain.tga", bg);
  new CParticleTrail(flyer, TrailParams{30, 0.75f, 0.3f, 0xFFE0E0FF, 0.06f});
  auto* object = new CSprite(ScreenRect(380, 200, 460, 280), 1, "Art\\Plain.tga", bg);
  auto* emitter = new CSparkleEmitter(object);
  auto* balloon = new CSprite(ScreenRect(520, 200, 600, 280), 1, "Art\\Plain.tga", bg);
  RunTo(0, 0.5f);
  new CSparkleSprite(emitter);
  new CStarburst(balloon, bg);
  // The flyer moves to the right; its trail stays behind it.
  for (int f = 0; f < 30; ++f) {
    flyer->SetScreenRect(ScreenRect(230 + f * 3.0f, 230, 250 + f * 3.0f, 250));
    UpdateAllObjects(0.5f + f / 60.0f, 1.0f / 60.0f);
  }
  const gfx::Image img = DrawFrame("effects_halo_trail_sparkle_starburst.png");
  EXPECT_GT(BrightPixels(img, 20, 160, 180, 320, 200), 200);   // halo ring around the button
  EXPECT_GT(BrightPixels(img, 200, 180, 330, 300, 200), 100);  // trail
  EXPECT_GT(BrightPixels(img, 480, 150, 640, 330, 200), 200);  // starburst
}

TEST_F(EffectsRenderTest, CloudsShowThroughTheTransparentSky) {
  CSprite* bg = Backdrop();
  new CClouds(bg, ScreenRect(0, 0, 1024, 408), "Clouds\\Clouds02.jpg");
  UpdateAllObjects(30.0f, 0.0f);
  const gfx::Image img = DrawFrame("effects_clouds.png");
  // Sky pixels carry the picture, not the black clear colour; the street stays in front.
  EXPECT_GT(Luma(At(img, 320, 20)), 150);
  EXPECT_TRUE(rendertest::ColorNear(At(img, 320, 470), 0x3A3430, 20) ||
              rendertest::ColorNear(At(img, 320, 470), 0x443C36, 20));
}

TEST_F(EffectsRenderTest, NightSkyIsDarkWithStars) {
  CSprite* bg = Backdrop();
  auto* sky = new CNightSky(bg, ScreenRect(0, 0, 1024, 400));
  EXPECT_EQ(sky->Fill().StarCount(), int(750.0 * 400 / 768));
  UpdateAllObjects(4.0f, 0.0f);
  const gfx::Image img = DrawFrame("effects_night_sky.png");
  // Mostly dark blue, with a scattering of bright star points.
  int dark = 0, stars = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint32_t p = At(img, x, y);
      dark += Luma(p) < 200 && Blue(p) >= Red(p) ? 1 : 0;
      stars += Luma(p) > 450 ? 1 : 0;
    }
  EXPECT_GT(dark, kW * 100 * 7 / 10);
  EXPECT_GT(stars, 30);
}

TEST_F(EffectsRenderTest, GlareWithMotes) {
  CSprite* bg = Backdrop(false);
  new CLightGlare(bg, ScreenRect(384, 256, 640, 512));
  RunTo(0, 1.0f);
  const gfx::Image img = DrawFrame("effects_glare.png");
  EXPECT_GT(Luma(At(img, 320, 240)), 500);                  // the warm centre
  EXPECT_LT(Luma(At(img, 20, 20)), Luma(0xFF201820) + 10);  // nothing far outside
}

TEST_F(EffectsRenderTest, ShowcaseOfEveryEffectTogether) {
  CSprite* bg = Backdrop();
  new CNightSky(bg, ScreenRect(0, 0, 512, 300));
  new CClouds(bg, ScreenRect(512, 0, 1024, 300), "Clouds\\Clouds02.jpg");
  new CFireEffect(bg, ScreenRect(860, 620, 940, 720), 1.0f);
  SmokeParams smoke;
  smoke.originX = 180, smoke.originY = 170, smoke.width = 80, smoke.height = 220;
  new CSmokeEffect(bg, smoke);
  new CLightGlare(bg, ScreenRect(600, 380, 760, 540));
  auto* button = new CSprite(ScreenRect(40, 400, 100, 460), 1, "Art\\Plain.tga", bg);
  auto* flyer = new CSprite(ScreenRect(300, 420, 316, 436), 1, "Art\\Plain.tga", bg);
  new CParticleTrail(flyer, TrailParams{30, 0.75f, 0.3f, 0xFFE0E0FF, 0.06f});
  auto* object = new CSprite(ScreenRect(160, 400, 220, 460), 1, "Art\\Plain.tga", bg);
  auto* emitter = new CSparkleEmitter(object);
  RunTo(0, 2.5f);
  new CFireHalo(button);
  new CSparkleSprite(emitter);
  new CStarburst(object, bg, nullptr);
  RunTo(2.5f, 2.8f);
  const gfx::Image img = DrawFrame("effects_showcase.png");
  EXPECT_EQ(img.width, kW);
  EXPECT_GT(BrightPixels(img, 0, 0, kW, 150, 150), 1000);  // sky layers seen through the street
}

}  // namespace
