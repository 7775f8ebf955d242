#include "scene/screen_rect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sprites/sprite_fixture.h"

using spritetest::RectNear;

TEST(ScreenRect, SizeCentreAndConstruction) {
  const ScreenRect r(10, 20, 110, 70, 0.5f);
  EXPECT_FLOAT_EQ(r.Width(), 100);
  EXPECT_FLOAT_EQ(r.Height(), 50);
  EXPECT_FLOAT_EQ(r.CenterX(), 60);
  EXPECT_FLOAT_EQ(r.CenterY(), 45);
  EXPECT_FLOAT_EQ(r.Aspect(), 2);
  EXPECT_TRUE(RectNear(ScreenRect::FromCenter(100, 50, 60, 45, 0.5f), r));
  EXPECT_EQ(ScreenRect(0, 0, 10, 0).Aspect(), 0.0f);  // no division by zero
  EXPECT_TRUE(RectNear(r.Scale(2), ScreenRect(-40, -5, 160, 95, 0.5f)));
}

TEST(ScreenRect, FitAspectKeepsTheLimitingSide) {
  const ScreenRect wide(0, 0, 400, 100, 0.25f);
  // Wider than asked: the height stays.
  EXPECT_TRUE(RectNear(wide.FitAspect(2), ScreenRect(100, 0, 300, 100, 0.25f)));
  // Narrower than (or as wide as) asked: the width stays.
  EXPECT_TRUE(RectNear(wide.FitAspect(8), ScreenRect(0, 25, 400, 75, 0.25f)));
  EXPECT_TRUE(RectNear(wide.FitAspect(4), wide));
}

TEST(ScreenRect, MapFromReferenceIsProportional) {
  const ScreenRect target(100, 50, 612, 434, 0.3f);  // half the reference size, moved
  const ScreenRect r = ScreenRect::MapFromReference(ScreenRect(0, 0, 1024, 768), 1024, 768, target);
  EXPECT_TRUE(RectNear(r, ScreenRect(100, 50, 612, 434, 0)));
  const ScreenRect q = ScreenRect::MapFromReference(ScreenRect(512, 384, 768, 576), 1024, 768, target);
  EXPECT_TRUE(RectNear(q, ScreenRect(356, 242, 484, 338)));
  float x, y;
  ScreenRect::MapPointFromReference(256, 192, scene::kReferenceWidth, scene::kReferenceHeight, target, x, y);
  EXPECT_FLOAT_EQ(x, 228);
  EXPECT_FLOAT_EQ(y, 146);
}

TEST(ScreenRect, TurnedRectanglesContainAndBoundPoints) {
  const float quarter = 1.5707964f;
  const ScreenRect r(0, 40, 100, 60, quarter);  // 100 x 20 turned upright about (50, 50)
  EXPECT_TRUE(RectNear(r.BoundingBox(), ScreenRect(40, 0, 60, 100), 1e-3f));
  EXPECT_TRUE(r.ContainsPoint(50, 5));
  EXPECT_TRUE(r.ContainsPoint(59.99f, 95));
  EXPECT_FALSE(r.ContainsPoint(90, 50));  // inside the unturned rectangle only
  // Angle 0: inclusive on every side.
  const ScreenRect flat(0, 0, 10, 10);
  EXPECT_TRUE(flat.ContainsPoint(0, 0));
  EXPECT_TRUE(flat.ContainsPoint(10, 10));
  EXPECT_FALSE(flat.ContainsPoint(10.01f, 5));
  EXPECT_FALSE(ScreenRect(5, 5, 5, 5, 1).ContainsPoint(5, 5));  // no area, no frame
  // A positive angle turns clockwise on screen: the local x axis points down at a quarter turn.
  float x, y;
  r.ToScreen(1, 0, x, y);
  EXPECT_NEAR(x, 50, 1e-3);
  EXPECT_NEAR(y, 100, 1e-3);
  float lx, ly;
  ASSERT_TRUE(r.ToLocal(x, y, lx, ly));
  EXPECT_NEAR(lx, 1, 1e-5);
  EXPECT_NEAR(ly, 0, 1e-5);
}
