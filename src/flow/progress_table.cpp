#include "flow/progress_table.h"

#include <algorithm>

#include "data/texture_cache.h"
#include "data/xml_document.h"

ProgressTable::Item* ProgressTable::Find(int classId, const char* argument) {
  for (Item& item : items_) {
    if (item.classId != classId) continue;
    if (!argument) {
      if (!item.argument) return &item;
    } else if (item.argument && SameTextureName(*item.argument, argument)) {
      return &item;
    }
  }
  return nullptr;
}

int ProgressTable::Lookup(int classId, const char* argument) const {
  const Item* item = const_cast<ProgressTable*>(this)->Find(classId, argument);
  return item ? item->total : 0;
}

void ProgressTable::Learn(int classId, const char* argument, int total) {
  if (Item* found = Find(classId, argument)) {
    found->total = total;
    return;
  }
  items_.insert(items_.begin(),
                Item{classId, argument ? std::optional<std::string>(argument) : std::nullopt, total});
}

void ProgressTable::Read(XmlDocument& doc) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return;
  for (ScopedXmlNode node(doc, doc.FindChildNode(root, nullptr)); node; node.NextElement()) {
    auto name = doc.CopyNodeName(node);
    if (!doc.IsElement(node) || !name || !SameTextureName(*name, "Item")) continue;
    Item item;
    item.classId = doc.GetIntAttribute(node, "Class", 0);
    item.argument = doc.CopyAttribute(node, "EnvironmentArgument");
    item.total = std::max(0, doc.GetIntAttribute(node, "TotalProgress", 0));
    items_.insert(items_.begin(), std::move(item));
  }
}

ProgressTable& TransitionProgressTable() {
  static ProgressTable table;
  return table;
}

void LoadTransitionTable() {
  ProgressTable& table = TransitionProgressTable();
  if (!table.Empty()) return;
  // Without the file the first transitions show no bar until they have learned their totals.
  XmlDocument doc;
  if (doc.LoadMember("LoadingScreen\\Shutter.xml") == 0) table.Read(doc);
}

void FreeTransitionTable() {
  TransitionProgressTable().Clear();
}
