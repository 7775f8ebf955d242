// The jigsaw scene with real input: picking on the picture's pixels, dragging and snapping, the
// solved sequence with its speech, the prize's flight into the strip, Reset, solve-now, and the
// demo's jigsaw files.
#include <gtest/gtest.h>

#include <cmath>

#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/jigsaw_environment.h"
#include "puzzles/jigsaw_piece.h"
#include "puzzles/puzzle_button_board.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_inventory.h"
#include "puzzles/puzzle_rules.h"
#include "scene/cursor.h"
#include "search/inventory_board.h"
#include "search/inventory_item.h"
#include "search/inventory_saved.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr const char* kWarehouse = "Puzzles\\WarehouseJigsaw\\WarehouseJigsaw.xml";

class JigsawScene : public puzzletest::PuzzleTest {
 protected:
  CJigsawEnvironment* Open(const char* file = kWarehouse) {
    auto* j = static_cast<CJigsawEnvironment*>(BuildJigsaw(file));
    Frame(now_ + 0.02f, 1, 1, false);
    return j;
  }
  // Spreads the pieces far apart on the desk so that none covers or snaps to another.
  void Spread(CJigsawEnvironment* j) {
    for (int i = 0; i < jigsaw::kPieces; ++i) {
      j->MutableBoard().At(i).x = 110.0f + 75.0f * float(i % 6) * 1.6f;
      j->MutableBoard().At(i).y = 150.0f + 300.0f * float(i / 6);
    }
    j->SyncPieces();
  }
  // Drags piece i from its centre to its solved place beside the picture's first corner.
  void Place(CJigsawEnvironment* j, int i) {
    const float s = j->Board().Side(), step = jigsaw::kSpacing * s;
    const jigsaw::Piece& p = j->Board().At(i);
    Drag(p.x, p.y, 336.5f + step * float(i % 4), 267.0f + step * float(i / 4));
  }
  void SolveByHand(CJigsawEnvironment* j) {
    Spread(j);
    for (int i = 0; i < jigsaw::kPieces; ++i) Place(j, i);
  }
  CSpeechBalloon* Balloon(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return b;
    return nullptr;
  }
  std::vector<inventory::SavedItem> SavedStrip() {
    XmlDocument* doc = nullptr;
    const XmlNode node = FindProfileElement("InventoryBoard", &doc);
    if (!doc || node == kNoNode) return {};
    std::vector<inventory::SavedItem> items = inventory::ReadSavedItems(*doc, node, 99);
    doc->ReleaseNode(node);
    return items;
  }
};

TEST_F(JigsawScene, BuildsTwelveScatteredPiecesWithTheStripAway) {
  SaveStrip({{9, "PhotoScrap1.tga", 12}});
  CJigsawEnvironment* j = Open();
  ASSERT_TRUE(j);
  EXPECT_EQ(j->PieceCount(), 12);
  const float s = kW / 5.0f;
  EXPECT_FLOAT_EQ(j->Board().Side(), s);
  for (int i = 0; i < 12; ++i) {
    const ScreenRect r = j->GetPiece(i)->GetScreenRect();
    EXPECT_NEAR(r.Width(), s, 1e-3);
    EXPECT_GE(r.CenterX(), s - 1e-3);
    EXPECT_LE(r.CenterX(), kW - s + 1e-3);
    EXPECT_NEAR(j->GetPiece(i)->GetDepth(), 0.01f * float(i + 1), 1e-5);
  }
  EXPECT_STREQ(GetTextureName(j->GetPiece(11)->GetTexture()), "Puzzles\\WarehouseJigsaw\\Piece34.tga");
  ASSERT_TRUE(j->GetInventory());
  EXPECT_GE(j->GetInventory()->GetScreenRect().left, float(kW));
  EXPECT_EQ(j->GetButtonBoard()->ButtonCount(), 5);
}

TEST_F(JigsawScene, ArrivalSaysTheIntroOnceAndHelpAnyTime) {
  CJigsawEnvironment* j = Open();
  j->OnNotify(nullptr, kCmdArrived);
  EXPECT_TRUE(TestFlag(53));
  EXPECT_TRUE(Balloon("PhotoJigsawIntro"));
  Balloon("PhotoJigsawIntro")->Dismiss();
  RunUntil(2.0f);
  j->OnNotify(nullptr, kCmdArrived);  // a later arrival: the flag is set, nothing is said
  CSpeechBalloon* again = Balloon("PhotoJigsawIntro");
  EXPECT_TRUE(!again || again->GetState() == speech::FadeState::kClosing);
  j->OnNotify(nullptr, kCmdHelp);
  EXPECT_TRUE(Balloon("PhotoJigsawHelp"));
}

TEST_F(JigsawScene, PicksOnlyOnOpaquePixels) {
  CJigsawEnvironment* j = Open();
  Spread(j);
  CJigsawPiece* piece = j->GetPiece(0);
  const ScreenRect r = piece->GetScreenRect();
  // The clear margin outside the core: nothing is gripped.
  Frame(now_ + 0.02f, int(r.left + 0.1f * r.Width()), int(r.CenterY()), false);
  Frame(now_ + 0.02f, int(r.left + 0.1f * r.Width()), int(r.CenterY()), true);
  EXPECT_EQ(DraggedObject(), nullptr);
  Frame(now_ + 0.02f, x_, y_, false);
  // The core: gripped, lifted to the top, the grip kept while it moves.
  Frame(now_ + 0.02f, int(r.CenterX()) + 5, int(r.CenterY()), false);
  Frame(now_ + 0.02f, int(r.CenterX()) + 5, int(r.CenterY()), true);
  EXPECT_EQ(DraggedObject(), piece);
  EXPECT_EQ(piece->GetCursorKind(), kCursorClosedHand);
  EXPECT_GT(piece->GetDepth(), j->GetPiece(11)->GetDepth());
  Frame(now_ + 0.02f, 605, 400, true);
  EXPECT_NEAR(piece->GetScreenRect().CenterX(), 600, 1.0f);
  Frame(now_ + 0.02f, 605, 400, false);
  EXPECT_EQ(DraggedObject(), nullptr);
  EXPECT_EQ(piece->GetCursorKind(), kCursorOpenHand);
}

TEST_F(JigsawScene, AssembledByHandIsSolvedWithFlagSpeechAndStrip) {
  SaveStrip({{9, "PhotoScrap1.tga", 12}, {19, "HQ_BrassKey.tga", 1}});
  CJigsawEnvironment* j = Open();
  SolveByHand(j);
  EXPECT_EQ(j->Board().JoinedLinks(), 17);
  EXPECT_TRUE(j->IsSolved());
  EXPECT_TRUE(TestFlag(54));
  EXPECT_EQ(j->GetCompletingPiece(), j->GetPiece(11));
  EXPECT_TRUE(Balloon("PhotoJigsawSolved"));
  // The scraps left; the mended photo is promised to the strip (saved, not yet shown).
  EXPECT_EQ(InventoryItemByClass(9), nullptr);
  CInventoryItem* prize = InventoryItemByClass(10);
  ASSERT_TRUE(prize);
  EXPECT_EQ(prize->GetInstances(), 0);
  EXPECT_EQ(prize->GetPending(), 1);
  EXPECT_EQ(prize->GetSlot(), 0);  // the smallest free slot
  RunUntil(now_ + 0.6f);
  EXPECT_LT(j->GetInventory()->GetScreenRect().right, float(kW) + 1);
  // Input is over: a piece cannot be gripped any more.
  const ScreenRect r = j->GetPiece(5)->GetScreenRect();
  Click(int(r.CenterX()), int(r.CenterY()));
  EXPECT_EQ(DraggedObject(), nullptr);
}

TEST_F(JigsawScene, ClosingTheSpeechFliesThePictureIntoTheStrip) {
  SaveStrip({{9, "PhotoScrap1.tga", 12}});
  SetLastVenue("Warehouse_Safe");
  CJigsawEnvironment* j = Open();
  j->SolveNow();
  CSpeechBalloon* speech = Balloon("PhotoJigsawSolved");
  ASSERT_TRUE(speech);
  RunUntil(now_ + 0.6f);
  speech->Dismiss();
  ASSERT_TRUE(j->IsFlying());
  CInventoryItem* prize = InventoryItemByClass(10);
  ASSERT_TRUE(prize);
  const ScreenRect slot = prize->SlotRect();
  const CJigsawPiece::Flight f = j->GetCompletingPiece()->GetFlight();
  EXPECT_NEAR(f.targetX, slot.CenterX(), 1e-3);
  EXPECT_NEAR(f.targetWidth, j->Board().Side() / 10, 1e-3);
  EXPECT_GT(j->GetPiece(3)->GetDepth(), j->GetInventory()->GetDepth());
  RunUntil(now_ + 0.5f);
  EXPECT_LT(j->GetPiece(0)->GetScreenRect().Width(), j->Board().Side());  // shrinking on the way
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(j->PieceCount(), 0);
  EXPECT_EQ(prize->GetInstances(), 1);
  EXPECT_EQ(prize->What().file, "MendedPhoto.tga");
  EXPECT_EQ(prize->What().name, "Mended photo");
  EXPECT_FLOAT_EQ(prize->What().aspect, 2.0f);  // from its picture
  ASSERT_TRUE(GetShutter());
  EXPECT_EQ(GetShutter()->ClassId(), TypeId::kSearchEnvironment);
  EXPECT_STREQ(GetShutter()->Argument(), "Warehouse_Safe.xml");
}

TEST_F(JigsawScene, APrizeAlreadyHeldIsNotGivenTwice) {
  SaveStrip({{10, "MendedPhoto.tga", 1}, {9, "PhotoScrap1.tga", 12}});
  CJigsawEnvironment* j = Open();
  EXPECT_TRUE(StripHoldsPicture("Search\\HiddenObjects\\mendedphoto.TGA"));
  j->SolveNow();
  Balloon("PhotoJigsawSolved")->Dismiss();
  RunUntil(now_ + 1.2f);
  int photos = 0;
  for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) photos += i->GetClass() == 10;
  EXPECT_EQ(photos, 1);
  EXPECT_EQ(InventoryItemByClass(10)->GetInstances(), 1);
  EXPECT_EQ(AddInventoryItem(j->GetInventory(), 10, "MendedPhoto.tga", "Mended photo", nullptr), nullptr);
}

TEST_F(JigsawScene, QuittingDuringTheSpeechKeepsThePrize) {
  SaveStrip({{9, "PhotoScrap1.tga", 12}, {19, "HQ_BrassKey.tga", 1}});
  CJigsawEnvironment* j = Open();
  j->SolveNow();
  delete j;  // the game quits while the solved speech is still up
  const std::vector<inventory::SavedItem> items = SavedStrip();
  ASSERT_EQ(items.size(), 2u);
  bool photo = false;
  for (const inventory::SavedItem& i : items) {
    EXPECT_NE(i.itemClass, 9);
    if (i.itemClass == 10) {
      photo = true;
      EXPECT_EQ(i.texture, "MendedPhoto.tga");
      EXPECT_EQ(i.instances, 1);
    }
  }
  EXPECT_TRUE(photo);
}

TEST_F(JigsawScene, SolveNowDuringADragTakesThePieceOutOfHand) {
  CJigsawEnvironment* j = Open();
  Spread(j);
  const ScreenRect r = j->GetPiece(6)->GetScreenRect();
  Frame(now_ + 0.02f, int(r.CenterX()), int(r.CenterY()), false);
  Frame(now_ + 0.02f, int(r.CenterX()), int(r.CenterY()), true);
  ASSERT_EQ(DraggedObject(), j->GetPiece(6));
  j->SolveNow();
  EXPECT_EQ(DraggedObject(), nullptr);
  Frame(now_ + 0.02f, 900, 700, true);  // the button is still held and the pointer moves on
  const float s = j->Board().Side();
  const ScreenRect first = j->GetPiece(0)->GetScreenRect();
  EXPECT_NEAR(first.CenterX(), kW / 2.0f - s, 1e-3);
  EXPECT_NEAR(first.CenterY(), kH / 2.0f - 0.3f * s, 1e-3);
  EXPECT_NEAR(j->GetPiece(6)->GetScreenRect().CenterX(), first.CenterX() + 2 * jigsaw::kSpacing * s, 1e-3);
  EXPECT_TRUE(j->Board().IsComplete());
  EXPECT_TRUE(j->IsSolved());
  j->SolveNow();  // once only
  EXPECT_TRUE(j->IsSolved());
}

TEST_F(JigsawScene, ResetScattersAgainUntilSolved) {
  CJigsawEnvironment* j = Open();
  Spread(j);
  Place(j, 0);
  Place(j, 1);
  ASSERT_EQ(j->Board().JoinedLinks(), 1);
  j->OnNotify(nullptr, kCmdReset);
  EXPECT_EQ(j->Board().JoinedLinks(), 0);
  const float s = j->Board().Side();
  for (int i = 0; i < 12; ++i) {
    const jigsaw::Piece& p = j->Board().At(i);
    EXPECT_TRUE(p.x >= s && p.x <= kW - s && p.y >= s && p.y <= kH - s) << i;
    EXPECT_NEAR(p.depth, 0.01f * float(i + 1), 1e-5);
  }
  j->SolveNow();
  j->OnNotify(nullptr, kCmdReset);
  EXPECT_TRUE(j->Board().IsComplete());
}

TEST_F(JigsawScene, BadFilesOpenNothingOrPlayWithoutTheirStrings) {
  EXPECT_EQ(BuildJigsaw("Puzzles\\Nowhere.xml"), nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("Puzzles\\Nowhere.xml"), std::string::npos);
  EXPECT_EQ(BuildJigsaw(nullptr), nullptr);
  // A file with nothing in it: no flags are touched, nothing is said, and the way out still comes.
  SaveStrip({{0, "PhotoScrap1.tga", 1}});
  CJigsawEnvironment* j = Open("Puzzles\\Bare\\Bare.xml");
  ASSERT_TRUE(j);
  const bool tips = TestFlag(0);
  j->OnNotify(nullptr, kCmdArrived);
  j->SolveNow();
  EXPECT_EQ(TestFlag(0), tips);
  RunUntil(now_ + 1.5f);
  EXPECT_EQ(j->PieceCount(), 0);
  EXPECT_TRUE(GetShutter());
}

TEST_F(JigsawScene, EveryShippedJigsawLoadsAndItsSolvedLayoutCompletesIt) {
  const std::vector<std::string> files = puzzletest::ShippedJigsawFiles();
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) {
    CJigsawEnvironment* j = Open(file.c_str());
    ASSERT_TRUE(j) << file;
    EXPECT_FALSE(j->File().path.empty()) << file;
    EXPECT_FALSE(j->File().solutionImage.empty()) << file;
    EXPECT_GE(j->File().startedFlag, 1) << file;
    EXPECT_GE(j->File().solvedFlag, 1) << file;
    j->SolveNow();
    EXPECT_TRUE(j->Board().IsComplete()) << file;
    EXPECT_TRUE(j->IsSolved()) << file;
    delete j;
  }
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
