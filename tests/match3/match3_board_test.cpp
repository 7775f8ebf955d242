// The arcade board's rules without a scene: reading the file, the layout, groups, removal and
// green plates, refill through holes, falls, the shuffle, no-more-matches and the hint's choice.
#include "puzzles/match3_board.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/xml_document.h"

using namespace match3;

namespace {

std::optional<Match3File> Parse(const std::string& text) {
  XmlDocument doc;
  doc.LoadBytes(text.data(), text.size());
  return ReadMatch3File(doc);
}

Match3File Grid(int columns, std::vector<std::string> rows, int symbols = 4) {
  Match3File f;
  f.columns = columns;
  f.rows = int(rows.size());
  f.symbols = symbols;
  for (const std::string& r : rows)
    for (int c = 0; c < columns; ++c) f.cells.push_back(r[size_t(c)] == '1');
  return f;
}

// Draws the given values in turn, then repeats the last.
Board::RandomFn Sequence(std::vector<int> values) {
  auto i = std::make_shared<size_t>(0);
  return [values, i] { return values[std::min((*i)++, values.size() - 1)]; };
}

// A board filled with the symbols (row by row over its cells) and settled.
Board Filled(const Match3File& f, std::vector<int> symbolsBottomUpByColumn) {
  Board b(f, Sequence(std::move(symbolsBottomUpByColumn)));
  b.Refill(0);
  b.Step(100);
  return b;
}

std::vector<int> Symbols(const Board& b) {
  std::vector<int> s;
  for (int i = 0; i < b.CellCount(); ++i) s.push_back(b.TokenOn(i) ? b.TokenOn(i)->symbol : -1);
  return s;
}

TEST(Match3File, ReadsCellsHolesAndClamps) {
  struct Case {
    const char* xml;
    int columns, rows, symbols;
    std::vector<bool> cells;
  };
  const Case cases[] = {
      {R"(<M Cols="3" Rows="2" Symbols="6"><R Cells="101"/><R Cells="x11"/></M>)",
       3,
       2,
       4,
       {true, false, true, false, true, true}},
      // Short and missing rows are holes; comments are not rows; extra rows are ignored.
      {R"(<M Cols="3" Rows="3" Symbols="0"><R Cells="1"/><!-- note --><R Cells="111"/></M>)",
       3,
       3,
       1,
       {true, false, false, true, true, true, false, false, false}},
      {R"(<M Cols="2" Rows="1"><R Cells="11"/><R Cells="11"/></M>)", 2, 1, 4, {true, true}},
      {R"(<M Cols="2" Rows="1" Symbols="-3"><R/></M>)", 2, 1, 1, {false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    const auto f = Parse(c.xml);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->columns, c.columns);
    EXPECT_EQ(f->rows, c.rows);
    EXPECT_EQ(f->symbols, c.symbols);
    EXPECT_EQ(f->cells, c.cells);
  }
}

TEST(Match3File, RejectsBoardsWithoutColumnsOrRows) {
  for (const char* xml : {R"(<M Rows="2"/>)", R"(<M Cols="2"/>)", R"(<M Cols="-1" Rows="3"/>)",
                          R"(<M Cols="3" Rows="0"/>)", R"(<M Cols="100000" Rows="1"/>)", "not xml"}) {
    SCOPED_TRACE(xml);
    std::string why;
    XmlDocument doc;
    doc.LoadBytes(xml, std::strlen(xml));
    EXPECT_FALSE(ReadMatch3File(doc, &why));
    EXPECT_FALSE(why.empty());
  }
}

TEST(Match3Layout, FitsTheBoardByItsTrueAspect) {
  // The story's board on the 1024 x 768 frame lies at (161, 51)-(863, 665).
  const Layout l = ComputeLayout(8, 7, 0, 0, 1024, 768);
  EXPECT_NEAR(l.left, 161, 0.5);
  EXPECT_NEAR(l.top, 51, 0.5);
  EXPECT_NEAR(l.left + l.width, 863, 0.5);
  EXPECT_NEAR(l.top + l.height, 665, 0.5);
  EXPECT_NEAR(l.side, 614.4 / 7, 1e-3);
  // 3 x 2 is wider than the scene's 4:3 only in floating point: the width decides.
  const Layout wide = ComputeLayout(3, 2, 10, 20, 800, 600);
  EXPECT_FLOAT_EQ(wide.width, 640);
  EXPECT_FLOAT_EQ(wide.height, 640 / 1.5f);
  EXPECT_FLOAT_EQ(wide.left, 90);
  EXPECT_FLOAT_EQ(wide.RowCentreY(-1), wide.top - wide.height / 4);
}

TEST(Match3Board, NeighboursStopAtHolesAndEdges) {
  const Board b(Grid(3, {"110", "011"}));
  ASSERT_EQ(b.CellCount(), 4);
  EXPECT_EQ(b.CellIndex(2, 0), -1);
  EXPECT_EQ(b.CellIndex(3, 0), -1);
  const Cell& c = b.CellAt(b.CellIndex(1, 0));
  EXPECT_EQ(c.neighbours[kLeft], 0);
  EXPECT_EQ(c.neighbours[kUp], -1);
  EXPECT_EQ(c.neighbours[kRight], -1);
  EXPECT_EQ(c.neighbours[kDown], b.CellIndex(1, 1));
  EXPECT_EQ(b.RedCount(), 4);
}

TEST(Match3Board, GroupsFloodThroughAlikeNeighboursOnly) {
  // Refill draws column by column from the bottom: column 0 gives rows 2, 1, 0.
  //   row 0:  0 0 1
  //   row 1:  1 . 1
  //   row 2:  0 0 1
  const Board b = Filled(Grid(3, {"111", "101", "111"}), {0, 1, 0, 0, 0, 1, 1, 1});
  ASSERT_EQ(Symbols(b), (std::vector<int>{0, 0, 1, 1, 1, 0, 0, 1}));
  struct Case {
    int column, row;
    size_t size;
  };
  for (const Case& c : {Case{0, 0, 2}, Case{2, 0, 3}, Case{0, 1, 1}, Case{1, 2, 2}}) {
    const std::vector<int> g = b.GroupAt(b.CellIndex(c.column, c.row));
    EXPECT_EQ(g.size(), c.size) << c.column << "," << c.row;
    EXPECT_EQ(g.front(), b.CellIndex(c.column, c.row));
  }
  // The two pairs of zeros touch only across the hole: separate groups.
  EXPECT_EQ(b.GroupAt(b.CellIndex(0, 0)), (std::vector<int>{0, 1}));
  EXPECT_TRUE(b.GroupAt(-1).empty());
}

TEST(Match3Board, RemovalTurnsCellsGreenOnceAndRefillsThroughHoles) {
  // A single column with a hole in the middle: rows 0, 2, 3 are cells.
  Board b(Grid(1, {"1", "0", "1", "1"}), Sequence({2, 2, 3, 1, 0}));
  b.Refill(0);
  b.Step(100);
  ASSERT_EQ(Symbols(b), (std::vector<int>{3, 2, 2}));
  const int top = b.TokenOn(0)->id;
  EXPECT_EQ(b.Remove(b.GroupAt(2), 5), (std::vector<int>{2, 1}));
  EXPECT_EQ(b.RedCount(), 1);
  EXPECT_FLOAT_EQ(b.CellAt(2).greenTime, 5);
  b.Refill(5);
  // The top token falls over the hole to the bottom; new tokens come from rows -1 and -2.
  const Token* moved = b.TokenOn(2);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->id, top);
  EXPECT_FLOAT_EQ(moved->fromRow, 0.5f);
  EXPECT_FLOAT_EQ(moved->duration, FallDuration(3));
  EXPECT_FLOAT_EQ(b.TokenOn(1)->fromRow, -0.5f);
  EXPECT_FLOAT_EQ(b.TokenOn(0)->fromRow, -1.5f);
  EXPECT_EQ(Symbols(b), (std::vector<int>{0, 1, 3}));
  EXPECT_FALSE(b.Settled());
  // Nothing can be grouped or removed while tokens fall.
  EXPECT_TRUE(b.GroupAt(2).empty());
  EXPECT_TRUE(b.Remove({1, 2}, 5.1f).empty());
  b.Step(100);
  // Clearing a green cell again does not count it twice.
  Board again(Grid(2, {"11"}), Sequence({1}));
  again.Refill(0);
  again.Step(10);
  EXPECT_EQ(again.Remove(again.GroupAt(0), 1).size(), 2u);
  again.Refill(1);
  EXPECT_EQ(again.RedCount(), 0);
  EXPECT_TRUE(again.Tokens().empty()) << "a solved board is not refilled";
}

TEST(Match3Board, RemovalRefusesSingles) {
  Board b = Filled(Grid(2, {"11"}), {0, 1});
  EXPECT_TRUE(b.Remove(b.GroupAt(0), 1).empty());
  EXPECT_EQ(b.Tokens().size(), 2u);
  EXPECT_EQ(b.RedCount(), 2);
}

TEST(Match3Board, FallsEaseInAndLandOnce) {
  Board b(Grid(1, {"1", "1"}), Sequence({0}));
  b.Refill(0);
  const Token bottom = *b.TokenOn(1);  // from row -1 (centre -0.5) to 1.5: two rows
  const float d = FallDuration(2);
  EXPECT_FLOAT_EQ(d, 0.5f * std::sqrt(2 / 0.8f));
  EXPECT_FLOAT_EQ(b.TokenRow(bottom, 0), -0.5f);
  EXPECT_FLOAT_EQ(b.TokenRow(bottom, d / 2), -0.5f + 2 * 0.25f);
  EXPECT_FLOAT_EQ(b.TokenRow(bottom, 2 * d), 1.5f);
  EXPECT_TRUE(b.Step(d * 0.99f).landed.empty());
  // Both new tokens fall two rows, so they land together, once.
  const std::vector<int> landed = b.Step(d).landed;
  EXPECT_EQ(landed.size(), 2u);
  EXPECT_EQ(landed[0], bottom.id);
  EXPECT_TRUE(b.Step(d + 0.01f).landed.empty());
  EXPECT_TRUE(b.Settled());
}

TEST(Match3Board, ShuffleDropsEveryTokenOffTheScreenThenRefills) {
  Board b = Filled(Grid(2, {"11", "11"}), {0, 1, 2, 3, 1});
  b.SetLeaveLimit(4);  // the screen ends four rows below the board's top
  ASSERT_TRUE(b.StartShuffle(10));
  EXPECT_FALSE(b.Settled());
  EXPECT_FALSE(b.StartShuffle(10)) << "a second shuffle while the first runs";
  for (int i = 0; i < b.CellCount(); ++i) EXPECT_FALSE(b.TokenOn(i));
  const Token low = b.Tokens()[0];
  EXPECT_FLOAT_EQ(b.TokenRow(low, 11), low.fromRow + kLeaveFall * kTokenShare);
  // Gone when the top edge passes the limit: the lowest token (row 1.5) needs (4.4 - 1.5) / 1.8 s².
  EXPECT_FALSE(b.Step(10.5f).shuffleDone);
  EXPECT_EQ(b.Tokens().size(), 4u);
  const StepResult done = b.Step(12);
  EXPECT_TRUE(done.shuffleDone);
  EXPECT_TRUE(b.Tokens().empty());
  b.Refill(12);
  EXPECT_EQ(b.Tokens().size(), 4u);
  EXPECT_EQ(b.RedCount(), 4) << "leaving tokens turn nothing green";
}

TEST(Match3Board, NoMoreMatchesLooksRightAndDown) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    std::vector<int> draws;  // column by column, bottom up
    bool match;
  };
  const Case cases[] = {
      {"checkerboard", {"11", "11"}, {0, 1, 1, 0}, false},
      {"vertical pair", {"11", "11"}, {0, 0, 1, 2}, true},
      {"horizontal pair", {"11", "11"}, {0, 1, 0, 2}, true},
      {"alike only across a hole", {"101"}, {3, 3}, false},
      {"one symbol", {"1", "1"}, {0, 0}, true},
  };
  for (const Case& c : cases) {
    const Board b = Filled(Grid(int(c.rows[0].size()), c.rows), c.draws);
    EXPECT_EQ(b.HasMatch(), c.match) << c.name;
  }
}

TEST(Match3Board, HintPrefersRedCells) {
  // 3 x 2. The first six draws give   row 0: 0 0 1   row 1: 1 2 c   (c the fifth draw); clearing
  // the pair at (0, 0) greens cells 0 and 1, and the last two draws refill them.
  struct Case {
    const char* name;
    std::vector<int> draws;
    bool clear;
    int hint;
  };
  const Case cases[] = {
      {"all red: the first pair's cell", {1, 0, 2, 0, 3, 1}, false, 0},
      {"only green pairs: the first one", {1, 0, 2, 0, 3, 1, 3, 3}, true, 0},
      {"green cell, red partner below", {1, 0, 2, 0, 3, 1, 1, 2}, true, 3},
      {"green cell, red partner right", {1, 0, 2, 0, 3, 1, 3, 1}, true, 2},
      {"green pair first, red pair later", {1, 0, 2, 0, 2, 1, 3, 3}, true, 4},
      {"no pair", {1, 0, 2, 3, 3, 1}, false, -1},
  };
  for (const Case& c : cases) {
    Board b = Filled(Grid(3, {"111", "111"}), c.draws);
    if (c.clear) {
      ASSERT_EQ(b.Remove(b.GroupAt(0), 1).size(), 2u) << c.name;
      b.Refill(1);
      b.Step(100);
    }
    EXPECT_EQ(b.HintCell(), c.hint) << c.name;
  }
}

TEST(Match3Board, MarkAllGreenSolves) {
  Board b = Filled(Grid(2, {"11"}), {0, 1});
  b.MarkAllGreen(3);
  EXPECT_TRUE(b.Solved());
  EXPECT_TRUE(b.CellAt(1).green);
  EXPECT_TRUE(b.GroupAt(0).empty()) << "nothing to group once solved";
  EXPECT_FALSE(b.StartShuffle(4));
}

}  // namespace
