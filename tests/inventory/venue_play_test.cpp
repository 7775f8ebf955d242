// Hints, the click penalty, the strip and portals in the demo's venues on the null device:
// clicks go through the real hit tests and frame updates.
#include <cmath>

#include "effects/particle_trail.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "scene/cursor.h"
#include "scene/text_sprite.h"
#include "search/hidden_object.h"
#include "search/hint_button.h"
#include "search/hint_halo.h"
#include "search/inventory_board.h"
#include "search/inventory_layout.h"
#include "search/inventory_saved.h"
#include "search/portal.h"
#include "search/search_environment.h"
#include "search/search_parts.h"
#include "search/venue_fixture.h"
#include "search/venue_parts.h"
#include "search/wrong_clicks.h"
#include "ui/speech_balloon.h"

namespace venuetest {
namespace {

const inventory::SavedItem kDockKey{0, 1, "Dock key", "Dock keys", "DockKey.tga", 1, 1.0f};
const inventory::SavedItem kBrassKey{0, 19, "Brass key", "Brass keys", "HQ_BrassKey.tga", 1, 2.16f};
const inventory::SavedItem kStethoscope{1, 13, "Stethoscope", "Stethoscopes", "WH_Stethoscope.tga", 1, 1.5f};

int CountOfType(int typeId) {
  int n = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) n += o->GetTypeId() == typeId ? 1 : 0;
  return n;
}

std::string LastSpeech() {
  std::string key;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext())
    if (o->GetTypeId() == TypeId::kSpeechBalloon) key = static_cast<CSpeechBalloon*>(o)->GetKey();
  return key;
}

std::vector<inventory::SavedItem> SavedStrip() {
  XmlDocument* doc = nullptr;
  const XmlNode board = FindProfileElement("InventoryBoard", &doc);
  if (!doc || board == kNoNode) return {};
  ScopedXmlNode scoped(*doc, board);
  return inventory::ReadSavedItems(*doc, board, inventory::VisibleSlots());
}

class VenuePlay : public VenueTest {
 protected:
  void SetUp() override {
    VenueTest::SetUp();
    if (IsSkipped()) return;
    InstallSearchParts(GetVenueParts());
    hint::ResetHintChargeForTests();
    ResetWrongClicks();
    ResetInventoryModuleForTests();
  }
  // The player carries these items, as a profile saved elsewhere would.
  void Carry(const std::vector<inventory::SavedItem>& items) {
    XmlNode root = kNoNode;
    XmlDocument* doc = ProfileDocument(&root);
    ASSERT_NE(doc, nullptr);
    ScopedXmlNode scoped(*doc, root);
    inventory::WriteSavedItems(*doc, root, items);
  }
  void Settle(CSearchEnvironment* venue) {
    for (int i = 0; i < 400; ++i) {
      bool flying = false;
      for (CHiddenObject* o = venue->FirstHiddenObject(); o; o = o->NextInVenue())
        flying = flying || o->IsFlying();
      if (!flying) return;
      RunUntil(now_ + 0.02f);
    }
  }
  void ClickRect(const ScreenRect& r) { Click(int(r.CenterX()), int(r.CenterY())); }
  CInventoryBoard* Strip(CSearchEnvironment* v) { return static_cast<CInventoryBoard*>(v->GetInventory()); }
};

TEST_F(VenuePlay, LockedYardDoorOpensWithTheDockKey) {
  Carry({kDockKey});
  CSearchEnvironment* v = Open("Warehouse_Yard.xml");
  auto* door = static_cast<CPortal*>(v->FindChild(TypeId::kPortal));
  ASSERT_NE(door, nullptr);
  ASSERT_NE(Strip(v), nullptr);
  ASSERT_EQ(InventoryItemCount(), 1);
  const ScreenRect doorRect = door->GetScreenRect();
  EXPECT_NEAR(doorRect.CenterX(), 643, 1);  // the click point of the demo's scripts
  EXPECT_NEAR(doorRect.CenterY(), 413, 1);

  ClickRect(doorRect);  // empty-handed
  EXPECT_EQ(LastSpeech(), "DoorLockedNeedKey");
  EXPECT_EQ(GetShutter(), nullptr);
  EXPECT_FALSE(TestFlag(2));

  Click(980, 246);  // the key's slot
  CInventoryItem* key = HeldInventoryItem();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->GetClass(), 1);
  Frame(now_ + 0.02f, int(doorRect.CenterX()), int(doorRect.CenterY()), false);
  RenderAllObjects(device_);
  EXPECT_NEAR(key->GetScreenRect().CenterX(), doorRect.CenterX(), 1);  // drawn at the pointer
  ClickRect(doorRect);
  EXPECT_TRUE(TestFlag(2));
  EXPECT_EQ(InventoryItemCount(), 0);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_EQ(GetShutter()->ClassId(), 43);
  EXPECT_STREQ(GetShutter()->Argument(), "Warehouse_Office.xml");
}

TEST_F(VenuePlay, HeldItemOverNothingReturnsToItsSlot) {
  Carry({kDockKey});
  CSearchEnvironment* v = Open("Warehouse_Yard.xml");
  Click(980, 246);
  CInventoryItem* key = HeldInventoryItem();
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->GetBadge());
  Click(500, 100);  // the sky: the item flies back (and the click is a wrong one)
  EXPECT_EQ(key->GetState(), CInventoryItem::kReturning);
  RunUntil(now_ + 1.5f);
  EXPECT_EQ(key->GetState(), CInventoryItem::kIdle);
  EXPECT_NEAR(key->GetScreenRect().CenterY(), 246, 1);
  EXPECT_EQ(v->GetWrongClicks(), 1);
}

TEST_F(VenuePlay, BrassKeyOpensTheFilingCabinetAndEmptyHandsDoNot) {
  Carry({kBrassKey});
  CSearchEnvironment* v = Open("Headquarters_Office.xml");
  CHiddenObject* drawer = v->FindObjectByIndex(10);
  ASSERT_NE(drawer, nullptr);
  ClickObject(drawer);
  EXPECT_EQ(LastSpeech(), "NeedKeyForFilingCabinet");
  EXPECT_FALSE(TestFlag(50));
  Click(980, 246);
  ASSERT_NE(HeldInventoryItem(), nullptr);
  ClickObject(drawer);
  EXPECT_TRUE(TestFlag(50));
  EXPECT_EQ(InventoryItemCount(), 0);  // taken for the flag
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_STREQ(GetShutter()->Argument(), "Headquarters_FilingCabinet.xml");
}

TEST_F(VenuePlay, PutBackItemIsNotPickedUpAgainInTheSameFrame) {
  Carry({kStethoscope});
  CSearchEnvironment* v = Open("Warehouse_Office.xml");
  CHiddenObject* safe = v->FindObjectByIndex(13);
  ASSERT_NE(safe, nullptr);
  Click(980, 319);
  CInventoryItem* stethoscope = HeldInventoryItem();
  ASSERT_NE(stethoscope, nullptr);
  ClickObject(safe);
  EXPECT_EQ(stethoscope->GetState(), CInventoryItem::kIdle);
  EXPECT_EQ(InventoryItemCount(), 1);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_EQ(GetShutter()->ClassId(), 94);
}

TEST_F(VenuePlay, FindsStackByNameTakeTheSmallestFreeSlotAndSurviveAConsumedItem) {
  Carry({kDockKey});
  CSearchEnvironment* v = Open("Warehouse_Yard.xml");
  CInventoryBoard* strip = Strip(v);
  v->FindObjectByIndex(0)->Found();  // Stethoscope
  CInventoryItem* stethoscope = InventoryItemByClass(13);
  ASSERT_NE(stethoscope, nullptr);
  EXPECT_EQ(stethoscope->GetSlot(), 1);
  EXPECT_EQ(stethoscope->GetInstances(), 0);  // on its way: no picture, no hit test
  Frame(now_ + 0.02f, 980, 319, false);
  EXPECT_EQ(stethoscope->HitTest(), kHitNone);
  Settle(v);
  EXPECT_EQ(stethoscope->GetInstances(), 1);
  EXPECT_EQ(stethoscope->HitTest(), kHitHovered);

  // Two scraps of one name make one item with a "2x" badge.
  v->FindObjectByIndex(1)->Found();
  v->FindObjectByIndex(2)->Found();
  Settle(v);
  CInventoryItem* scraps = InventoryItemByName("PHOTO SCRAP");
  ASSERT_NE(scraps, nullptr);
  EXPECT_EQ(scraps->GetSlot(), 2);
  EXPECT_EQ(scraps->GetInstances(), 2);
  ASSERT_NE(scraps->GetBadge(), nullptr);
  EXPECT_EQ(static_cast<CInventoryMultiplier*>(scraps->GetBadge())->GetText()->GetText(), "2x");

  // The stack is used up while a third scrap flies to it: the scrap arrives in a new item.
  v->FindObjectByIndex(3)->Found();
  ConsumeInventoryItem(scraps);
  Settle(v);
  scraps = InventoryItemByClass(9);
  ASSERT_NE(scraps, nullptr);
  EXPECT_EQ(scraps->GetInstances(), 1);
  EXPECT_EQ(scraps->GetBadge(), nullptr);

  // A freed slot is taken again.
  ConsumeInventoryItem(InventoryItemByClass(1));
  float x = 0, y = 0;
  CInventoryItem* knife = strip->Reserve(InventoryFind{7, "Knife", "Knives", "K.tga", 1}, x, y);
  EXPECT_EQ(knife->GetSlot(), 0);
  EXPECT_NEAR(y, 246, 1);
}

TEST_F(VenuePlay, StripSavesHeldItemsIdleAndFlightsAsArrived) {
  Carry({kDockKey, kStethoscope});
  CSearchEnvironment* v = Open("Warehouse_Yard.xml");
  Click(980, 319);
  ASSERT_NE(HeldInventoryItem(), nullptr);
  v->FindObjectByIndex(1)->Found();  // a scrap still in flight when the game quits
  delete v;
  EXPECT_EQ(InventoryItemCount(), 0);
  const std::vector<inventory::SavedItem> saved = SavedStrip();
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0], kDockKey);
  EXPECT_EQ(saved[1], kStethoscope);
  EXPECT_EQ(saved[2].name, "Photo scrap");
  EXPECT_EQ(saved[2].instances, 1);
  EXPECT_EQ(saved[2].slot, 2);

  v = Open("Warehouse_Yard.xml");
  ASSERT_EQ(InventoryItemCount(), 3);
  for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next())
    EXPECT_EQ(i->GetState(), CInventoryItem::kIdle);
  EXPECT_EQ(HeldInventoryItem(), nullptr);
}

TEST_F(VenuePlay, HintFliesToAnUnfoundObjectAndTheButtonRecharges) {
  CSearchEnvironment* v = Open("Warehouse_Photo.xml");
  auto* button = static_cast<CHintButton*>(v->FindChild(TypeId::kHintButton));
  ASSERT_NE(button, nullptr);
  const ScreenRect r = button->GetScreenRect();
  EXPECT_NEAR(r.right, 1024, 1e-3);
  EXPECT_NEAR(r.Width(), 112.64f, 1e-2f);
  EXPECT_FALSE(button->IsRecharging());
  RunUntil(10.0f);
  ClickRect(r);
  const float used = hint::LastHintTime();
  EXPECT_NEAR(used, now_, 0.05f);
  EXPECT_TRUE(button->IsRecharging());
  CHiddenObject* target = v->FirstHintTarget();
  ASSERT_NE(target, nullptr);
  RunUntil(now_ + 1.2f);
  CHintHalo* halo = FindHintHalo(target);
  ASSERT_NE(halo, nullptr);
  RunUntil(now_ + 0.3f);
  EXPECT_GT(halo->LiveParticles(), 10);
  ClickObject(target);  // found early: the halo stops at once and is gone half a second later
  EXPECT_LE(halo->GetStopTime(), now_);
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(FindHintHalo(target), nullptr);

  RunUntil(used + 44.0f);
  ClickRect(r);  // refused while recharging: the button blocks the pointer and does nothing
  EXPECT_EQ(hint::LastHintTime(), used);
  EXPECT_EQ(button->ReadyFlashes(), 0);
  RunUntil(used + 45.5f);
  EXPECT_EQ(button->ReadyFlashes(), 1);
  EXPECT_EQ(CountOfType(TypeId::kFireHalo), 1);
  RunUntil(used + 47.0f);
  EXPECT_EQ(button->ReadyFlashes(), 1);

  // A venue entered while charged gives no flash.
  delete v;
  v = Open("Warehouse_Safe.xml");
  RunUntil(now_ + 1.0f);
  EXPECT_EQ(static_cast<CHintButton*>(v->FindChild(TypeId::kHintButton))->ReadyFlashes(), 0);
}

TEST_F(VenuePlay, FanIsDrawnWhileRechargingAndCheatModeKeepsTheCharge) {
  GetVenueParts().isCheatMode = [] { return true; };
  CSearchEnvironment* v = Open("Warehouse_Photo.xml");
  auto* button = static_cast<CHintButton*>(v->FindChild(TypeId::kHintButton));
  RunUntil(10.0f);
  ClickRect(button->GetScreenRect());
  EXPECT_EQ(hint::LastHintTime(), -100.0f);
  EXPECT_FALSE(button->IsRecharging());

  hint::SetLastHintTime(now_ - 22.4f);  // just before half way: seven fan vertices, five triangles
  RunUntil(now_ + 0.02f);
  EXPECT_EQ(button->GetFan().vertexCount, 7);
}

TEST_F(VenuePlay, ThreeQuickWrongClicksCostTwoMinutes) {
  CreateCursor();
  CSearchEnvironment* v = Open("Warehouse_Photo.xml");
  RunUntil(5.0f);
  const float before = CurrentGameState()->cumulativeTime;
  Click(512, 60);
  EXPECT_EQ(CParticleTrail::Count(), 1);  // the red puff at the pointer
  EXPECT_EQ(CParticleTrail::First()->Params().color, 0xFF804040u);
  Click(512, 60);
  EXPECT_EQ(CountOfType(TypeId::kMessageBox), 0);
  Click(512, 60);
  EXPECT_EQ(v->GetWrongClicks(), 3);
  EXPECT_EQ(CurrentGameState()->cumulativeTime, before + 120.0f);
  EXPECT_EQ(CountOfType(TypeId::kMessageBox), 1);
  // The match-three puzzle's wrong clicks never cost time.
  for (int i = 0; i < 4; ++i) CountWrongClick(87);
  EXPECT_EQ(CurrentGameState()->cumulativeTime, before + 120.0f);
}

TEST_F(VenuePlay, PortalBuildTooltipAndDestinationRules) {
  SetFlag(24);
  SetFlag(25);
  CSearchEnvironment* v = Open("Warehouse_Yard.xml");
  EXPECT_EQ(v->FindChild(TypeId::kPortal), nullptr);  // every flag of its build rule is set
  delete v;
  ClearFlag(25);
  v = Open("Warehouse_Yard.xml");
  auto* door = static_cast<CPortal*>(v->FindChild(TypeId::kPortal));
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(door->Particles().size(), 100u);
  EXPECT_EQ(door->GetCursorKind(), 3);

  // Without a name no tooltip; without a destination the door never opens.
  portal::Spec spec;
  spec.portalId = 0;
  spec.rect = {0, 0, 200, 200};
  auto* blank = new CPortal(v, spec);
  CreateCursor();
  Frame(now_ + 0.02f, 50, 50, false);
  EXPECT_EQ(CountOfType(TypeId::kTooltip), 0);
  Click(50, 50);
  EXPECT_EQ(GetShutter(), nullptr);
  delete blank;
  Frame(now_ + 0.02f, int(door->GetScreenRect().CenterX()), int(door->GetScreenRect().CenterY()), false);
  EXPECT_EQ(CountOfType(TypeId::kTooltip), 1);
}

}  // namespace
}  // namespace venuetest
