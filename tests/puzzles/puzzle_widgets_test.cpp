// The small widgets and helpers single puzzles use: the patch (click area, texture window,
// highlight, blink), the check box's tick, the shared drag, and items given to the strip.
#include <gtest/gtest.h>

#include "puzzles/puzzle_checkbox.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_environment.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_inventory.h"
#include "puzzles/puzzle_patch.h"
#include "scene/cursor.h"
#include "search/inventory_item.h"

namespace {

class Listener : public CPuzzleEnvironment {
 public:
  Listener() : CPuzzleEnvironment(0x02, nullptr) {}
  void OnNotify(CGameObject* sender, int code) override {
    heard.push_back(code);
    CPuzzleEnvironment::OnNotify(sender, code);
  }
  std::vector<int> heard;
};

using PuzzleWidgets = puzzletest::PuzzleTest;

TEST_F(PuzzleWidgets, PatchClicksInItsOwnAreaWhateverItsOpacity) {
  auto* scene = new Listener();
  const ScreenRect shown(100, 100, 200, 200), click(0, 0, 512, 384);
  auto* patch = new CPuzzlePatch(scene, shown, "Puzzles\\PuzzleButtonBoard.tga", 77, CPuzzlePatch::kHighlight,
                                 nullptr, &click);
  EXPECT_FLOAT_EQ(patch->GetDepth(), scene->GetDepth() + 0.01f);
  EXPECT_EQ(patch->GetScreenRect(), shown);  // the scene covers exactly the content frame here
  EXPECT_EQ(patch->TextureRect(), ScreenRect(100 / 1024.f, 100 / 768.f, 200 / 1024.f, 200 / 768.f));
  EXPECT_EQ(patch->GetOpacity(), 0.0f);  // highlight patches wait unlit
  Frame(now_ + 0.02f, 400, 300, false);  // outside the picture, inside the click area
  Frame(now_ + 0.02f, 400, 300, true);
  EXPECT_EQ(scene->heard, std::vector<int>{77});
  EXPECT_EQ(patch->GetOpacity(), 1.0f);  // lit while pressed
  Frame(now_ + 0.02f, 400, 300, false);
  EXPECT_EQ(patch->GetOpacity(), 0.0f);
  Click(700, 600);  // outside both
  EXPECT_EQ(scene->heard.size(), 1u);
}

TEST_F(PuzzleWidgets, PatchOfCommandZeroNeverTakesThePointer) {
  auto* scene = new Listener();
  const ScreenRect uv(0, 0, 1, 1);
  auto* patch = new CPuzzlePatch(scene, ScreenRect(0, 0, 1024, 768), "Puzzles\\PuzzleButtonBoard.tga", 0,
                                 CPuzzlePatch::kBlink, &uv);
  EXPECT_EQ(patch->TextureRect(), uv);
  Click(500, 400);
  EXPECT_TRUE(scene->heard.empty());
  EXPECT_EQ(patch->HitTest(), kHitNone);
  EXPECT_EQ(patch->GetCursorKind(), 0);
  struct Case {
    float t;
    bool on;
  } blink[] = {{0, true},    {0.25f, true}, {0.26f, false}, {0.49f, false},
               {0.5f, true}, {10.7f, true}, {10.8f, false}};
  for (const Case& c : blink) EXPECT_EQ(CPuzzlePatch::BlinkOn(c.t), c.on) << c.t;
}

TEST_F(PuzzleWidgets, TickIsWrittenInOverOneSecondOnce) {
  auto* scene = new Listener();
  auto* box = new CPuzzleCheckbox(ScreenRect(10, 10, 74, 74), 1.0f, scene);
  EXPECT_STREQ(GetTextureName(box->GetTexture()), "Puzzles\\CheckmarkBkgd.png");
  EXPECT_FALSE(box->IsTicked());
  RunUntil(1.0f);
  EXPECT_EQ(box->TickFraction(now_), 0.0f);
  box->Tick();
  RunUntil(1.5f);
  box->Tick();  // a second tick keeps the first one's start
  EXPECT_NEAR(box->TickFraction(now_), 0.5f, 1e-3);
  EXPECT_EQ(box->TickFraction(now_ + 5), 1.0f);
  box->Render(device_);  // draws the box and the tick's written part
}

TEST_F(PuzzleWidgets, OneThingIsDraggedAndItsDeathEndsTheDrag) {
  auto* scene = new Listener();
  auto* a = new CSprite(ScreenRect(0, 0, 10, 10), 1, nullptr, scene);
  auto* b = new CSprite(ScreenRect(0, 0, 10, 10), 1, nullptr, scene);
  EXPECT_EQ(puzzle::DragCursorKind(), kCursorOpenHand);
  EXPECT_TRUE(puzzle::BeginDrag(a, 5, 5, 8, 9));
  EXPECT_FALSE(puzzle::BeginDrag(b, 0, 0, 0, 0));
  EXPECT_EQ(puzzle::DragCursorKind(), kCursorClosedHand);
  float x = 0, y = 0;
  puzzle::DragTarget(100, 100, x, y);
  EXPECT_FLOAT_EQ(x, 97);
  EXPECT_FLOAT_EQ(y, 96);
  puzzle::EndDragOf(b);  // not the carried one
  EXPECT_TRUE(puzzle::IsDragged(a));
  delete a;
  EXPECT_EQ(puzzle::DraggedObject(), nullptr);
  EXPECT_TRUE(puzzle::BeginDrag(b, 0, 0, 0, 0));
  delete scene;  // the scene going ends the drag
  EXPECT_EQ(puzzle::DraggedObject(), nullptr);
}

TEST_F(PuzzleWidgets, NewItemsTakeTheSmallestSlotAndTheirPicturesAspect) {
  SaveStrip({{19, "HQ_BrassKey.tga", 1}, {9, "PhotoScrap1.tga", 3}});
  auto* scene = new Listener();
  ASSERT_TRUE(scene->GetInventory());
  CInventoryItem* item = puzzle::AddInventoryItem(
      scene->GetInventory(), 10, "Search\\HiddenObjects\\MendedPhoto.tga", "Mended photo", "Mended photos");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetSlot(), 2);
  EXPECT_EQ(item->GetInstances(), 1);
  EXPECT_EQ(item->What().file, "MendedPhoto.tga");  // stored without its folder
  EXPECT_FLOAT_EQ(item->What().aspect, 2.0f);
  EXPECT_EQ(puzzle::AddInventoryItem(scene->GetInventory(), 10, "MENDEDPHOTO.tga", "Again", nullptr),
            nullptr);
  EXPECT_EQ(puzzle::AddInventoryItem(scene->GetInventory(), 11, "", "Nothing", nullptr), nullptr);
  EXPECT_EQ(puzzle::AddInventoryItem(nullptr, 11, "X.tga", "No strip", nullptr), nullptr);
  EXPECT_TRUE(puzzle::RemoveInventoryClass(9));
  EXPECT_FALSE(puzzle::RemoveInventoryClass(9));
  EXPECT_EQ(puzzle::StoredPictureName("Search\\HiddenObjects\\"), "Search\\HiddenObjects\\");
}

}  // namespace
