// Hit-mask points, the differences double test, the found sequence's timing, dragging and falling.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene/sprite.h"
#include "search/hidden_object_rules.h"

namespace {

using namespace hidden;

// A mask that is set on the left half (mask x < 0) only.
const MaskLookup kLeftHalf = [](float mx, float) { return mx < 0; };
const MaskLookup kTopHalf = [](float, float my) { return my > 0; };

TEST(HiddenRules, MaskPointsThroughTurnMirrorAndFlip) {
  const float half = std::numbers::pi_v<float> / 2;
  struct Case {
    ScreenRect rect;
    uint32_t flips;
    float x, y;
    bool inside;
    float mx, my;
  } cases[] = {
      {{0, 0, 100, 50}, 0, 25, 12.5f, true, -0.5f, 0.5f},
      {{0, 0, 100, 50}, kSpriteMirror, 25, 12.5f, true, 0.5f, 0.5f},
      {{0, 0, 100, 50}, kSpriteFlip, 25, 12.5f, true, -0.5f, -0.5f},
      {{0, 0, 100, 50}, kSpriteMirror | kSpriteFlip, 25, 12.5f, true, 0.5f, -0.5f},
      {{0, 0, 100, 50}, 0, 101, 10, false, 0, 0},
      // Turned a quarter clockwise: the picture's top edge faces right.
      {{0, 0, 100, 100, half}, 0, 90, 50, true, 0.0f, 0.8f},
      // Right and bottom edges stay on the last texel instead of stepping past it.
      {{0, 0, 100, 50}, 0, 100, 50, true, 1.0f, -1.0f},
  };
  for (const Case& c : cases) {
    float mx = 9, my = 9;
    ASSERT_EQ(MaskPoint(c.rect, c.flips, c.x, c.y, mx, my), c.inside) << c.x << "," << c.y;
    if (!c.inside) continue;
    EXPECT_NEAR(mx, c.mx, 1e-4f);
    EXPECT_NEAR(my, c.my, 1e-4f);
    EXPECT_LT(mx, 1.0f);
    EXPECT_GT(my, -1.0f);
  }
  EXPECT_TRUE(HitsAt({0, 0, 100, 50}, 0, kLeftHalf, 10, 10));
  EXPECT_FALSE(HitsAt({0, 0, 100, 50}, 0, kLeftHalf, 90, 10));
  EXPECT_TRUE(HitsAt({0, 0, 100, 50}, kSpriteMirror, kLeftHalf, 90, 10));
  EXPECT_FALSE(HitsAt({0, 0, 100, 50}, kSpriteFlip, kTopHalf, 50, 10));
  EXPECT_TRUE(HitsAt({0, 0, 100, 50}, kSpriteFlip, kTopHalf, 50, 40));
  EXPECT_TRUE(HitsAt({0, 0, 100, 50}, 0, nullptr, 99, 49));  // without a mask the whole rectangle
}

TEST(HiddenRules, DifferencesHitInEitherPicture) {
  const ScreenRect left(0, 0, 400, 600);
  const ScreenRect object(100, 100, 140, 140);  // drawn in the left picture only
  struct Case {
    float x, y;
    bool twice;
    bool hit;
  } cases[] = {
      {120, 120, false, true},   // where it is drawn
      {520, 120, false, true},   // the same point of the right picture
      {620, 120, false, false},  // elsewhere in the right picture
      {120, 650, false, false},  // below both pictures
      {820, 120, false, false},  // right of both pictures
      {520, 120, true, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DifferencesHit(object, 0, nullptr, c.twice, left, c.x, c.y), c.hit) << c.x << "," << c.y;
  // An object drawn in both pictures is also tested where its copy lies.
  const ScreenRect onSeam(380, 100, 420, 140);
  EXPECT_TRUE(DifferencesHit(onSeam, 0, nullptr, true, left, 790, 120));
  EXPECT_FALSE(DifferencesHit(onSeam, 0, nullptr, true, left, 810, 120));  // its copy, but off both pictures
}

TEST(HiddenRules, FoundSequenceTiming) {
  const float flight = FlightTime(0, 0, 0.3f, 0.4f);
  EXPECT_FLOAT_EQ(flight, 0.75f);
  struct Case {
    float t;
    FoundPhase phase;
    float size, x, y;
  } cases[] = {
      {0.0f, FoundPhase::kPulse, 0.1f, 0, 0},           {0.25f, FoundPhase::kPulse, 0.13f, 0, 0},
      {0.5f, FoundPhase::kPulse, 0.1f, 0, 0},           {0.75f, FoundPhase::kPulse, 0.13f, 0, 0},
      {1.375f, FoundPhase::kFlight, 0.1f, 0.15f, 0.2f}, {1.75f, FoundPhase::kArrived, 0.1f, 0.3f, 0.4f},
      {9.0f, FoundPhase::kArrived, 0.1f, 0.3f, 0.4f},
  };
  for (const Case& c : cases) {
    const FoundPose p = FoundPoseAt(c.t, 0.1f, 0, 0, 0.3f, 0.4f, flight);
    EXPECT_EQ(p.phase, c.phase) << c.t;
    EXPECT_NEAR(p.size, c.size, 1e-5f) << c.t;
    EXPECT_NEAR(p.x, c.x, 1e-5f) << c.t;
    EXPECT_NEAR(p.y, c.y, 1e-5f) << c.t;
  }
  // A target under the object gives a flight of no length: the arrival follows the pulse at once.
  const FoundPose still = FoundPoseAt(1.0f, 0.1f, 0.2f, 0.2f, 0.2f, 0.2f, FlightTime(0.2f, 0.2f, 0.2f, 0.2f));
  EXPECT_EQ(still.phase, FoundPhase::kArrived);
  EXPECT_TRUE(std::isfinite(still.x));
}

TEST(HiddenRules, DragClampAndFall) {
  const ScreenRect box(100, 100, 300, 200);
  struct Case {
    ScreenRect in, out;
  } cases[] = {
      {{150, 120, 190, 140}, {150, 120, 190, 140}},
      {{80, 90, 120, 110}, {100, 100, 140, 120}},
      {{280, 190, 320, 210}, {260, 180, 300, 200}},
      // Larger than the box: the right and bottom edges win, as they are applied last.
      {{50, 50, 400, 300}, {-50, -50, 300, 200}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampToBox(c.in, box), c.out);

  // Released near the top: the fall grows with the time since release and stops on the floor.
  ScreenRect r(150, 100, 190, 120);
  float since = 0, last = 0;
  bool resting = false;
  int frames = 0;
  while (!resting && frames < 1000) {
    since += 0.02f;
    const ScreenRect next = FallStep(r, box, since, 0.02f, 768, resting);
    const float step = next.top - r.top;
    if (!resting) {
      EXPECT_GT(step, last);
    }
    last = step;
    r = next;
    ++frames;
  }
  EXPECT_TRUE(resting);
  EXPECT_FLOAT_EQ(r.bottom, 200.0f);
  EXPECT_NEAR(r.Height(), 20.0f, 1e-3f);
  EXPECT_NEAR(HotspotGlow(0), 0.1f, 1e-6f);
  EXPECT_NEAR(HotspotGlow(0.25f), 1.0f, 1e-6f);
}

}  // namespace
