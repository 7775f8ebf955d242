// CInventoryBoard: the strip on the right edge of a venue that shows what the detective carries.
// It is rebuilt from the player's profile in every venue and written back when the venue is
// left, so the items follow the player with their slot numbers.
#pragma once

#include "data/xml_document.h"
#include "scene/sprite.h"
#include "search/inventory_item.h"

class CInventoryBoard : public CSprite {
 public:
  // An empty strip on venue.
  explicit CInventoryBoard(CSprite* venue);
  // The strip with the items of a saved "InventoryBoard" element (checked as they are read).
  CInventoryBoard(CSprite* venue, XmlDocument& doc, XmlNode element);
  ~CInventoryBoard() override;

  int GetTypeId() override { return TypeId::kInventoryBoard; }
  // Over its opaque pixels the strip blocks the pointer: neither a wrong click nor the picture's.
  int HitTest() override;

  ScreenRect SlotRect(int slot);

  // A place for a found object: the item of its name (any case), or a new one in the smallest free
  // slot that waits for it. Returns the item; (x, y) receive its centre.
  CInventoryItem* Reserve(const InventoryFind& what, float& x, float& y);
  // The object arrived: one more instance of its item, then its class's arrival rule. An item
  // consumed while the object flew is reserved again, so the find is never lost. Without
  // runRule the class rule is left out (the venue is being left).
  CInventoryItem* Receive(const InventoryFind& what, bool runRule = true);

  // Writes the strip under the profile root (held and flying finds included).
  void Save(XmlDocument& doc, XmlNode root);

 private:
  void Place(CSprite* venue);
};

// The strip of the profile's "InventoryBoard" (or an empty one) on venue.
CInventoryBoard* BuildInventoryFromProfile(CSprite* venue);
// Writes the strip into the current player's profile document; nothing without a player.
void SaveInventoryToProfile(CInventoryBoard* strip);
