#include "puzzles/puzzle_inventory.h"

#include <vector>

#include "data/texture_cache.h"
#include "search/inventory_board.h"
#include "search/inventory_item.h"
#include "search/inventory_layout.h"
#include "search/rule_outcome.h"

namespace puzzle {

namespace {

constexpr std::string_view kPictureFolder = "Search\\HiddenObjects\\";

InventoryFind MakeFind(int itemClass, const char* image, const char* singular, const char* plural) {
  InventoryFind what;
  what.itemClass = itemClass;
  what.file = StoredPictureName(image ? image : "");
  what.name = singular ? singular : "";
  what.plural = plural ? plural : what.name;
  // The picture's own proportions (an item restored later reads them again from its picture).
  TextureEntry* picture = AcquireTexture(std::string(kPictureFolder) + what.file, kTexHitMask);
  what.aspect = GetAspect(picture);
  ReleaseTexture(picture);
  return what;
}

int FreeSlot() {
  std::vector<int> used;
  for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) used.push_back(i->GetSlot());
  return inventory::SmallestFreeSlot(used);
}

}  // namespace

CInventoryBoard* RestoreInventoryStrip(CSprite* scene) {
  return BuildInventoryFromProfile(scene);
}

void SaveInventoryStrip(CInventoryBoard* strip) {
  SaveInventoryToProfile(strip);
}

std::string StoredPictureName(const std::string& image) {
  if (image.size() > kPictureFolder.size() &&
      rules::SameName(std::string_view(image).substr(0, kPictureFolder.size()), kPictureFolder))
    return image.substr(kPictureFolder.size());
  return image;
}

bool StripHoldsPicture(const std::string& image) {
  const std::string stored = StoredPictureName(image);
  for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) {
    if (rules::SameName(i->What().file, stored)) return true;
  }
  return false;
}

CInventoryItem* AddInventoryItem(CInventoryBoard* strip, int itemClass, const char* image,
                                 const char* singular, const char* plural) {
  if (!strip || !image || !*image || StripHoldsPicture(image)) return nullptr;
  return new CInventoryItem(strip, FreeSlot(), MakeFind(itemClass, image, singular, plural), 1);
}

CInventoryItem* ReserveInventoryItem(CInventoryBoard* strip, int itemClass, const char* image,
                                     const char* singular, const char* plural) {
  if (!strip || !image || !*image || StripHoldsPicture(image)) return nullptr;
  auto* item = new CInventoryItem(strip, FreeSlot(), MakeFind(itemClass, image, singular, plural), 0);
  item->AddPending();
  return item;
}

void LandInventoryItem(CInventoryItem* item) {
  if (item && item->GetPending() > 0) item->Arrive(item->What().aspect);
}

bool RemoveInventoryClass(int itemClass) {
  CInventoryItem* item = InventoryItemByClass(itemClass);
  if (!item) return false;
  ConsumeInventoryItem(item);
  return true;
}

}  // namespace puzzle
