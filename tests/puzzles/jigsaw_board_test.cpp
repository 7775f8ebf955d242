// The jigsaw's rules without drawing: neighbours, groups, the snap distance, stacking, completion,
// the scatter and the solved layout.
#include "puzzles/jigsaw_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/random.h"

using namespace jigsaw;

namespace {

constexpr float kSide = 200.0f;
constexpr float kStep = kSpacing * kSide;

// Every piece at its solved place (nothing joined), the first at (x, y).
void Lay(Board& b, float x = 300, float y = 200) {
  for (int i = 0; i < kPieces; ++i) {
    b.At(i).x = x + float(i % kColumns) * kStep;
    b.At(i).y = y + float(i / kColumns) * kStep;
  }
}

// Every piece far from every other, then the named ones at their solved places.
void LayOnly(Board& b, std::initializer_list<int> pieces, float x = 300, float y = 200) {
  for (int i = 0; i < kPieces; ++i) {
    b.At(i).x = 5000 + 1000 * float(i);
    b.At(i).y = 5000;
  }
  for (int i : pieces) {
    b.At(i).x = x + float(i % kColumns) * kStep;
    b.At(i).y = y + float(i / kColumns) * kStep;
  }
}

// Joins a and its neighbour in direction d on both sides.
void Join(Board& b, int a, int d) {
  b.At(a).joined |= kJoinedBits[d];
  b.At(Neighbour(a, d)).joined |= kJoinedBits[Opposite(d)];
}

TEST(JigsawBoard, NeighbourTableHasSeventeenLinks) {
  int links = 0;
  for (int i = 0; i < kPieces; ++i) {
    for (int d = 0; d < 4; ++d) {
      const int n = Neighbour(i, d);
      if (n < 0) continue;
      EXPECT_EQ(Neighbour(n, Opposite(d)), i);
      ++links;
    }
  }
  EXPECT_EQ(links / 2, 17);
  EXPECT_EQ(kLinks, 17);
  struct Case {
    int piece, up, down, left, right;
  } cases[] = {{0, -1, 4, -1, 1}, {3, -1, 7, 2, -1}, {5, 1, 9, 4, 6}, {8, 4, -1, -1, 9}, {11, 7, -1, 10, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(Neighbour(c.piece, kUp), c.up);
    EXPECT_EQ(Neighbour(c.piece, kDown), c.down);
    EXPECT_EQ(Neighbour(c.piece, kLeft), c.left);
    EXPECT_EQ(Neighbour(c.piece, kRight), c.right);
  }
  EXPECT_EQ(Neighbour(-1, kUp), -1);
  EXPECT_EQ(Neighbour(12, kUp), -1);
  EXPECT_EQ(PieceIndex(3, 4), 11);
}

TEST(JigsawBoard, SnapsBelowSevenHundredthsOfTheSideInEveryDirection) {
  for (int d = 0; d < 4; ++d) {
    for (auto [share, snaps] : {std::pair{0.069f, true}, std::pair{0.071f, false}}) {
      Board b(kSide, 0);
      const int resting = 5, dropped = Neighbour(resting, d);
      LayOnly(b, {resting, dropped});
      // The dropped piece lies off its joined place by share x side, at an angle.
      b.At(dropped).x += share * kSide * 0.6f;
      b.At(dropped).y -= share * kSide * 0.8f;
      const std::vector<Snap> s = b.Drop(dropped);
      EXPECT_EQ(s.size() == 1, snaps) << "direction " << d << " share " << share;
      EXPECT_EQ(b.IsJoined(resting, d), snaps);
      EXPECT_EQ(b.IsJoined(dropped, Opposite(d)), snaps);
      if (snaps) {
        EXPECT_NEAR(b.At(dropped).x, 300 + float(dropped % 4) * kStep, 1e-3);
        EXPECT_NEAR(b.At(dropped).y, 200 + float(dropped / 4) * kStep, 1e-3);
      }
    }
  }
}

TEST(JigsawBoard, SnappingMovesTheDroppedGroupNeverTheRestingOne) {
  Board b(kSide, 0);
  LayOnly(b, {0, 1, 2, 3});
  Join(b, 0, kRight);  // dropped group: 0-1
  Join(b, 2, kRight);  // resting group: 2-3
  b.MoveGroup(0, 300 + 10, 200 - 5);
  const Piece rest2 = b.At(2), rest3 = b.At(3);
  const std::vector<Snap> s = b.Drop(0);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].piece, 1);
  EXPECT_EQ(s[0].neighbour, 2);
  EXPECT_EQ(b.At(2).x, rest2.x);
  EXPECT_EQ(b.At(3).y, rest3.y);
  EXPECT_NEAR(b.At(0).x, 300, 1e-3);
  EXPECT_NEAR(b.At(1).x, 300 + kStep, 1e-3);
  // Joined, the two groups now move as one, whichever is dragged.
  EXPECT_EQ(b.Group(3).size(), 4u);
  b.MoveGroup(3, 900, 700);
  EXPECT_NEAR(b.At(0).x, 900 - 3 * kStep, 1e-3);
  EXPECT_NEAR(b.At(0).y, 700, 1e-3);
}

TEST(JigsawBoard, DropNearNothingJoinsNothing) {
  Board b(kSide, 0);
  b.Scatter(ScreenRect(0, 0, 4000, 3000));
  for (int i = 0; i < kPieces; ++i) {
    b.At(i).x = 300 * float(i + 1);
    b.At(i).y = 100;
  }
  EXPECT_TRUE(b.Drop(4).empty());
  EXPECT_EQ(b.JoinedLinks(), 0);
}

TEST(JigsawBoard, GroupWalkFollowsJoinsOnly) {
  Board b(kSide, 0);
  Lay(b);
  Join(b, 0, kDown);
  Join(b, 4, kRight);
  Join(b, 5, kUp);
  Join(b, 10, kRight);
  const std::vector<int> g = b.Group(1);
  EXPECT_EQ(g.front(), 1);
  EXPECT_EQ(std::set<int>(g.begin(), g.end()), (std::set<int>{0, 1, 4, 5}));
  EXPECT_EQ(b.Group(11).size(), 2u);
  EXPECT_EQ(b.Group(7).size(), 1u);
  // A one-sided bit is not a join.
  b.At(7).joined |= kJoinedBits[kDown];
  EXPECT_EQ(b.JoinedLinks(), 4);
}

TEST(JigsawBoard, ClosingALoopInsideAGroupJoinsWithoutMoving) {
  Board b(kSide, 0);
  LayOnly(b, {0, 1, 4, 5});
  Join(b, 0, kRight);
  Join(b, 1, kDown);
  Join(b, 5, kLeft);
  const Piece before = b.At(0);
  const std::vector<Snap> s = b.Drop(4);  // 4-0 is the loop's open side
  EXPECT_EQ(s.size(), 1u);
  EXPECT_EQ(b.At(0).x, before.x);
  EXPECT_EQ(b.JoinedLinks(), 4);
}

TEST(JigsawBoard, CompleteOnlyWithAllSeventeenLinks) {
  Board b(kSide, 0);
  b.Solve(100, 100);
  EXPECT_TRUE(b.IsComplete());
  EXPECT_EQ(b.JoinedLinks(), 17);
  for (int i = 0; i < kPieces; ++i) {
    for (int d : {kDown, kRight}) {
      if (Neighbour(i, d) < 0) continue;
      Board c = b;
      c.At(i).joined &= ~kJoinedBits[d];
      EXPECT_FALSE(c.IsComplete()) << i << " " << d;
      EXPECT_EQ(c.JoinedLinks(), 16);
    }
  }
}

TEST(JigsawBoard, AssemblingPieceByPieceSnapsEveryDropAndCompletes) {
  Board b(kSide, 0);
  SeedRandom(11);
  b.Scatter(ScreenRect(2000, 2000, 6000, 6000));
  for (int i = 0; i < kPieces; ++i) {
    b.MoveGroup(i, 336.5f + float(i % 4) * kStep, 267 + float(i / 4) * kStep);
    const size_t expected = size_t((i % 4 ? 1 : 0) + (i >= 4 ? 1 : 0));
    EXPECT_EQ(b.Drop(i).size(), expected) << "piece " << i;
  }
  EXPECT_TRUE(b.IsComplete());
}

TEST(JigsawBoard, LiftPutsTheGroupOnTopAndRenumbersByDistinctDepth) {
  Board b(kSide, 1.0f);
  Lay(b);
  Join(b, 0, kRight);
  b.At(1).depth = b.At(0).depth;  // a group shares one depth
  b.Lift(0);
  const float top = b.At(0).depth;
  EXPECT_EQ(b.At(1).depth, top);
  std::set<float> depths;
  for (int i = 0; i < kPieces; ++i) {
    depths.insert(b.At(i).depth);
    if (i > 1) {
      EXPECT_LT(b.At(i).depth, top);
    }
  }
  // 11 distinct depths from base + 0.01, in steps of 0.01.
  ASSERT_EQ(depths.size(), 11u);
  EXPECT_NEAR(*depths.begin(), 1.01f, 1e-5);
  EXPECT_NEAR(*depths.rbegin(), 1.11f, 1e-5);
}

TEST(JigsawBoard, ScatterKeepsOneSideFromTheEdgesAndClearsJoins) {
  Board b(kSide, 2.0f);
  b.Solve(0, 0);
  SeedRandom(3);
  const ScreenRect area(0, 0, 1024, 768);
  for (int round = 0; round < 20; ++round) {
    b.Scatter(area);
    for (int i = 0; i < kPieces; ++i) {
      EXPECT_GE(b.At(i).x, kSide);
      EXPECT_LE(b.At(i).x, 1024 - kSide);
      EXPECT_GE(b.At(i).y, kSide);
      EXPECT_LE(b.At(i).y, 768 - kSide);
      EXPECT_EQ(b.At(i).joined, 0u);
      EXPECT_NEAR(b.At(i).depth, 2.0f + 0.01f * float(i + 1), 1e-5);
    }
  }
}

TEST(JigsawBoard, SolvedLayoutGrowsFromTheFirstPiece) {
  Board b(kSide, 0);
  b.Solve(312, 324);
  for (int i = 0; i < kPieces; ++i) {
    EXPECT_NEAR(b.At(i).x, 312 + float(i % 4) * kStep, 1e-3);
    EXPECT_NEAR(b.At(i).y, 324 + float(i / 4) * kStep, 1e-3);
  }
  EXPECT_EQ(b.At(0).joined, kJoinedBits[kDown] | kJoinedBits[kRight]);
  EXPECT_EQ(b.At(5).joined, kAllJoinedBits);
}

}  // namespace
