// The lockbox scene with real input: the story's moves played with the mouse, the solved
// sequence (flag, strip, prize sliding out, speech), Reset, solve-now and bad files.
#include <gtest/gtest.h>

#include "player/game_state.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/slide_puzzle_environment.h"
#include "puzzles/slide_puzzle_token.h"
#include "search/inventory_board.h"
#include "search/inventory_item.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr const char* kLockbox = "Puzzles\\SlidePuzzle\\SlidePuzzle.xml";

struct Move {
  float fromX, fromY, toX, toY;
};
constexpr Move kMoves[] = {{549.5f, 421.5f, 549.5f, 496.5f}, {699.5f, 421.5f, 699.5f, 496.5f},
                           {699.5f, 234, 699.5f, 309},       {549.5f, 196.5f, 624.5f, 196.5f},
                           {474.5f, 384, 474.5f, 234},       {362, 346.5f, 587, 346.5f},
                           {474.5f, 234, 474.5f, 309},       {624.5f, 196.5f, 549.5f, 196.5f},
                           {699.5f, 309, 699.5f, 234},       {587, 346.5f, 800, 346.5f}};

class SlideScene : public puzzletest::PuzzleTest {
 protected:
  CSlidePuzzleEnvironment* Open(const char* file = kLockbox) {
    auto* s = static_cast<CSlidePuzzleEnvironment*>(BuildSlidePuzzle(file));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  float CentreX(CSlidePuzzleEnvironment* s, int id) {
    return s->Board().At(s->Board().IndexOf(id)).rect.CentreX();
  }
};

TEST_F(SlideScene, TheStorysMovesSolveItWithFlagStripAndSpeech) {
  SaveStrip({{18, "HQ_PuzzleBox.tga", 1}});
  CSlidePuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Board().Count(), 10);
  EXPECT_GT(s->GetInventory()->GetScreenRect().left, float(kW) - 1) << "the strip waits off screen";
  for (size_t m = 0; m + 1 < std::size(kMoves); ++m) {
    const Move& mv = kMoves[m];
    Drag(mv.fromX, mv.fromY, mv.toX, mv.toY);
    EXPECT_FALSE(s->IsSolved()) << "move " << m + 1;
  }
  EXPECT_FLOAT_EQ(CentreX(s, 1), 587);
  const Move& last = kMoves[std::size(kMoves) - 1];
  Drag(last.fromX, last.fromY, last.toX, last.toY);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(96));
  EXPECT_EQ(DraggedObject(), nullptr);
  EXPECT_EQ(InventoryItemByClass(18), nullptr);
  ASSERT_TRUE(InventoryItemByClass(1));
  EXPECT_TRUE(Saying("SlidePuzzleSolved"));
  RunUntil(now_ + 0.6f);
  EXPECT_GE(s->Board().At(s->Board().IndexOf(1)).rect.left, float(kW) - 0.5f) << "the prize slid out";
  EXPECT_LT(s->GetInventory()->GetScreenRect().right, float(kW) + 1) << "the strip slid in";
  // Nothing moves once solved, and Reset is ignored.
  const float before = CentreX(s, 10);
  Drag(before, 196.5f, before + 75, 196.5f);
  s->OnNotify(s, kCmdReset);
  EXPECT_FLOAT_EQ(CentreX(s, 10), before);
}

TEST_F(SlideScene, ResetRestoresAndSolveNowTakesTheBlockOutOfHand) {
  CSlidePuzzleEnvironment* s = Open();
  Drag(549.5f, 421.5f, 549.5f, 496.5f);
  EXPECT_FLOAT_EQ(s->Board().At(s->Board().IndexOf(4)).rect.CentreY(), 496.5f);
  s->OnNotify(s, kCmdReset);
  EXPECT_FLOAT_EQ(s->Board().At(s->Board().IndexOf(4)).rect.CentreY(), 421.5f);
  // Holding a block when Skip solves it: the drag ends and input changes nothing.
  Frame(now_ + 0.02f, 362, 346, false);
  Frame(now_ + 0.02f, 362, 346, true);
  EXPECT_NE(DraggedObject(), nullptr);
  s->SolveNow();
  Frame(now_ + 0.02f, 300, 346, true);
  EXPECT_EQ(DraggedObject(), nullptr);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(96));
  EXPECT_TRUE(InventoryItemByClass(1));
}

TEST_F(SlideScene, BadFilesOpenNothing) {
  EXPECT_EQ(BuildSlidePuzzle("Puzzles\\Nowhere.xml"), nullptr);
  EXPECT_EQ(BuildSlidePuzzle(nullptr), nullptr);
  EXPECT_FALSE(boxes.empty());
}

}  // namespace
