// Every row of the hotspot, door and item-class rule tables, without a scene.
#include <gtest/gtest.h>

#include <initializer_list>

#include "search/hotspot_rules.h"
#include "search/item_class_rules.h"
#include "search/portal_rules.h"

using rules::HeldItem;
using rules::Outcome;

namespace {

FlagSet Flags(std::initializer_list<int> set) {
  FlagSet f;
  for (int flag : set) f.Set(flag);
  return f;
}

struct Row {
  int id;
  HeldItem held;
  std::initializer_list<int> flags;
  Outcome want;
};

Outcome Venue(const char* file, const char* sound = "") {
  Outcome o;
  o.openClass = 43;
  o.openArgument = file;
  o.sound = sound;
  return o;
}
Outcome Open(int classId, const char* argument = "") {
  Outcome o;
  o.openClass = classId;
  o.openArgument = argument;
  return o;
}
Outcome Say(const char* key, const char* sound = "") {
  Outcome o;
  o.say = key;
  o.sound = sound;
  return o;
}
Outcome With(Outcome o, std::initializer_list<int> flags, bool consume, const char* sound = nullptr) {
  o.setFlags = flags;
  o.consume = consume;
  if (sound) o.sound = sound;
  return o;
}
Outcome Back(Outcome o) {
  o.putBack = true;
  return o;
}
Outcome Pass() {
  Outcome o;
  o.pass = true;
  return o;
}

const HeldItem kNone{};
HeldItem Holding(int itemClass, int instances = 1) {
  return HeldItem{itemClass, instances};
}

}  // namespace

TEST(HotspotRules, EveryRow) {
  Outcome coin = With(Open(87, "Puzzles\\Match3\\Match3.xml"), {63}, true, "InsertCoin.wav");
  coin.soundCentred = true;
  const Row rows[] = {
      {1, kNone, {}, Venue("House_Wastebasket.xml")},
      // use 2 for 3: only with the flag clear, with the nail-pull sound
      {2, kNone, {}, Say("NeedToolForBarrel")},
      {2, Holding(2), {}, With(Venue("House_BarrelScene.xml", "NailPull.wav"), {3}, true)},
      {2, Holding(2), {3}, Venue("House_BarrelScene.xml")},
      {3, kNone, {}, Venue("TrolleyBarn_Corkboard.xml")},
      {4, Holding(9), {}, Venue("Hotel_CorwenPainting.xml")},
      {7, Holding(4), {9}, Venue("House_Photo.xml", "Camera.wav")},
      {7, Holding(4), {}, With(Open(62), {12}, true)},
      {7, Holding(4), {12}, With(Open(62), {12}, true)},  // take: whether or not the flag was set
      {7, kNone, {12}, Open(62)},
      {7, Holding(5), {}, Say("NeedCameraPINCode")},
      {8, Holding(5), {}, With(Venue("Hotel_DresserDrawer.xml", "NailPull.wav"), {16}, true)},
      {8, Holding(5), {16}, Venue("Hotel_DresserDrawer.xml")},
      {8, kNone, {}, Say("NeedToolForHotelDrawer")},
      {10, kNone, {}, Venue("Shops_MagazineRack.xml")},
      {11, Holding(6), {}, With(Open(70), {18}, true)},
      {11, kNone, {18, 19}, Venue("Hotel_PlayerPianoSearch.xml")},
      {11, kNone, {19}, Say("NeedPianoRoll")},
      {12,
       Holding(8),
       {},
       With(Open(73, "Puzzles\\CircuitPuzzle\\CircuitPuzzle.xml"), {21}, true, "OpenPanel.wav")},
      {12,
       kNone,
       {21},
       With(Open(73, "Puzzles\\CircuitPuzzle\\CircuitPuzzle.xml"), {}, false, "OpenPanel.wav")},
      {12, Holding(13), {}, Say("NeedScrewdriver")},
      {13, Holding(19), {}, With(Venue("Headquarters_FilingCabinet.xml", "FileDrawer.wav"), {50}, true)},
      {13, Holding(19), {50}, Venue("Headquarters_FilingCabinet.xml", "FileDrawer.wav")},  // key kept
      {13, kNone, {}, Say("NeedKeyForFilingCabinet")},
      {14, Holding(14), {}, Back(Open(77, "Print"))},
      {14, Holding(11), {}, Say("NeedFingerprintEvidence")},
      {15, Holding(12), {}, coin},
      {15, Holding(12), {63}, Open(87, "Puzzles\\Match3\\Match3.xml")},
      {15, Holding(12), {62, 63}, Venue("Shops_PizzaParty.xml")},
      {15, kNone, {}, Say("NeedCoinForArcadeGame")},
      {16, Holding(13), {66}, Venue("Warehouse_Safe.xml", "OpenSafe.wav")},
      {16, Holding(13), {}, Back(Open(94))},
      {16, kNone, {}, Say("NeedStethoscope")},
      {17, kNone, {}, Open(82)},
      {18, Holding(17), {}, Back(With(Open(97), {}, false, "OpenPanel.wav"))},
      {18, kNone, {}, Say("NeedHotelReceipt")},
      {19, Holding(11), {}, Back(Open(77, "Fiber"))},
      {19, kNone, {}, Say("NeedFiberEvidence")},
      {20, Holding(15, 13), {}, Back(Open(99))},
      {20, Holding(15, 12), {}, Say("NotEnoughJewels")},
      {20, Holding(14, 20), {}, Say("NeedJewelEvidence")},
      {21, Holding(16), {}, Back(Open(26, "Puzzles\\ReceiptJigsaw\\ReceiptJigsaw.xml"))},
      {21, kNone, {}, Say("NeedReceiptScraps")},
      {22, kNone, {}, Venue("Headquarters_Poster.xml")},
      {5, Holding(1), {}, Outcome{}},
      {99, Holding(1), {}, Outcome{}},
  };
  for (const Row& row : rows) {
    const Outcome got = rules::HotspotRule(row.id, row.held, Flags(row.flags));
    EXPECT_EQ(got, row.want) << "hotspot " << row.id << " holding class " << row.held.itemClass << " say "
                             << got.say << " open " << got.openClass << " sound " << got.sound;
  }
}

TEST(PortalRules, EntryTable) {
  const Row rows[] = {
      {0, kNone, {}, Pass()},
      {1, kNone, {2}, Pass()},
      {1, Holding(1), {}, With(Pass(), {2}, true, "Unlock.wav")},
      {1, Holding(13), {}, Say("DoorLockedNeedKey", "LockedDoor.wav")},
      {2, kNone, {20}, Pass()},
      {2, Holding(1), {}, Say("EgyptianRoomLightsOut")},
      {18, kNone, {68}, Pass()},
      {18, kNone, {}, Say("NeedToUnlockHotelRoom")},
      {19, kNone, {60}, Pass()},
      {19, Holding(8), {}, With(Open(93), {61}, true, "OpenPanel.wav")},
      {19, kNone, {61}, With(Open(93), {}, false, "OpenPanel.wav")},
      {19, Holding(1), {}, Say("NeedScrewdriverForKeypad", "LockedDoor.wav")},
      {21, kNone, {52}, Pass()},
      {21, kNone, {}, Say("StreetcarLightsOut")},
      {25, Holding(1), {}, With(Pass(), {95}, true, "Unlock.wav")},
      {25, kNone, {}, Say("TrolleyBarnClosetLocked", "LockedDoor.wav")},
      {27, Holding(1), {}, With(Pass(), {64}, true, "Unlock.wav")},
      {27, kNone, {64}, Pass()},
      {27, kNone, {}, Say("SecurityRoomDoorLocked", "LockedDoor.wav")},
      {42, kNone, {}, Pass()},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(rules::PortalEntryRule(row.id, row.held, Flags(row.flags)), row.want) << "portal " << row.id;
  }
}

TEST(PortalRules, BuiltUntilEveryListedFlagIsSet) {
  struct Case {
    int id;
    std::initializer_list<int> flags;
    bool built;
  } cases[] = {
      {4, {}, true},
      {4, {22, 24}, true},
      {4, {22, 24, 25}, false},
      {1, {24, 25}, false},
      {1, {24}, true},
      {19, {32, 33, 34}, true},
      {19, {32, 33, 34, 57}, false},
      {43, {89}, false},
      {0, {1, 2, 3}, true},
      {44, {89}, true},
      {-3, {}, true},
      {26, {35, 36, 37, 38}, false},
      {14, {36, 37, 38}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rules::PortalIsBuilt(c.id, Flags(c.flags)), c.built) << "portal " << c.id;
}

TEST(ItemClassRules, ArrivalAndClick) {
  rules::ItemContext venue{true, "Warehouse_Yard", true, false};
  rules::ItemContext photo{true, "warehouse_PHOTO", false, true};
  rules::ItemContext puzzle{};
  const Outcome pick = [] {
    Outcome o;
    o.pickUp = true;
    return o;
  }();
  const Outcome jigsaw9 = Open(26, "Puzzles\\WarehouseJigsaw\\WarehouseJigsaw.xml");
  const Outcome jigsaw3 = Open(26, "Puzzles\\HouseJigsaw\\HouseJigsaw.xml");
  const Outcome slide = Open(84, "Puzzles\\SlidePuzzle\\SlidePuzzle.xml");
  Outcome tip;
  tip.tooltipKey = "InventoryTutorial";
  struct Case {
    int itemClass, instances;
    const rules::ItemContext& where;
    Outcome arrival, click;
  } cases[] = {
      {3, 12, venue, jigsaw3, jigsaw3},
      {3, 11, venue, {}, Say("ScrapOfPaper")},
      {3, 12, puzzle, jigsaw3, pick},
      {5, 1, venue, Say("CrowbarRemark"), pick},
      {5, 1, photo, {}, pick},  // nothing left to find there
      {5, 1, puzzle, Say("CrowbarRemark"), pick},
      {9, 12, venue, jigsaw9, jigsaw9},
      {9, 13, venue, {}, Say("ScrapOfPhoto")},
      {9, 4, puzzle, {}, pick},
      {10, 1, venue, {}, Venue("Warehouse_Photo.xml")},
      {10, 1, photo, {}, Say("ICantUseThisHere")},
      {10, 1, puzzle, {}, Say("ICantUseThisHere")},
      {18, 1, venue, slide, slide},
      {19, 1, venue, {}, pick},
      {19, 1, photo, tip, pick},
      {1, 1, venue, {}, pick},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rules::ItemArrivalRule(c.itemClass, c.instances, c.where), c.arrival)
        << "class " << c.itemClass;
    EXPECT_EQ(rules::ItemClickRule(c.itemClass, c.instances, c.where), c.click) << "class " << c.itemClass;
  }
}
