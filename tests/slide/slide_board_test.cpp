// The lockbox's rules without a scene: reading the file, the axis, the limits against the grid,
// the exit and other blocks, thumps once per contact, the exit once.
#include "puzzles/slide_board.h"

#include <gtest/gtest.h>

#include <string>

#include "data/xml_document.h"

using namespace slide;

namespace {

std::optional<SlideFile> Parse(const std::string& text) {
  XmlDocument doc;
  doc.LoadBytes(text.data(), text.size());
  return ReadSlideFile(doc);
}

// A 4 x 4 board of 100-unit cells from (0, 0), exit row 1, exit at x 500.
Board Small() {
  return Board({0, 0, 400, 400}, 4, 4, 1, 500);
}

TEST(SlideFile, ReadsAttributesTokensAndDefaults) {
  const auto f = Parse(
      R"(<SlidePuzzle Background="B.jpg" Columns="6" Rows="5" ExitRow="2" ExitLimit="812" Rectangle="1,2,3,4"
          Prize="P.png" PrizeToken="7" InventoryID="3" InventoryImage="K.tga" InventoryNameSingular="Key"
          InventoryNamePlural="Keys"><Tokens><Token ID="7" Start="0,2" End="1,2"/><!-- c --><Other/>
          <Token ID="8" Start="1" End="2,3,4"/></Tokens></SlidePuzzle>)");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->background + f->prize + f->inventoryImage + f->inventorySingular + f->inventoryPlural,
            "B.jpgP.pngK.tgaKeyKeys");
  EXPECT_EQ(f->columns * 100 + f->rows, 605);
  EXPECT_EQ(f->exitRow, 2);
  EXPECT_EQ(f->exitLimit, 812);
  EXPECT_EQ(f->prizeToken, 7);
  EXPECT_EQ(f->inventoryId, 3);
  EXPECT_EQ(f->rectangle, (std::array<int, 4>{1, 2, 3, 4}));
  ASSERT_EQ(f->tokens.size(), 2u);
  EXPECT_EQ(f->tokens[0].end.column, 1);
  EXPECT_EQ(f->tokens[1].id, 8);
  // Not exactly two values: (0, 0).
  EXPECT_EQ(
      f->tokens[1].start.column + f->tokens[1].start.row + f->tokens[1].end.column + f->tokens[1].end.row, 0);
  // Three rectangle values give an empty grid at the origin.
  const auto g = Parse(R"(<S Columns="1" Rows="1" Rectangle="5,6,7"/>)");
  ASSERT_TRUE(g);
  EXPECT_EQ(g->rectangle, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_TRUE(g->tokens.empty());
}

TEST(SlideFile, RejectsAGridWithoutCells) {
  for (const char* text : {R"(<S Columns="0" Rows="6"/>)", R"(<S Columns="6" Rows="-1"/>)", R"(<S/>)", ""})
    EXPECT_FALSE(Parse(text)) << text;
}

TEST(SlideFile, PictureNames) {
  const struct {
    TokenDef token;
    const char* name;
  } cases[] = {{{1, {1, 2}, {2, 2}}, "Horizontal2.png"},
               {{1, {4, 0}, {2, 0}}, "Horizontal3.png"},
               {{1, {0, 0}, {0, 1}}, "Vertical2.png"},
               {{1, {3, 4}, {3, 2}}, "Vertical3.png"},
               {{1, {2, 2}, {2, 2}}, "Horizontal1.png"}};
  for (const auto& c : cases) EXPECT_EQ(BlockPictureName(c.token), c.name);
}

TEST(SlideBoard, BlocksAreShrunkCellsAndTheAxisFollowsTheEnds) {
  Board b = Small();
  const int h = b.AddBlock(1, {2, 1}, {1, 1});
  const int v = b.AddBlock(2, {3, 0}, {3, 1});
  const int one = b.AddBlock(3, {0, 3}, {0, 3});
  EXPECT_FLOAT_EQ(b.At(h).rect.left, 102);
  EXPECT_FLOAT_EQ(b.At(h).rect.right, 298);
  EXPECT_FLOAT_EQ(b.At(h).rect.top, 101);
  EXPECT_TRUE(b.At(h).horizontal);
  EXPECT_FALSE(b.At(v).horizontal);
  EXPECT_FALSE(b.At(one).horizontal);  // a square cell: not wider than tall
  Board wide({0, 0, 400, 200}, 4, 4, 1, 500);
  EXPECT_TRUE(wide.At(wide.AddBlock(1, {0, 0}, {0, 0})).horizontal);
  EXPECT_EQ(b.BlockAt(350, 150), v);
  EXPECT_EQ(b.BlockAt(50, 50), -1);
  EXPECT_EQ(b.IndexOf(3), one);
  EXPECT_EQ(b.IndexOf(9), -1);
}

TEST(SlideBoard, LimitsAgainstEdgesExitAndOtherBlocks) {
  Board b = Small();
  const int inExit = b.AddBlock(1, {0, 1}, {1, 1});
  const int other = b.AddBlock(2, {0, 2}, {1, 2});
  const int vertical = b.AddBlock(3, {3, 2}, {3, 3});
  const struct {
    int block;
    float lower, upper;
  } cases[] = {{inExit, 0, 500}, {other, 0, 301}, {vertical, 0, 400}};
  for (const auto& c : cases) {
    ASSERT_TRUE(b.Pick(c.block));
    EXPECT_FLOAT_EQ(b.Lower(), c.lower) << c.block;
    EXPECT_FLOAT_EQ(b.Upper(), c.upper) << c.block;
    EXPECT_FALSE(b.Pick(c.block)) << "one block at a time";
    b.Release();
  }
  // A block left between cells narrows by its actual edges.
  b.Pick(vertical);
  b.MoveTo(240);  // spans 142..338
  b.Release();
  ASSERT_TRUE(b.Pick(inExit));
  EXPECT_FLOAT_EQ(b.Upper(), 301);
  const auto r = b.MoveTo(1000);
  EXPECT_FALSE(r.exited) << "a block in the way closes the exit";
  EXPECT_TRUE(r.thump);
  EXPECT_FLOAT_EQ(b.At(inExit).rect.right, 301);
}

TEST(SlideBoard, ThumpsOncePerContactAndExitsOnce) {
  Board b = Small();
  const int p = b.AddBlock(1, {1, 1}, {2, 1});
  b.AddBlock(2, {0, 0}, {0, 3});
  ASSERT_TRUE(b.Pick(p));
  const struct {
    float to;
    bool thump;
    Side resting;
    float centre;
  } steps[] = {{250, false, kNone, 250}, {150, true, kLeft, 197},  {120, false, kLeft, 197},
               {180, false, kLeft, 197}, {260, false, kNone, 260}, {90, true, kLeft, 197}};
  for (const auto& s : steps) {
    const auto r = b.MoveTo(s.to);
    EXPECT_EQ(r.thump, s.thump) << s.to;
    EXPECT_EQ(b.Resting(), s.resting) << s.to;
    EXPECT_FLOAT_EQ(b.At(p).rect.CentreX(), s.centre) << s.to;
    EXPECT_FLOAT_EQ(b.At(p).rect.CentreY(), 150) << "the other coordinate stays";
  }
  EXPECT_FALSE(b.Solved());
  const auto out = b.MoveTo(480);
  EXPECT_TRUE(out.exited);
  EXPECT_FALSE(out.thump);
  EXPECT_TRUE(b.Solved());
  EXPECT_EQ(b.Dragged(), -1) << "leaving ends the drag";
  EXPECT_FALSE(b.MoveTo(490).exited) << "the exit reports once";
  EXPECT_FALSE(b.Pick(p)) << "nothing moves once solved";
  b.Reset();
  EXPECT_FLOAT_EQ(b.At(p).rect.right, 500) << "Reset is ignored once solved";
}

TEST(SlideBoard, OutsideTheExitRowStopsAtTheGridAndResetRestores) {
  Board b = Small();
  const int h = b.AddBlock(1, {0, 0}, {1, 0});
  const int v = b.AddBlock(2, {3, 1}, {3, 2});
  ASSERT_TRUE(b.Pick(v));
  b.MoveTo(900);
  EXPECT_FLOAT_EQ(b.At(v).rect.bottom, 400);
  EXPECT_EQ(b.Resting(), kBottom);
  b.Release();
  ASSERT_TRUE(b.Pick(h));
  EXPECT_FALSE(b.MoveTo(900).exited);
  EXPECT_EQ(b.Resting(), kRight);
  EXPECT_FLOAT_EQ(b.At(h).rect.right, 400);
  b.Reset();
  EXPECT_EQ(b.Dragged(), -1);
  EXPECT_FLOAT_EQ(b.At(h).rect.left, 2);
  EXPECT_FLOAT_EQ(b.At(v).rect.top, 102);
}

}  // namespace
