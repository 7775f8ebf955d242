// The strip's saved form in a player's profile: an "InventoryBoard" element under the root with
// one "Item" per item. Reading checks what a damaged or hand-edited profile may hold.
#pragma once

#include <string>
#include <vector>

#include "data/xml_document.h"

namespace inventory {

struct SavedItem {
  int slot = 0;
  int itemClass = 0;
  std::string name;
  std::string plural;
  std::string texture;  // under "Search\HiddenObjects\"
  int instances = 0;
  float aspect = 0;  // 0: take the picture's own

  bool operator==(const SavedItem&) const = default;
};

// The items of an "InventoryBoard" element, checked: an item without picture or name is dropped,
// a count below 1 counts 1 (a find that was still on its way), and a slot outside the strip
// (visibleSlots) or already taken moves to the smallest free slot.
std::vector<SavedItem> ReadSavedItems(XmlDocument& doc, XmlNode board, int visibleSlots);

// Replaces the root's "InventoryBoard" with these items; without items none is written.
void WriteSavedItems(XmlDocument& doc, XmlNode root, const std::vector<SavedItem>& items);

}  // namespace inventory
