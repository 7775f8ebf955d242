// The jewel setting with real input: the tangled start, picking stones by their pixels, dragging
// every stone to the ring, the stones used up when solved, Reset and Skip moving the stones while
// input waits.
#include <gtest/gtest.h>

#include <cmath>

#include "data/xml_document.h"
#include "player/game_state.h"
#include "puzzles/jewel_puzzle_environment.h"
#include "puzzles/jewel_puzzle_token.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "search/inventory_saved.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

class JewelScene : public puzzletest::PuzzleTest {
 protected:
  CJewelPuzzleEnvironment* Open() {
    auto* s = static_cast<CJewelPuzzleEnvironment*>(BuildJewelPuzzle(nullptr));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  static float X(const jewel::Point& p) { return p.x * kW; }
  static float Y(const jewel::Point& p) { return p.y * kH; }
  static ScreenRect At(CJewelPuzzleEnvironment* s, int i) { return s->GetToken(i)->GetScreenRect(); }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  std::vector<int> SavedClasses() {
    XmlDocument* doc = nullptr;
    const XmlNode node = FindProfileElement("InventoryBoard", &doc);
    if (!doc || node == kNoNode) return {};
    std::vector<int> classes;
    for (const auto& item : inventory::ReadSavedItems(*doc, node, 99)) classes.push_back(item.itemClass);
    doc->ReleaseNode(node);
    return classes;
  }
  // A stone no other stone overlaps, so a press on its middle finds it.
  int Lone(CJewelPuzzleEnvironment* s) {
    for (int i = 0; i < jewel::kStones; ++i) {
      bool alone = true;
      for (int j = 0; j < jewel::kStones; ++j)
        alone = alone && (j == i || std::hypot(At(s, j).CenterX() - At(s, i).CenterX(),
                                               At(s, j).CenterY() - At(s, i).CenterY()) > 40);
      if (alone) return i;
    }
    return 0;
  }
  // Every stone to its place in the ring, as a player would: a stone whose place is taken by a
  // stone still waiting goes later, so each press finds the stone it means.
  void DragToRing(CJewelPuzzleEnvironment* s) {
    std::vector<bool> moved(jewel::kStones, false);
    for (int pass = 0; pass < jewel::kStones; ++pass) {
      for (int i = 0; i < jewel::kStones; ++i) {
        if (moved[size_t(i)]) continue;
        const jewel::Point home = s->SolvedLayout()[size_t(i)];
        bool blocked = false;
        for (int j = 0; j < jewel::kStones; ++j)
          blocked = blocked || (j != i && !moved[size_t(j)] &&
                                std::hypot(At(s, j).CenterX() - X(home), At(s, j).CenterY() - Y(home)) < 40);
        if (blocked) continue;
        Drag(At(s, i).CenterX(), At(s, i).CenterY(), X(home), Y(home));
        moved[size_t(i)] = true;
      }
    }
  }
};

TEST_F(JewelScene, StartsTangledWithTintedStonesAndColouredChains) {
  CJewelPuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  EXPECT_GT(s->CrossingChains(), 0);
  int owned = 0;
  for (int i = 0; i < jewel::kStones; ++i) {
    CJewelPuzzleToken* t = s->GetToken(i);
    ASSERT_TRUE(t);
    EXPECT_NEAR(At(s, i).Width(), 0.05f * kH, 1e-3);
    EXPECT_NEAR(At(s, i).CenterX(), X(s->StartLayout()[size_t(i)]), 1e-2);
    EXPECT_GT(t->GetDepth(), s->GetChain(0)->GetDepth());
    EXPECT_EQ(t->GetColor(), jewel::StoneColour(i));
    owned += t->Crossings();
  }
  EXPECT_EQ(owned, s->CrossingChains());
  const auto crossing = jewel::Crossings(s->CurrentLayout());
  for (int c = 0; c < jewel::kChains; ++c) {
    CSprite* chain = s->GetChain(c);
    const jewel::Chain& link = jewel::kGraph[size_t(c)];
    EXPECT_EQ(chain->GetColor(), crossing[size_t(c)] ? 0xFFFF0000u : 0xFF00FF00u) << c;
    EXPECT_NEAR(chain->GetScreenRect().CenterX(),
                (At(s, link.owner).CenterX() + At(s, link.other).CenterX()) / 2, 1e-2);
  }
  s->OnNotify(s, kCmdArrived);
  EXPECT_TRUE(TestFlag(83));
  EXPECT_TRUE(Saying("JewelPuzzleHelp"));
}

TEST_F(JewelScene, StonesArePickedByTheirPixelsAndGoAnywhere) {
  CJewelPuzzleEnvironment* s = Open();
  // A stone moved off to a corner, where no other stone lies.
  const int k = Lone(s);
  Drag(At(s, k).CenterX(), At(s, k).CenterY(), 30, 30);
  EXPECT_NEAR(At(s, k).CenterX(), 30, 0.5);
  EXPECT_NEAR(At(s, k).CenterY(), 30, 0.5);
  // Its clear corner grips nothing; its middle does, and the hand closes.
  const ScreenRect r = At(s, k);
  Frame(now_ + 0.02f, int(r.left + 1), int(r.top + 1), false);
  Frame(now_ + 0.02f, int(r.left + 1), int(r.top + 1), true);
  EXPECT_EQ(DraggedObject(), nullptr);
  Frame(now_ + 0.02f, 30, 30, false);
  Frame(now_ + 0.02f, 30, 30, true);
  EXPECT_EQ(DraggedObject(), s->GetToken(k));
  EXPECT_EQ(s->GetToken(k)->GetCursorKind(), DragCursorKind());
  // Let go outside the window: the drag ends with the next frame.
  Frame(now_ + 0.02f, -50, 900, false);
  EXPECT_EQ(DraggedObject(), nullptr);
  // A press where the pointer jumped to takes no stone it covered a frame before.
  Frame(now_ + 0.02f, 30, 30, false);
  Frame(now_ + 0.02f, 5, 700, true);
  EXPECT_EQ(DraggedObject(), nullptr);
}

TEST_F(JewelScene, DraggingEveryStoneToTheRingSolvesAndUsesTheStonesUp) {
  SaveStrip({{15, "Jewel.tga", 13}, {4, "CodeTag.tga", 1}});
  CJewelPuzzleEnvironment* s = Open();
  DragToRing(s);
  Frame(now_ + 0.02f, 1, 1, false);
  EXPECT_EQ(s->CrossingChains(), 0);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(82));
  EXPECT_EQ(SavedClasses(), std::vector<int>{4});
  EXPECT_TRUE(Saying("JewelPuzzleSolved"));
  // Solved: nothing moves any more, Reset included.
  const ScreenRect before = At(s, 5);
  Drag(before.CenterX(), before.CenterY(), 100, 100);
  s->OnNotify(s, kCmdReset);
  RunUntil(now_ + 1.1f);
  EXPECT_NEAR(At(s, 5).CenterX(), before.CenterX(), 1e-3);
}

TEST_F(JewelScene, ResetAndSkipMoveTheStonesWhileInputWaits) {
  CJewelPuzzleEnvironment* s = Open();
  const int k = Lone(s);
  Drag(At(s, k).CenterX(), At(s, k).CenterY(), 40, 700);
  EXPECT_NEAR(At(s, k).CenterY(), 700, 0.5);
  s->OnNotify(s, kCmdReset);
  RunUntil(now_ + 0.3f);
  const ScreenRect flying = At(s, k);
  Drag(flying.CenterX(), flying.CenterY(), 900, 60);
  EXPECT_EQ(DraggedObject(), nullptr) << "no grip on a stone on its way";
  RunUntil(now_ + 1.0f);
  for (int i = 0; i < jewel::kStones; ++i) {
    EXPECT_NEAR(At(s, i).CenterX(), X(s->StartLayout()[size_t(i)]), 0.01) << i;
    EXPECT_NEAR(At(s, i).CenterY(), Y(s->StartLayout()[size_t(i)]), 0.01) << i;
  }
  EXPECT_FALSE(s->IsSolved());

  s->SolveNow();
  RunUntil(now_ + 0.3f);
  const ScreenRect moving = At(s, 4);
  Drag(moving.CenterX(), moving.CenterY(), 60, 60);
  s->OnNotify(s, kCmdReset);
  EXPECT_FALSE(s->IsSolved()) << "solved only once the stones have landed";
  RunUntil(now_ + 1.0f);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(82));
  for (int i = 0; i < jewel::kStones; ++i) {
    EXPECT_NEAR(At(s, i).CenterX(), X(s->SolvedLayout()[size_t(i)]), 0.01) << i;
    EXPECT_NEAR(At(s, i).CenterY(), Y(s->SolvedLayout()[size_t(i)]), 0.01) << i;
  }
}

}  // namespace
