#include <gtest/gtest.h>

#include <cmath>

#include "effects/effects_fixture.h"
#include "effects/fire_halo.h"
#include "effects/particle_trail.h"
#include "effects/starburst.h"

namespace effectstest {
namespace {

using Halo = EffectsTest;

TEST_F(Halo, FlashesForTwoSecondsAroundItsHostThenFades) {
  CSprite* host = MakeHost(ScreenRect(100, 100, 160, 180));
  auto* halo = new CFireHalo(host);
  EXPECT_EQ(halo->GetParent(), host);
  EXPECT_FLOAT_EQ(halo->GetDepth(), host->GetDepth() + 0.01f);
  EXPECT_EQ(halo->GetHaloColor(), 0xFFFF8000u);
  EXPECT_FLOAT_EQ(halo->GetStopTime(), 2.0f);
  RunFrameAt(0.0f);
  ASSERT_EQ(halo->LiveParticles(), 1);
  const CFireHalo::Particle& p = halo->GetParticle(0);
  EXPECT_NEAR(std::hypot(p.startX, p.startY), 50.0f, 1e-3);  // half the diagonal of 60 x 80
  EXPECT_FLOAT_EQ(p.size, 50.0f);
  // Frames of 20 ms each emit one particle; particles live half a second.
  for (int f = 1; f <= 60; ++f) RunFrameAt(float(f) * 0.02f);
  EXPECT_NEAR(halo->LiveParticles(), 25, 1);  // the oldest may sit exactly at 0.5 s
  const auto draws = RenderFrame();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].type, gfx::PT_POINTLIST);
  EXPECT_EQ(draws[0].primitiveCount, 30u);
  EXPECT_EQ(draws[0].Rs(gfx::RS_SRCBLEND), gfx::BLEND_ONE);
  EXPECT_EQ(draws[0].Rs(gfx::RS_DESTBLEND), gfx::BLEND_ONE);
  EXPECT_TRUE(StatesRestoredAfter(Rec(), 0));
  RunFrameAt(2.4f);
  EXPECT_EQ(CountObjects(), 2);
  RunFrameAt(2.51f);
  EXPECT_EQ(CountObjects(), 1);  // the host remains
}

TEST_F(Halo, OrphanedByItsHostStopsAndIsGoneHalfASecondLater) {
  CSprite* host = MakeHost(ScreenRect(0, 0, 40, 40));
  new CFireHalo(host);
  RunFrameAt(0.5f);
  delete host;
  EXPECT_EQ(CountObjects(), 1);
  RunFrameAt(0.9f);
  EXPECT_EQ(CountObjects(), 1);
  RunFrameAt(1.01f);
  EXPECT_EQ(CountObjects(), 0);
}

using Trail = EffectsTest;

TEST_F(Trail, HostDeathRemovesItOneLifetimeLaterAndEmptiesTheList) {
  CSprite* host = MakeHost(ScreenRect(100, 100, 120, 120));
  auto* trail = new CParticleTrail(host, TrailParams{30, 0.75f, 0.3f, 0xFFE0E0FF, 0.06f});
  EXPECT_EQ(CParticleTrail::First(), trail);
  EXPECT_FLOAT_EQ(trail->GetDepth(), host->GetDepth() - 0.01f);
  for (int f = 0; f <= 30; ++f) RunFrameAt(float(f) * 0.025f);
  EXPECT_GT(trail->LiveParticles(), 20);
  delete host;
  RunFrameAt(1.5f);
  EXPECT_EQ(CParticleTrail::Count(), 1);
  RunFrameAt(1.56f);
  EXPECT_EQ(CParticleTrail::Count(), 0);
  EXPECT_EQ(CountObjects(), 0);
}

using Starburst = EffectsTest;

TEST_F(Starburst, BurstsOutwardAndDeletesItselfWhenAllHaveDied) {
  CSprite* ref = MakeHost(ScreenRect(300, 200, 500, 400));
  auto* burst = new CStarburst(ref, ref);
  EXPECT_FLOAT_EQ(burst->GetDepth(), ref->GetDepth() + 0.01f);
  RunFrameAt(0.1f);
  EXPECT_EQ(burst->LiveParticles(), 100);
  RunFrameAt(0.76f);
  EXPECT_EQ(CountObjects(), 1);
}

}  // namespace
}  // namespace effectstest
