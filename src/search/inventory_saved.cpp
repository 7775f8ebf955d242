#include "search/inventory_saved.h"

#include <algorithm>
#include <cmath>

#include "search/inventory_layout.h"

namespace inventory {
namespace {
constexpr const char* kBoardElement = "InventoryBoard";
}

std::vector<SavedItem> ReadSavedItems(XmlDocument& doc, XmlNode board, int visibleSlots) {
  std::vector<SavedItem> items;
  if (board == kNoNode || board == 0) return items;
  for (ScopedXmlNode node(doc, doc.FindChildNode(board, "Item")); node; node.NextElement()) {
    if (!doc.IsElement(node) || doc.CopyNodeName(node).value_or("") != "Item") continue;
    SavedItem item;
    item.slot = doc.GetIntAttribute(node, "Slot", 0);
    item.itemClass = doc.GetIntAttribute(node, "Class", 0);
    item.name = doc.CopyAttribute(node, "Name", "").value_or("");
    item.plural = doc.CopyAttribute(node, "Plural", "").value_or("");
    item.texture = doc.CopyAttribute(node, "Texture", "").value_or("");
    item.instances = std::max(1, doc.GetIntAttribute(node, "Instances", 0));
    item.aspect = doc.GetFloatAttribute(node, "AspectRatio", 0.0f);
    if (item.name.empty() || item.texture.empty()) continue;
    if (!(std::isfinite(item.aspect) && item.aspect > 0)) item.aspect = 0;
    if (item.plural.empty()) item.plural = item.name;
    items.push_back(std::move(item));
  }
  // Slots: first those that are valid keep theirs, then the rest take the smallest free ones.
  std::vector<int> used;
  std::vector<SavedItem*> moved;
  for (SavedItem& item : items) {
    const bool inside = item.slot >= 0 && item.slot < visibleSlots;
    if (inside && std::find(used.begin(), used.end(), item.slot) == used.end()) {
      used.push_back(item.slot);
    } else {
      moved.push_back(&item);
    }
  }
  for (SavedItem* item : moved) {
    item->slot = SmallestFreeSlot(used);
    used.push_back(item->slot);
  }
  return items;
}

void WriteSavedItems(XmlDocument& doc, XmlNode root, const std::vector<SavedItem>& items) {
  for (XmlNode old = doc.FindChildNode(root, kBoardElement); old != kNoNode;
       old = doc.FindChildNode(root, kBoardElement)) {
    doc.RemoveNode(old);
  }
  if (items.empty()) return;
  ScopedXmlNode board(doc, doc.CreateElement(root, kBoardElement));
  for (const SavedItem& item : items) {
    ScopedXmlNode node(doc, doc.CreateElement(board, "Item"));
    doc.SetIntAttribute(node, "Slot", item.slot);
    doc.SetIntAttribute(node, "Class", item.itemClass);
    doc.SetAttribute(node, "Name", item.name.c_str());
    doc.SetAttribute(node, "Plural", item.plural.c_str());
    doc.SetAttribute(node, "Texture", item.texture.c_str());
    doc.SetIntAttribute(node, "Instances", item.instances);
    doc.SetFloatAttribute(node, "AspectRatio", item.aspect);
  }
}

}  // namespace inventory
