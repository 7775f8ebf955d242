#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "effects/clouds.h"
#include "effects/effects_fixture.h"
#include "effects/light_glare.h"
#include "effects/night_sky.h"
#include "effects/night_sky_fill.h"
#include "effects/particle_trail.h"
#include "effects/sparkle.h"

namespace effectstest {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(StarCount, ProportionalBoundedAndSafe) {
  struct Case {
    float w, h;
    int clientW, clientH;
    int want;
  };
  const Case cases[] = {
      {800, 600, 800, 600, 750},
      {1920, 1080, 1920, 1080, 750},  // whole client, any size
      {400, 300, 800, 600, 187},
      {0, 600, 800, 600, 0},  // a quarter; empty
      {-400, 300, 800, 600, 0},
      {NAN, 300, 800, 600, 0},  // inverted, invalid
      {800, 600, 0, 600, 0},
      {800, 600, 800, 0, 0},                         // client without size
      {1e30f, 1e30f, 800, 600, effects::kMaxStars},  // huge content rectangle
      {1600, 1200, 800, 600, effects::kMaxStars},
  };
  for (const Case& c : cases)
    EXPECT_EQ(effects::StarCountFor(c.w, c.h, c.clientW, c.clientH), c.want) << c.w << " x " << c.h;
}

TEST(StarLooks, HsvSectorsSizeFactorAndCloudWindow) {
  // s = 0.5 half-way through each sector: p = 0.5, q = e = 0.75.
  const uint32_t sectors[6] = {0xFFFFBF7Fu, 0xFFBFFF7Fu, 0xFF7FFFBFu, 0xFF7FBFFFu, 0xFFBF7FFFu, 0xFFFF7FBFu};
  for (int k = 0; k < 6; ++k)
    EXPECT_EQ(effects::HsvStarColor((float(k) + 0.5f) * kPi / 3, 0.5f), sectors[k]) << k;
  EXPECT_EQ(effects::HsvStarColor(2 * kPi, 0.0f), 0xFFFFFFFFu);

  effects::Star star;
  star.baseSize = 0.5f, star.period = 10, star.phase = 0;
  EXPECT_NEAR(effects::StarSizeFactor(star, 1.0f), 1.0f, 1e-5);  // twice the base at f = 0.1
  EXPECT_FLOAT_EQ(effects::StarSizeFactor(star, 2.0f), 0.5f);
  EXPECT_FLOAT_EQ(effects::StarSizeFactor(star, 9.0f), 0.5f);
  star.period = 0;  // a broken record never divides by zero
  EXPECT_FLOAT_EQ(effects::StarSizeFactor(star, 3.0f), 0.5f);

  const effects::CloudWindow wide = effects::SkyCloudWindow(2.0f, 30.0f);
  EXPECT_FLOAT_EQ(wide.u0, 0.5f);
  EXPECT_FLOAT_EQ(wide.u1 - wide.u0, 0.5f);
  EXPECT_FLOAT_EQ(wide.v1, 0.5f);
  const effects::CloudWindow tall = effects::SkyCloudWindow(0.5f, 0.0f);
  EXPECT_FLOAT_EQ(tall.u1 - tall.u0, 0.25f);
  EXPECT_FLOAT_EQ(tall.v1, 1.0f);

  // Venue clouds: a rectangle of the picture's aspect shows its whole width; 100 s is half a drift.
  const effects::DriftWindow a = effects::VenueCloudWindow(2.51f, 0.0f);
  EXPECT_FLOAT_EQ(a.end - a.start, 1.0f);
  const effects::DriftWindow b = effects::VenueCloudWindow(2.51f, 100.0f);
  EXPECT_FLOAT_EQ(a.start - b.start, 0.5f);
}

using Sky = EffectsTest;

TEST_F(Sky, NightSkyFillsItsRectangleWithWrappedCloudsAndRestoredStates) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 800, 600), nullptr, 0);
  auto* sky = new CNightSky(env, ScreenRect(0, 0, 1024, 768));
  EXPECT_EQ(sky->Fill().StarCount(), 750);
  EXPECT_FLOAT_EQ(sky->GetDepth(), -0.01f);
  auto* quarter = new CNightSky(env, ScreenRect(0, 0, 512, 384));
  EXPECT_EQ(quarter->Fill().StarCount(), 187);
  delete quarter;
  // A star sits where its unit-square position says, at full opacity.
  effects::NightSkyFill fill;
  fill.SetStarCount(1);
  fill.MutableStars()[0] = effects::Star{0.5f, -0.5f, 0xFF112233u, 1.0f, 10.0f, 5.0f};
  ASSERT_EQ(fill.Restore(device_, "test"), 0);
  // Something (the loading screen) left clamping on.
  device_->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_CLAMP);
  Rec()->ClearRecords();
  fill.Draw(device_, ScreenRect(0, 0, 400, 200), 0.0f, 0.5f);
  // No textures in this archive: sky and clouds skip, the star buffer is still written.
  EXPECT_TRUE(Rec()->Draws().empty());
  uint32_t u = 0;
  device_->GetTextureStageState(0, gfx::TSS_ADDRESSU, &u);
  EXPECT_EQ(u, gfx::TADDRESS_WRAP);
  EXPECT_TRUE(StatesRestoredAfter(Rec(), 0));
  fill.SetStarCount(0);  // no stars: no zero-length buffer is asked for
  EXPECT_EQ(fill.Restore(device_, "test"), 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(Sky, BufferFailuresShowTheirBoxesAndDrawNothing) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 800, 600), nullptr, 0);
  Rec()->FailNextCreations(gfx::NullDevice::ResourceKind::kVertexBuffer, 1);
  new CClouds(env, ScreenRect(0, 0, 1024, 300), "Clouds\\Clouds02.jpg");
  Rec()->FailNextCreations(gfx::NullDevice::ResourceKind::kVertexBuffer, 1);
  new CNightSky(env, ScreenRect(0, 0, 1024, 300));
  const std::vector<std::string> want = {
      "CClouds::RestoreDeviceObjects()|Failed to create cloud vertex buffer",
      "CNightSky::RestoreDeviceObjects()|Failed to create cloud vertex buffer"};
  EXPECT_EQ(boxes_, want);
  EXPECT_TRUE(RenderFrame().empty());
}

using Glare = EffectsTest;

TEST_F(Glare, MotesTurnGentlyAndHeadHomeFromOutside) {
  effects::Mote m{0.0f, 0.2f, 0.0f, 0.1f, 0.0f};
  float x, y;
  effects::MotePosition(m, 1.0f, x, y);  // moves for 0.2 s at most
  EXPECT_FLOAT_EQ(x, 0.22f);
  for (int i = 0; i < 50; ++i) {
    effects::Mote turn{0.0f, 0.0f, 0.0f, 0.1f, 0.0f};
    effects::StepMote(turn, 0.11f);
    const float heading = std::atan2(turn.velY, turn.velX);
    const float speed = std::hypot(turn.velX, turn.velY);
    EXPECT_LE(std::fabs(heading), 0.31415927f + 1e-5f);  // at most 18 degrees
    EXPECT_GE(speed, 0.1f - 1e-6f);
    EXPECT_LE(speed, 0.2f + 1e-6f);
  }
  // Outside the unit circle: straight back to the centre.
  effects::Mote out{0.0f, 1.5f, 1.5f, 0.1f, 0.1f};
  effects::StepMote(out, 0.15f);
  EXPECT_NEAR(std::atan2(out.velY, out.velX), std::atan2(-out.y, -out.x), 1e-5);
  // Not yet a tenth of a second: unchanged.
  effects::Mote still{1.0f, 0.0f, 0.0f, 0.1f, 0.0f};
  effects::StepMote(still, 1.05f);
  EXPECT_FLOAT_EQ(still.velX, 0.1f);
}

TEST_F(Glare, HalfOpacityDrawsMotesWithAlpha127) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 800, 600), nullptr, 0);
  auto* glare = new CLightGlare(env, ScreenRect(0, 0, 512, 384));
  EXPECT_EQ(glare->GetColor(), 0xFFFFFFA0u);
  EXPECT_EQ(glare->HitTest(), 0);
  EXPECT_EQ(glare->GetCursorKind(), 1);
  for (int i = 0; i < effects::kMoteCount; ++i) {
    const effects::Mote& m = glare->GetMote(i);
    EXPECT_LE(std::hypot(m.x, m.y), 1.0f);
    EXPECT_GE(m.start, 0.0f);
    EXPECT_LE(m.start, 0.1f);
  }
  glare->SetOpacity(0.5f);
  RunFrameAt(0.5f);
  Rec()->ClearRecords();
  glare->Render(device_);
  EXPECT_TRUE(StatesRestoredAfter(Rec(), 0));
  EXPECT_EQ(effects::MoteColor(0.5f), 0x7FFFFF40u);
  EXPECT_EQ(effects::MoteColor(1.0f), 0xFFFFFF40u);
  EXPECT_EQ(effects::MoteColor(2.0f), 0xFFFFFF40u);  // never spills past the alpha byte
}

using Sparkle = EffectsTest;

TEST_F(Sparkle, TwinklesFromDarkToBrightToDarkThenGoes) {
  CSprite* host = MakeHost(ScreenRect(100, 100, 200, 200));
  auto* emitter = new CSparkleEmitter(host);
  const float next = emitter->GetNextSparkleTime();
  EXPECT_GE(next, 6.0f);
  EXPECT_LE(next, 10.0f);
  RunFrameAt(next);
  auto* sparkle = static_cast<CSparkleSprite*>(emitter->FindChild(TypeId::kSparkleSprite));
  ASSERT_NE(sparkle, nullptr);
  EXPECT_FLOAT_EQ(sparkle->GetDepth(), CSparkleSprite::kDepth);
  EXPECT_NEAR(sparkle->GetScreenRect().Height(), 0.015f * kClientH, 1e-3);
  const float birth = sparkle->GetBirth();
  struct Case {
    float t, opacity;
  };
  for (const Case& c : {Case{0.0f, 0.0f}, Case{0.5f, 0.7071f}, Case{1.0f, 1.0f}, Case{1.5f, 0.7071f}}) {
    RunFrameAt(birth + c.t);
    EXPECT_NEAR(sparkle->GetOpacity(), c.opacity, 1e-3) << c.t;
    // Never further than 0.4 parent sizes from the host's centre.
    EXPECT_LE(std::hypot(sparkle->GetOffsetX(), sparkle->GetOffsetY()), 0.4f);
  }
  RunFrameAt(birth + 2.0f);
  EXPECT_EQ(emitter->FindChild(TypeId::kSparkleSprite), nullptr);
}

using TrailList = EffectsTest;

TEST_F(TrailList, StoppedTrailsFadeAndUnlinkInAnyOrder) {
  CSprite* host = MakeHost(ScreenRect(0, 0, 10, 10));
  auto* a = new CParticleTrail(host);
  auto* b = new CParticleTrail(host, TrailParams{0, -1, 0.1f, 0xFF804040, 0.03f});  // clamped
  auto* c = new CParticleTrail(host);
  EXPECT_EQ(b->Params().count, 1);
  EXPECT_EQ(CParticleTrail::Count(), 3);
  delete b;  // the middle one
  EXPECT_EQ(CParticleTrail::First(), a);
  EXPECT_EQ(a->Next(), c);
  c->Stop(0.0f);  // already past at the next frame: emits nothing, gone after one lifetime
  RunFrameAt(0.1f);
  EXPECT_EQ(c->LiveParticles(), 0);
  EXPECT_GT(a->LiveParticles(), 0);
  RunFrameAt(0.51f);
  EXPECT_EQ(CParticleTrail::Count(), 1);
  // A penalised click's burst: stop a quarter second on, gone one lifetime after that.
  a->Stop(0.45f);
  RunFrameAt(0.9f);
  EXPECT_EQ(CParticleTrail::Count(), 1);
  RunFrameAt(0.96f);
  EXPECT_EQ(CParticleTrail::Count(), 0);
}

}  // namespace
}  // namespace effectstest
