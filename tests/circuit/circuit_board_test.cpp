// The fuse box's rules without a scene: the file and what it rejects, the mask table and the
// quarter a turned tile rests at, the power flood, turns, Reset, solve-now and the start roll.
#include "puzzles/circuit_board.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/random.h"
#include "data/xml_document.h"

using namespace circuit;

namespace {

std::optional<CircuitFile> Parse(const std::string& text, std::string* why = nullptr) {
  XmlDocument doc;
  doc.LoadBytes(text.data(), text.size());
  return ReadCircuitFile(doc, why);
}

// A board from rows of wire types (solutions 0), power entering at powerRow.
Board Make(std::vector<std::vector<int>> wires, int powerRow = 0) {
  CircuitFile f;
  f.rows = int(wires.size());
  f.columns = int(wires[0].size());
  f.powerRow = powerRow;
  f.rect = {0, 0, 100, 100};
  for (auto& row : wires) f.solutions.emplace_back(row.size(), 0);
  f.wires = std::move(wires);
  return Board(f);
}

void Finish(Board& b) {
  for (int k = 0; k < 200 && b.AnyTurning(); ++k) b.Advance(0.02f);
}

TEST(CircuitMasks, TableAndQuarterIndex) {
  const int masks[4][4] = {{12, 9, 3, 6}, {13, 11, 7, 14}, {10, 5, 10, 5}, {15, 15, 15, 15}};
  for (int type = 1; type <= 4; ++type)
    for (int q = 0; q < 4; ++q) EXPECT_EQ(ConnectionMask(type, q), masks[type - 1][q]) << type << "/" << q;
  EXPECT_EQ(ConnectionMask(0, 1) + ConnectionMask(5, 0) + ConnectionMask(-1, 2), 0);

  const struct {
    float angle;
    int quarter;
  } cases[] = {{0, 0},
               {kQuarter, 1},
               {2 * kQuarter, 2},
               {3 * kQuarter, 3},
               {kFullTurn - 1e-4f, 0},
               {std::nextafter(kFullTurn, 0.0f), 0},
               {kFullTurn, 0},
               {-kQuarter, 3},
               {-1e-5f, 0},
               {kQuarter + 0.7f, 1},
               {kQuarter + 0.8f, 2},
               {5 * kQuarter, 1}};
  for (const auto& c : cases) EXPECT_EQ(QuarterIndex(c.angle), c.quarter) << c.angle;
  // A turned tile connects what it connected before, one side further clockwise.
  for (int type = 1; type <= 3; ++type)
    for (int q = 0; q < 4; ++q) {
      const int m = ConnectionMask(type, q);
      const int turned = ((m << 1) | (m >> 3)) & 15;
      EXPECT_EQ(ConnectionMask(type, q + 1), turned) << type << "/" << q;
    }
}

TEST(CircuitFile, ReadsRowsWithHolesDefaultsAndClamps) {
  const auto f = Parse(
      R"(<C Background="B.jpg" Columns="3" Rows="2" Rect="10,20,310,220" PowerRow="1"><!-- c -->
         <Row Wires="1,9,4,2" Solutions="1,2,7,3"/><Row Wires="0,-1,3" Solutions="1"/><Row Wires="1,1,1"/></C>)");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->background, "B.jpg");
  EXPECT_EQ(f->rect, (std::array<int, 4>{10, 20, 310, 220}));
  ASSERT_EQ(f->wires.size(), 2u) << "rows beyond Rows are ignored";
  EXPECT_EQ(f->wires[0], (std::vector<int>{1, 0, 4})) << "unknown types are holes, extra columns ignored";
  EXPECT_EQ(f->solutions[0], (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(f->wires[1], (std::vector<int>{0, 0, 3}));
  EXPECT_EQ(f->solutions[1], (std::vector<int>{1, 0, 0})) << "missing solutions are 0";
  Board b(*f);
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(b.TileAt(2, 1), 2);
  EXPECT_EQ(b.TileAt(1, 0), -1);
  EXPECT_FLOAT_EQ(b.At(1).solution, 3 * kQuarter);
  EXPECT_EQ(b.At(1).down, 2);
  EXPECT_EQ(b.At(2).up, 1);
  EXPECT_EQ(b.At(0).right + b.At(0).left + b.At(0).up + b.At(0).down, -4);
}

TEST(CircuitFile, RejectsBoardsItCannotDraw) {
  const char* bad[] = {R"(<C Columns="0" Rows="2" Rect="0,0,10,10"/>)",
                       R"(<C Columns="2" Rows="-1" Rect="0,0,10,10"/>)",
                       R"(<C Columns="65" Rows="2" Rect="0,0,10,10"/>)",
                       R"(<C Columns="2" Rows="100000" Rect="0,0,10,10"/>)",
                       R"(<C Columns="2" Rows="2" Rect="5,0,5,10"/>)",
                       R"(<C Columns="2" Rows="2" Rect="0,9,10,3"/>)",
                       R"(<C Columns="2" Rows="2"/>)",
                       R"(<C Columns="2" Rows="2" Rect="0,0,10,10" PowerRow="2"/>)",
                       R"(<C Columns="2" Rows="2" Rect="0,0,10,10" PowerRow="-1"/>)",
                       ""};
  for (const char* text : bad) {
    std::string why;
    EXPECT_FALSE(Parse(text, &why)) << text;
    EXPECT_FALSE(why.empty()) << text;
  }
  EXPECT_FALSE(LoadCircuitFile(nullptr));
  EXPECT_TRUE(Parse(R"(<C Columns="1" Rows="1" Rect="0,0,1,1"/>)"));
  EXPECT_TRUE(Parse(R"(<C Columns="64" Rows="64" Rect="0,0,1,1" PowerRow="63"/>)"));
}

TEST(CircuitBoard, FloodFollowsMatchingConnectionsOnly) {
  // Row 0: straight, elbow; row 1: straight, fork. Power enters row 0.
  Board b = Make({{3, 1}, {3, 2}});
  for (int i = 0; i < 4; ++i) b.Place(i, 0);
  // Tile 0 (up + down) is powered without "left" as the first tile and feeds tile 2 below; the
  // elbow (right + down) has no "left", so the right column stays dark.
  EXPECT_EQ(b.Flood(), 2);
  EXPECT_TRUE(b.At(0).powered && b.At(2).powered);
  EXPECT_FALSE(b.At(1).powered || b.At(3).powered);
  EXPECT_FALSE(b.AllPowered()) << "an unreached dead end keeps the board unsolved";
  b.Place(0, kQuarter);      // left + right
  b.Place(1, kQuarter);      // left + down
  b.Place(2, kQuarter);      // left + right, fed only from the fork on its right
  b.Place(3, 2 * kQuarter);  // left + up + right
  EXPECT_EQ(b.Flood(), 4);
  EXPECT_TRUE(b.AllPowered());
  // A turning tile carries nothing and powers nothing, even the first one.
  ASSERT_TRUE(b.Turn(1, true));
  EXPECT_EQ(b.Flood(), 1);
  ASSERT_TRUE(b.Turn(0, true));
  EXPECT_EQ(b.Flood(), 0);
  // No tile at the power row's first column: nothing is powered.
  Board gap = Make({{0, 4}});
  EXPECT_EQ(gap.Flood(), 0);
}

TEST(CircuitBoard, TurnsAnimateAndEndInsideOneTurn) {
  Board b = Make({{1, 4}});
  b.Place(0, 3 * kQuarter);
  EXPECT_FALSE(b.Turn(1, true)) << "a cross never turns";
  ASSERT_TRUE(b.Turn(0, true));
  EXPECT_FALSE(b.Turn(0, false)) << "a click while turning is ignored";
  EXPECT_EQ(b.At(0).Mask(), 0);
  EXPECT_TRUE(b.Advance(0.2f).empty());
  EXPECT_GT(b.At(0).angle, 3 * kQuarter);
  EXPECT_EQ(b.Advance(0.31f), std::vector<int>{0}) << "half a second per quarter";
  EXPECT_FLOAT_EQ(b.At(0).angle, 0) << "brought back into one turn";
  EXPECT_EQ(b.At(0).Mask(), 12);
  ASSERT_TRUE(b.Turn(0, false));
  Finish(b);
  EXPECT_FLOAT_EQ(b.At(0).angle, 3 * kQuarter);
  b.MarkSolved();
  EXPECT_FALSE(b.Turn(0, true));
}

TEST(CircuitBoard, ResetAndSolveNowTurnTheComparedWay) {
  // Solutions 0, 3, 1 for three elbows and a cross with solution 2.
  CircuitFile f;
  f.columns = 4, f.rows = 1, f.rect = {0, 0, 4, 1};
  f.wires = {{1, 1, 1, 4}};
  f.solutions = {{0, 3, 1, 2}};
  Board b(f);
  SeedRandom(11);
  b.Scramble();
  float start[3];
  for (int i = 0; i < 3; ++i) start[i] = b.At(i).angle;
  EXPECT_FLOAT_EQ(b.At(3).angle, 0) << "crosses start at 0";
  for (int i = 0; i < 3; ++i) {
    b.Turn(i, i != 1);
    Finish(b);
    b.Turn(i, i != 1);
    Finish(b);
  }
  const float before[3] = {b.At(0).angle, b.At(1).angle, b.At(2).angle};
  b.Reset();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(b.At(i).turning, start[i] != before[i]) << i;
    if (b.At(i).turning) {
      EXPECT_EQ(b.At(i).forwards, start[i] > before[i]) << i;
    }
  }
  EXPECT_FALSE(b.At(3).turning);
  Finish(b);
  for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(b.At(i).angle, start[i]) << "back to the first roll, not 0";

  b.Place(0, 2 * kQuarter);
  b.Place(1, kQuarter);
  b.Place(2, kQuarter);
  b.SolveNow();
  EXPECT_TRUE(b.At(0).turning && !b.At(0).forwards);
  EXPECT_TRUE(b.At(1).turning && b.At(1).forwards);
  EXPECT_FALSE(b.At(2).turning);
  EXPECT_FALSE(b.At(3).turning) << "solve-now leaves crosses alone";
  Finish(b);
  EXPECT_FLOAT_EQ(b.At(0).angle, 0);
  EXPECT_FLOAT_EQ(b.At(1).angle, 3 * kQuarter);
  EXPECT_FLOAT_EQ(b.At(3).angle, 0);
  b.MarkSolved();
  b.Place(0, kQuarter);
  b.Reset();
  EXPECT_FALSE(b.AnyTurning()) << "Reset is ignored once solved";
}

TEST(CircuitBoard, StartRollNeverLeavesTheBoardSolved) {
  // Two straights in the power row: solved when both lie across (a quarter in four rolls).
  int solvedFirstRolls = 0;
  for (int seed = 0; seed < 60; ++seed) {
    SeedRandom(unsigned(seed));
    const int a = (RandomValue() % 4 + 1) % 4, c = (RandomValue() % 4 + 1) % 4;
    solvedFirstRolls += (a % 2 == 1 && c % 2 == 1) ? 1 : 0;
    Board b = Make({{3, 3}});
    SeedRandom(unsigned(seed));
    b.Scramble();
    b.Flood();
    EXPECT_FALSE(b.AllPowered()) << "seed " << seed;
    EXPECT_FLOAT_EQ(b.At(0).start, b.At(0).angle);
  }
  EXPECT_GT(solvedFirstRolls, 0) << "the seeds should include a re-rolled board";
  // A board that every roll leaves solved still builds (the roll gives up instead of spinning).
  Board always = Make({{1}});
  always.Scramble();
  EXPECT_TRUE(always.AllPowered());
}

}  // namespace
