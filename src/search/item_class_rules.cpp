#include "search/item_class_rules.h"

namespace rules {
namespace {

constexpr int kScrapsForJigsaw = 12;
constexpr const char* kHouseJigsaw = "Puzzles\\HouseJigsaw\\HouseJigsaw.xml";
constexpr const char* kWarehouseJigsaw = "Puzzles\\WarehouseJigsaw\\WarehouseJigsaw.xml";
constexpr const char* kSlidePuzzle = "Puzzles\\SlidePuzzle\\SlidePuzzle.xml";

Outcome Open(int classId, const char* argument) {
  Outcome out;
  out.openClass = classId;
  out.openArgument = argument;
  return out;
}

Outcome Say(const char* key) {
  Outcome out;
  out.say = key;
  return out;
}

Outcome PickUp() {
  Outcome out;
  out.pickUp = true;
  return out;
}

// Scraps: the twelfth opens their jigsaw; fewer make a remark in a venue.
Outcome ScrapClick(int instances, const ItemContext& where, const char* jigsaw, const char* remark) {
  if (!where.inVenue) return PickUp();
  return instances == kScrapsForJigsaw ? Open(kOpenJigsaw, jigsaw) : Say(remark);
}

}  // namespace

Outcome ItemArrivalRule(int itemClass, int instances, const ItemContext& where) {
  switch (itemClass) {
    case 3:
      return instances == kScrapsForJigsaw ? Open(kOpenJigsaw, kHouseJigsaw) : Outcome{};
    case 5:
      return !where.inVenue || where.venueHasUnfound ? Say("CrowbarRemark") : Outcome{};
    case 9:
      return instances == kScrapsForJigsaw ? Open(kOpenJigsaw, kWarehouseJigsaw) : Outcome{};
    case 18:
      return Open(kOpenSlide, kSlidePuzzle);
    case 19: {
      Outcome out;
      if (where.tipsOn) out.tooltipKey = "InventoryTutorial";
      return out;
    }
    default:
      return {};
  }
}

Outcome ItemClickRule(int itemClass, int instances, const ItemContext& where) {
  switch (itemClass) {
    case 3:
      return ScrapClick(instances, where, kHouseJigsaw, "ScrapOfPaper");
    case 9:
      return ScrapClick(instances, where, kWarehouseJigsaw, "ScrapOfPhoto");
    case 10:
      if (where.inVenue && !SameName(where.venueName, "Warehouse_Photo")) {
        return Open(kOpenVenue, "Warehouse_Photo.xml");
      }
      return Say("ICantUseThisHere");
    case 18:
      return Open(kOpenSlide, kSlidePuzzle);
    default:
      return PickUp();
  }
}

}  // namespace rules
