// The shipped lockbox: whole-cell search finds the ten-move answer, and the story's move table
// plays out under the continuous rules.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <queue>
#include <vector>

#include "data/xml_document.h"
#include "puzzles/slide_board.h"

using namespace slide;

namespace {

SlideFile Shipped() {
  XmlDocument doc;
  EXPECT_EQ(doc.LoadFile(VARDELL_SOURCE_DIR "/content/database/Puzzles/SlidePuzzle/SlidePuzzle.xml"), 0);
  auto f = ReadSlideFile(doc);
  EXPECT_TRUE(f);
  return f.value_or(SlideFile{});
}

// Fewest whole-cell moves (a block slid any distance is one move) until the prize leaves, or -1.
int ShortestSolution(const SlideFile& f) {
  struct Piece {
    bool horizontal;
    int fixed, length;  // the row (horizontal) or column it stays in
  };
  std::vector<Piece> pieces;
  std::vector<int> start;
  int prize = -1;
  for (const auto& t : f.tokens) {
    const bool h = t.start.row == t.end.row;
    const int lo = h ? std::min(t.start.column, t.end.column) : std::min(t.start.row, t.end.row);
    const int hi = h ? std::max(t.start.column, t.end.column) : std::max(t.start.row, t.end.row);
    if (t.id == f.prizeToken) prize = int(pieces.size());
    pieces.push_back({h, h ? t.start.row : t.start.column, hi - lo + 1});
    start.push_back(lo);
  }
  if (prize < 0 || !pieces[size_t(prize)].horizontal || pieces[size_t(prize)].fixed != f.exitRow) return -1;
  auto occupied = [&](const std::vector<int>& s, int skip) {
    std::vector<bool> grid(size_t(f.columns * f.rows), false);
    for (size_t i = 0; i < pieces.size(); ++i) {
      if (int(i) == skip) continue;
      for (int k = 0; k < pieces[i].length; ++k) {
        const int c = pieces[i].horizontal ? s[i] + k : pieces[i].fixed;
        const int r = pieces[i].horizontal ? pieces[i].fixed : s[i] + k;
        grid[size_t(r * f.columns + c)] = true;
      }
    }
    return grid;
  };
  std::map<std::vector<int>, int> seen{{start, 0}};
  std::queue<std::vector<int>> open;
  open.push(start);
  while (!open.empty()) {
    const auto s = open.front();
    open.pop();
    const int depth = seen[s];
    for (size_t i = 0; i < pieces.size(); ++i) {
      const auto grid = occupied(s, int(i));
      const Piece& p = pieces[i];
      const int span = p.horizontal ? f.columns : f.rows;
      auto free = [&](int at) {
        const int c = p.horizontal ? at : p.fixed, r = p.horizontal ? p.fixed : at;
        return !grid[size_t(r * f.columns + c)];
      };
      for (int dir : {-1, 1}) {
        for (int pos = s[i] + dir;; pos += dir) {
          const int lead = dir > 0 ? pos + p.length - 1 : pos;
          if (lead >= span && int(i) == prize) return depth + 1;  // out through the exit
          if (lead < 0 || lead >= span || !free(lead)) break;
          auto next = s;
          next[i] = pos;
          if (seen.emplace(next, depth + 1).second) open.push(next);
        }
      }
    }
  }
  return -1;
}

TEST(SlideContent, ShippedFileMatchesTheLockbox) {
  const SlideFile f = Shipped();
  EXPECT_EQ(f.columns * 10 + f.rows, 66);
  EXPECT_EQ(f.tokens.size(), 10u);
  EXPECT_EQ(f.prizeToken, 1);
  EXPECT_EQ(f.inventoryId, 1);
  EXPECT_EQ(f.prize, "Prize.png");
  EXPECT_EQ(ShortestSolution(f), 10);
}

TEST(SlideContent, MoveTableReplaysUnderContinuousRules) {
  const SlideFile f = Shipped();
  Board board = Board::FromFile(f, 1, 1, 0, 0);
  const struct {
    int id;
    float fromX, fromY, toX, toY;
  } moves[] = {{4, 549.5f, 421.5f, 549.5f, 496.5f}, {9, 699.5f, 421.5f, 699.5f, 496.5f},
               {5, 699.5f, 234, 699.5f, 309},       {10, 549.5f, 196.5f, 624.5f, 196.5f},
               {8, 474.5f, 384, 474.5f, 234},       {1, 362, 346.5f, 587, 346.5f},
               {8, 474.5f, 234, 474.5f, 309},       {10, 624.5f, 196.5f, 549.5f, 196.5f},
               {5, 699.5f, 309, 699.5f, 234},       {1, 587, 346.5f, 800, 346.5f}};
  int exits = 0;
  for (size_t m = 0; m < std::size(moves); ++m) {
    const auto& mv = moves[m];
    const int i = board.BlockAt(mv.fromX, mv.fromY);
    ASSERT_GE(i, 0) << "move " << m + 1;
    ASSERT_EQ(board.At(i).id, mv.id) << "move " << m + 1;
    ASSERT_TRUE(board.Pick(i)) << "move " << m + 1;
    const bool h = board.At(i).horizontal;
    const float from = h ? mv.fromX : mv.fromY, to = h ? mv.toX : mv.toY;
    // Like a mouse: many small steps from the grab point.
    for (int k = 1; k <= 20 && board.Dragged() == i; ++k)
      exits += board.MoveTo(from + (to - from) * float(k) / 20).exited;
    board.Release();
    if (m + 1 < std::size(moves)) {
      EXPECT_FALSE(board.Solved()) << "move " << m + 1;
      EXPECT_NEAR(board.At(i).rect.CentreX(), mv.toX, 0.01) << "move " << m + 1;
      EXPECT_NEAR(board.At(i).rect.CentreY(), mv.toY, 0.01) << "move " << m + 1;
    }
  }
  EXPECT_TRUE(board.Solved());
  EXPECT_EQ(exits, 1);
  EXPECT_GE(board.At(board.IndexOf(1)).rect.right, 812);
}

}  // namespace
