// The profile document as the save area of other scenes: venue states and the inventory strip.
#include "player/game_state.h"

XmlDocument* ProfileDocument(XmlNode* root) {
  GameState* s = CurrentGameState();
  XmlDocument* doc = s ? s->document.get() : nullptr;
  if (root) *root = doc ? doc->Root() : kNoNode;
  return doc;
}

XmlNode FindProfileElement(const char* name, XmlDocument** docOut) {
  XmlNode rootNode = kNoNode;
  XmlDocument* doc = ProfileDocument(&rootNode);
  if (docOut) *docOut = doc;
  if (!doc) return kNoNode;
  ScopedXmlNode root(*doc, rootNode);
  if (!name || !root) return kNoNode;
  XmlNode node = doc->FindChildNode(root, name);
  if (node != kNoNode && !doc->IsElement(node)) {
    doc->ReleaseNode(node);
    return kNoNode;
  }
  return node;
}

void RemoveProfileElement(const char* name) {
  XmlDocument* doc = nullptr;
  XmlNode node = FindProfileElement(name, &doc);
  if (doc && node != kNoNode) doc->RemoveNode(node);
}

int VenueUnfoundItems(const char* venueName) {
  XmlDocument* doc = nullptr;
  XmlNode venueNode = FindProfileElement(venueName, &doc);
  if (!doc || venueNode == kNoNode) return -1;
  ScopedXmlNode venue(*doc, venueNode);
  ScopedXmlNode board(*doc, doc->FindChildNode(venue, "ItemBoard"));
  if (!board) return -1;
  return doc->GetIntAttribute(board, "UnfoundItems", -1);
}

void RemoveSavedInventoryItem(int itemClass) {
  XmlDocument* doc = nullptr;
  XmlNode inventoryNode = FindProfileElement("InventoryBoard", &doc);
  if (!doc || inventoryNode == kNoNode) return;
  ScopedXmlNode inventory(*doc, inventoryNode);
  for (XmlNode item = doc->FindChildNode(inventory); item != kNoNode;) {
    if (doc->IsElement(item) && doc->HasAttribute(item, "Class") &&
        doc->GetIntAttribute(item, "Class", 0) == itemClass) {
      doc->RemoveNode(item);
      return;
    }
    XmlNode next = doc->NextSiblingNode(item);
    doc->ReleaseNode(item);
    item = next;
  }
}
