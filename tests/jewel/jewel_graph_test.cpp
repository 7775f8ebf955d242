// The jewel setting's rules without a scene: when chains cross, the graph and its colours, the
// ring that solves it and the tangled scatter it starts from.
#include "puzzles/jewel_graph.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/random.h"

using namespace jewel;

namespace {

TEST(JewelCrossing, OnlyProperCrossingsCount) {
  const struct {
    Point a, b, c, d;
    bool crosses;
    const char* what;
  } cases[] = {
      {{0, 0}, {10, 10}, {0, 10}, {10, 0}, true, "an X"},
      {{0, 0}, {10, 0}, {5, -1}, {5, 1}, true, "a short one through a long one"},
      {{0, 0}, {10, 10}, {10, 10}, {20, 0}, false, "a shared end"},
      {{0, 0}, {10, 0}, {5, 0}, {5, 8}, false, "an end on the other (a T)"},
      {{0, 0}, {10, 0}, {10, 0}, {10, 5}, false, "an end on the other's end"},
      {{0, 0}, {10, 0}, {4, 0}, {14, 0}, false, "lying along each other"},
      {{0, 0}, {10, 0}, {0, 1}, {10, 1}, false, "parallel"},
      {{0, 0}, {10, 0}, {11, -1}, {11, 1}, false, "past the end"},
      {{0, 0}, {10, 0}, {5, 0.001f}, {5, 9}, false, "just short of it"},
      {{3, 3}, {3, 3}, {0, 0}, {6, 6}, false, "a chain of no length"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SegmentsCross(c.a, c.b, c.c, c.d), c.crosses) << c.what;
    EXPECT_EQ(SegmentsCross(c.c, c.d, c.a, c.b), c.crosses) << c.what << " (swapped)";
    EXPECT_EQ(SegmentsCross(c.b, c.a, c.d, c.c), c.crosses) << c.what << " (reversed)";
  }
}

TEST(JewelGraph, ChainsColoursAndSharedStones) {
  int degree[kStones] = {};
  for (const Chain& c : kGraph) {
    ASSERT_NE(c.owner, c.other);
    ++degree[c.owner], ++degree[c.other];
  }
  const int expected[kStones] = {3, 3, 2, 4, 3, 2, 7, 2, 3, 4, 2, 3, 6};
  for (int i = 0; i < kStones; ++i) EXPECT_EQ(degree[i], expected[i]) << "stone " << i;
  EXPECT_EQ(kGraph[11].owner * 100 + kGraph[11].other, 603);
  EXPECT_EQ(kGraph[21].owner * 100 + kGraph[21].other, 1201);

  const uint32_t colours[] = {0xFFFFFFFF, 0xFFFF8080, 0xFF80FF80, 0xFF8080FF, 0xFF00FFFF,
                              0xFFFFFFFF, 0xFFFF8080, 0xFF80FF80, 0xFF8080FF, 0xFF00FFFF,
                              0xFFFFFFFF, 0xFFFF8080, 0xFFFFFFFF};
  for (int i = 0; i < kStones; ++i) EXPECT_EQ(StoneColour(i), colours[i]) << i;

  EXPECT_TRUE(ShareStone({1, 2}, {2, 3}) && ShareStone({1, 2}, {3, 1}) && ShareStone({1, 2}, {1, 5}) &&
              ShareStone({1, 2}, {7, 2}));
  EXPECT_FALSE(ShareStone({1, 2}, {3, 4}));

  // Two chains of one stone laid over each other never count; chains 0-1 and 11-0 lie along each
  // other here, and 6-7 crosses 0-1.
  Layout at{};
  for (int i = 0; i < kStones; ++i) at[size_t(i)] = {1000.0f + float(i) * 37, 1000.0f + float(i * i) * 11};
  at[0] = {0, 0}, at[1] = {10, 0}, at[11] = {5, 0}, at[6] = {5, -5}, at[7] = {5, 5};
  const auto crossing = Crossings(at);
  EXPECT_TRUE(crossing[0]) << "0-1 against 6-7";
  EXPECT_TRUE(crossing[7]);
  EXPECT_FALSE(crossing[17]) << "11-0 only lies along 0-1 and touches 6-7 at its end";
  int owned = 0;
  for (int n : OwnedCrossings(at)) owned += n;
  EXPECT_EQ(owned, CrossingCount(at));
}

TEST(JewelLayout, TheRingHasNoCrossingEvenRounded) {
  const Layout ring = RingLayout(1024, 768);
  EXPECT_EQ(CrossingCount(ring), 0);
  const int story[kStones][2] = {{819, 384}, {778, 538}, {666, 650}, {512, 691}, {358, 650},
                                 {246, 538}, {205, 384}, {246, 230}, {358, 118}, {512, 77},
                                 {666, 118}, {778, 230}, {512, 384}};
  Layout rounded{};
  for (int i = 0; i < kStones; ++i) {
    EXPECT_NEAR(ring[size_t(i)].x, story[i][0], 1) << i;
    EXPECT_NEAR(ring[size_t(i)].y, story[i][1], 1) << i;
    rounded[size_t(i)] = {float(story[i][0]), float(story[i][1])};
  }
  EXPECT_EQ(CrossingCount(rounded), 0) << "a script dropping stones on whole pixels still solves";
  // Any frame: crossings do not change when the frame is stretched.
  EXPECT_EQ(CrossingCount(RingLayout(1, 1)) + CrossingCount(RingLayout(1920, 1080)), 0);
}

TEST(JewelLayout, ScatterIsTangledInsideTheMiddle) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SeedRandom(seed);
    const Layout at = Scatter(1024, 768);
    EXPECT_GT(CrossingCount(at), 0) << "seed " << seed;
    for (const Point& p : at) {
      EXPECT_TRUE(p.x >= 0.2f * 1024 && p.x <= 0.8f * 1024) << p.x;
      EXPECT_TRUE(p.y >= 0.2f * 768 && p.y <= 0.8f * 768) << p.y;
    }
  }
}

}  // namespace
