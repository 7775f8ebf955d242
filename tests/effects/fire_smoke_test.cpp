#include <gtest/gtest.h>

#include <cmath>

#include "effects/effects_fixture.h"
#include "effects/fire_effect.h"
#include "effects/point_sprites.h"
#include "effects/smoke_effect.h"
#include "scene/scene_context.h"

namespace effectstest {
namespace {

// A search venue stand-in: answers type id 43 and reports its scene area.
class FakeVenue : public CSprite, public SceneAreaSource {
 public:
  FakeVenue(const ScreenRect& rect, const ScreenRect& area)
      : CSprite(rect, 0, nullptr, nullptr), area_(area) {}
  int GetTypeId() override { return TypeId::kSearchEnvironment; }
  ScreenRect GetSceneArea() override { return area_; }

 private:
  ScreenRect area_;
};

TEST(PackArgb, ChannelsAreClampedBeforePacking) {
  struct Case {
    float a, r, g, b;
    uint32_t want;
  };
  const Case cases[] = {
      {1, 1, 0.5f, 0, 0xFFFF7F00u},    {1, 2.5f, 1.2f, 0, 0xFFFFFF00u},  // intensity above 1
      {1, -1, -0.5f, -3, 0xFF000000u}, {-1, 0, 0, 0, 0x00000000u},
      {NAN, NAN, 1, 0, 0x0000FF00u},   {0.5f, 0, 0, 1, 0x7F0000FFu},
  };
  for (const Case& c : cases) EXPECT_EQ(effects::PackArgb(c.a, c.r, c.g, c.b), c.want) << c.r;
  EXPECT_EQ(effects::ScaleRgb(0xFFFF8000u, 0.5f), 0xFF7F4000u);
  EXPECT_EQ(effects::ScaleRgb(0xFFFF8000u, 3.0f), 0xFFFFFF00u);
}

using Fire = EffectsTest;

TEST_F(Fire, EmitsEveryThirtiethRisesAndDiesAtHalfASecond) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 800, 600), nullptr, 0);
  auto* fire = new CFireEffect(env, ScreenRect(512, 384, 640, 768), 2.0f);
  EXPECT_FLOAT_EQ(fire->GetDepth(), 0.005f);
  // 128 x 384 reference pixels on an 800 x 600 parent: 100 x 300 pixels.
  EXPECT_TRUE(std::fabs(fire->GetScreenRect().Width() - 100) < 1e-3);
  RunFrameAt(0.0f);
  const CFireEffect::Particle& p = fire->GetParticle(0);
  EXPECT_FLOAT_EQ(p.startY, 150);
  EXPECT_FLOAT_EQ(p.endY, -150);
  EXPECT_FLOAT_EQ(p.size, std::sqrt(100.f * 100 + 300 * 300) / 2);
  RunFrameAt(0.02f);  // too early for the next
  EXPECT_EQ(fire->LiveParticles(), 1);
  RunFrameAt(0.25f);  // t = (2 * 0.25)^2 = 0.25 along the way for the first
  EXPECT_NEAR(p.y, 150 * 0.75f - 150 * 0.25f, 1e-3);
  EXPECT_NEAR(p.brightness, 0.75f, 1e-5);
  RunFrameAt(0.5f);
  EXPECT_LT(fire->GetParticle(0).birth, 0);  // the first has died
  const auto draws = RenderFrame();
  ASSERT_EQ(draws.size(), 1u);  // the parent draws nothing (no texture)
  const gfx::NullDraw& d = draws[0];
  EXPECT_EQ(d.type, gfx::PT_POINTLIST);
  EXPECT_EQ(d.primitiveCount, 15u);
  EXPECT_EQ(d.fvf, gfx::FVF_RHW_PSIZE_COLOR);
  EXPECT_EQ(d.stride, 24u);
  EXPECT_EQ(d.Rs(gfx::RS_SRCBLEND), gfx::BLEND_ONE);
  EXPECT_EQ(d.Rs(gfx::RS_POINTSPRITEENABLE), 1u);
  EXPECT_EQ(d.Rs(gfx::RS_ZENABLE), 0u);
  EXPECT_TRUE(StatesRestoredAfter(Rec(), 0));
  // Intensity 2 would overflow red into alpha without the clamp; a fresh particle is full red.
  const auto v = d.Vertex<gfx::VertexRhwPsizeColor>(2);
  EXPECT_EQ(v.color >> 24, 0xFFu);
  EXPECT_EQ(d.Vertex<gfx::VertexRhwPsizeColor>(0).color, 0u);  // dead slot
}

TEST_F(Fire, HiddenParentFreezesAndHidesTheFlames) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 800, 600), nullptr, 0);
  auto* fire = new CFireEffect(env, ScreenRect(0, 0, 100, 100));
  RunFrameAt(0.1f);
  const float y = fire->GetParticle(0).y;
  env->SetOpacity(0);
  RunFrameAt(0.3f);
  EXPECT_EQ(fire->LiveParticles(), 1);
  EXPECT_FLOAT_EQ(fire->GetParticle(0).y, y);
  EXPECT_TRUE(RenderFrame().empty());
}

TEST_F(Fire, PlacesItselfOnAVenueSceneArea) {
  auto* venue = new FakeVenue(ScreenRect(0, 0, 800, 600), ScreenRect(0, 0, 400, 300));
  auto* fire = new CFireEffect(venue, ScreenRect(512, 384, 1024, 768));
  EXPECT_TRUE(RectNear(fire->GetScreenRect(), ScreenRect(200, 150, 400, 300)));
}

using Smoke = EffectsTest;

TEST_F(Smoke, ReadsItsElementAndKeepsContentValuesWorkable) {
  struct Case {
    const char* xml;
    int particles;
    float lifetime;
    float blue;
  };
  const Case cases[] = {
      {R"(<SmokeEffect Origin="100,200" Width="50" Height="80" Particles="12" ParticleLifetime="3"
          RGBA="0.5,0.5,0.5,1"/>)",
       12, 3.0f, 0.5f},
      {R"(<SmokeEffect Particles="0" ParticleLifetime="-2" RGBA="1,1,1"/>)", 1, 0.05f, 0.875f},
      {R"(<SmokeEffect Particles="-40" ParticleLifetime="0"/>)", 1, 0.05f, 0.875f},
      {R"(<SmokeEffect Particles="2000000000"/>)", 1000, 8.0f, 0.875f},
      {R"(<SmokeEffect/>)", 30, 8.0f, 0.875f},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    ASSERT_EQ(doc.LoadBytes(c.xml, strlen(c.xml)), 0) << c.xml;
    XmlNode root = doc.Root();
    auto* smoke = new CSmokeEffect(nullptr, doc, root);
    doc.ReleaseNode(root);
    EXPECT_EQ(smoke->Params().particles, c.particles) << c.xml;
    EXPECT_FLOAT_EQ(smoke->Params().lifetime, c.lifetime) << c.xml;
    EXPECT_FLOAT_EQ(smoke->Params().rgba[2], c.blue) << c.xml;
    // No value hangs or crashes a frame, and a frame never emits more than the slots.
    RunFrameAt(lastTime_ + 1000.0f);
    EXPECT_LE(smoke->EmittedLastFrame(), c.particles);
    delete smoke;
  }
}

TEST_F(Smoke, CadenceBacklogCapAndFade) {
  CSprite* env = MakeHost(ScreenRect(0, 0, 768, 768), nullptr, 0);
  SmokeParams p;
  p.originX = 512, p.originY = 384, p.width = 100, p.height = 200;
  auto* smoke = new CSmokeEffect(env, p);
  // Parent-relative placement: centre at the origin, 200 high, 100 wide on a 768 x 768 parent.
  EXPECT_TRUE(RectNear(smoke->GetScreenRect(), ScreenRect(334, 284, 434, 484), 1e-2f));
  RunFrameAt(100.0f);  // the first frame emits one lifetime's worth (30 puffs, 0.2667 s apart)
  EXPECT_LE(smoke->EmittedLastFrame(), 30);
  EXPECT_GE(smoke->EmittedLastFrame(), 29);
  RunFrameAt(100.1f);
  EXPECT_LE(smoke->EmittedLastFrame(), 1);
  RunFrameAt(100.4f);
  EXPECT_EQ(smoke->EmittedLastFrame(), 1);
  RunFrameAt(1e6f);  // a long stall: still at most one lifetime's worth, and no hang
  EXPECT_LE(smoke->EmittedLastFrame(), 30);
  // A puff half-way through its life.
  const CSmokeEffect::Particle& q = smoke->GetParticle(0);
  EXPECT_FLOAT_EQ(q.startSize * 100, q.endSize);
  const auto draws = RenderFrame();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].primitiveCount, 30u);
  EXPECT_EQ(draws[0].Rs(gfx::RS_SRCBLEND), gfx::BLEND_SRCALPHA);
  EXPECT_EQ(draws[0].Rs(gfx::RS_DESTBLEND), gfx::BLEND_INVSRCALPHA);
  EXPECT_TRUE(StatesRestoredAfter(Rec(), 0));
}

TEST_F(Smoke, FlatSmokeAndVenuePlacementStayFinite) {
  auto* venue = new FakeVenue(ScreenRect(0, 0, 800, 600), ScreenRect(0, 0, 400, 300));
  SmokeParams p;
  p.originX = 1024, p.originY = 768, p.height = 0;
  auto* smoke = new CSmokeEffect(venue, p);
  EXPECT_FLOAT_EQ(smoke->GetAspectRatio(), 1.0f);
  EXPECT_FLOAT_EQ(smoke->GetOffsetX(), 0.0f);  // the far corner of the half-size scene area
  EXPECT_FLOAT_EQ(smoke->GetOffsetY(), 0.0f);
  RunFrameAt(1.0f);
  for (int i = 0; i < smoke->Params().particles; ++i) EXPECT_TRUE(std::isfinite(smoke->GetParticle(i).size));
}

}  // namespace
}  // namespace effectstest
