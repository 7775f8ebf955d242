// The shipped fuse box: its solution turns power all 29 tiles from the cable, as the story says.
#include <gtest/gtest.h>

#include "data/xml_document.h"
#include "puzzles/circuit_board.h"

using namespace circuit;

TEST(CircuitContent, ShippedSolutionsPowerEveryTile) {
  XmlDocument doc;
  ASSERT_EQ(doc.LoadFile(VARDELL_SOURCE_DIR "/content/database/Puzzles/CircuitPuzzle/CircuitPuzzle.xml"), 0);
  const auto f = ReadCircuitFile(doc);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->background, "Background.jpg");
  EXPECT_EQ(f->rect, (std::array<int, 4>{212, 134, 812, 634}));
  EXPECT_EQ(f->powerRow, 2);
  Board b(*f);
  ASSERT_EQ(b.Count(), 29);
  EXPECT_EQ(b.TileAt(5, 0), -1);
  const int masks[5][6] = {{6, 13, 5, 13, 9, -1},
                           {5, 15, 3, 10, 7, 12},
                           {5, 7, 13, 15, 13, 11},
                           {13, 9, 10, 3, 10, 10},
                           {6, 13, 5, 5, 7, 6}};
  for (int i = 0; i < b.Count(); ++i) {
    b.Place(i, b.At(i).solution);
    EXPECT_EQ(b.At(i).Mask(), masks[b.At(i).row][b.At(i).column]) << "tile " << i;
  }
  EXPECT_EQ(b.Flood(), 29);
  EXPECT_TRUE(b.AllPowered());
  EXPECT_TRUE(b.At(b.TileAt(0, 2)).Mask() & kLeft) << "the first tile takes the cable";
}
