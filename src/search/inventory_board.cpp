#include "search/inventory_board.h"

#include "player/game_state.h"
#include "scene/input.h"
#include "search/inventory_layout.h"
#include "search/inventory_saved.h"
#include "search/rule_actions.h"

void CInventoryBoard::Place(CSprite* venue) {
  if (venue) Attach(venue, 0);
  SetScreenRect(inventory::StripRect(venue ? venue->GetScreenRect() : ScreenRect()));
  SetDepth((venue ? venue->GetDepth() : 0.0f) + 5.0f);
  texture_ = AcquireTexture("Search\\InventoryBoard.tga", kTexHitMask);
}

CInventoryBoard::CInventoryBoard(CSprite* venue) {
  Place(venue);
}

CInventoryBoard::CInventoryBoard(CSprite* venue, XmlDocument& doc, XmlNode element) {
  Place(venue);
  for (const inventory::SavedItem& saved :
       inventory::ReadSavedItems(doc, element, inventory::VisibleSlots())) {
    InventoryFind what{saved.itemClass, saved.name, saved.plural, saved.texture, saved.aspect};
    new CInventoryItem(this, saved.slot, what, saved.instances);
  }
}

CInventoryBoard::~CInventoryBoard() = default;

ScreenRect CInventoryBoard::SlotRect(int slot) {
  return inventory::SlotRect(GetScreenRect(), slot);
}

int CInventoryBoard::HitTest() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  if (IsHidden() || !r.ContainsPoint(float(x), float(y))) return kHitNone;
  float lx = 0, ly = 0;
  r.ToLocal(float(x), float(y), lx, ly);
  return HitTestMask(texture_, lx, -ly) ? kHitBlocking : kHitNone;
}

CInventoryItem* CInventoryBoard::Reserve(const InventoryFind& what, float& x, float& y) {
  CInventoryItem* item = InventoryItemByName(what.name);
  if (!item) {
    std::vector<int> used;
    for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) used.push_back(i->GetSlot());
    item = new CInventoryItem(this, inventory::SmallestFreeSlot(used), what, 0);
  }
  item->AddPending();
  const ScreenRect slot = item->SlotRect();
  x = slot.CenterX();
  y = slot.CenterY();
  return item;
}

CInventoryItem* CInventoryBoard::Receive(const InventoryFind& what, bool runRule) {
  CInventoryItem* item = InventoryItemByName(what.name);
  if (!item || item->GetPending() == 0) {
    // Its reservation was used up meanwhile (the item was consumed): reserve again.
    float x = 0, y = 0;
    item = Reserve(what, x, y);
  }
  item->Arrive(what.aspect);
  if (!runRule) return item;
  const rules::Outcome outcome =
      rules::ItemArrivalRule(item->GetClass(), item->GetInstances(), CurrentItemContext());
  CarryOutRule(outcome, item, nullptr);
  return item;
}

void CInventoryBoard::Save(XmlDocument& doc, XmlNode root) {
  std::vector<inventory::SavedItem> items;
  for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) {
    // A find still flying counts as arrived: quitting mid-flight loses nothing.
    const int count = i->GetInstances() + i->GetPending();
    if (count <= 0) continue;
    const InventoryFind& what = i->What();
    items.push_back({i->GetSlot(), what.itemClass, what.name, what.plural, what.file, count, what.aspect});
  }
  inventory::WriteSavedItems(doc, root, items);
}

CInventoryBoard* BuildInventoryFromProfile(CSprite* venue) {
  XmlDocument* doc = nullptr;
  const XmlNode saved = FindProfileElement("InventoryBoard", &doc);
  if (!doc || saved == kNoNode) return new CInventoryBoard(venue);
  ScopedXmlNode element(*doc, saved);
  return new CInventoryBoard(venue, *doc, element);
}

void SaveInventoryToProfile(CInventoryBoard* strip) {
  if (!strip) return;
  XmlNode root = kNoNode;
  XmlDocument* doc = ProfileDocument(&root);
  if (!doc || root == kNoNode) return;
  ScopedXmlNode scoped(*doc, root);
  strip->Save(*doc, root);
}
