// The shipped arcade board: the pizza with a slice taken has 36 plates, and every plate has a
// neighbour, so every plate can be part of a pair and turn green.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/xml_document.h"
#include "puzzles/match3_board.h"

using namespace match3;

TEST(Match3Content, EveryShippedCellHasANeighbour) {
  XmlDocument doc;
  ASSERT_EQ(doc.LoadFile(VARDELL_SOURCE_DIR "/content/database/Puzzles/Match3/Match3.xml"), 0);
  const auto f = ReadMatch3File(doc);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->columns, 8);
  EXPECT_EQ(f->rows, 7);
  EXPECT_EQ(f->symbols, 4);
  const Board b(*f);
  EXPECT_EQ(b.CellCount(), 36);
  for (int i = 0; i < b.CellCount(); ++i) {
    const auto& n = b.CellAt(i).neighbours;
    EXPECT_TRUE(std::any_of(n.begin(), n.end(), [](int x) { return x >= 0; }))
        << b.CellAt(i).column << "," << b.CellAt(i).row;
  }
  // The slice: (4..7, 3) are holes, so the narrow places join only to the left.
  for (int c = 4; c < 8; ++c) EXPECT_EQ(b.CellIndex(c, 3), -1);
}
