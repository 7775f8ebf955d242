#include "data/string_table.h"

#include <memory>

#include "core/loading_progress.h"
#include "data/xml_document.h"
#include "platform/os/host.h"

namespace {

struct StringTable {
  std::unique_ptr<XmlDocument> doc;
  XmlNode root = kNoNode;
};

StringTable g_table;

// The key's element (a new handle), or kNoNode.
XmlNode FindKey(const char* key) {
  if (!g_table.doc || !key) return kNoNode;
  return g_table.doc->FindChildNode(g_table.root, key);
}

}  // namespace

void LoadStringTable(const char* memberName) {
  if (!g_table.doc) {
    auto doc = std::make_unique<XmlDocument>();
    XmlNode root = kNoNode;
    if (memberName && doc->LoadMember(memberName) == 0) root = doc->Root();
    if (root != kNoNode) {
      g_table.doc = std::move(doc);
      g_table.root = root;
    } else {
      os::ShowMessageBox("Error", "Failed to open localization file.", os::MsgIcon::Error);
    }
  }
  LoadingProgressStep();
}

void FreeStringTable() {
  if (g_table.doc) {
    g_table.doc->ReleaseNode(g_table.root);
    g_table.doc->Close();
  }
  g_table = StringTable();
}

bool StringTableLoaded() {
  return g_table.doc != nullptr;
}

std::optional<std::string> Localize(const char* key) {
  if (!key) return std::nullopt;
  XmlNode node = FindKey(key);
  if (node == kNoNode) return std::string(key);
  std::optional<std::string> value = g_table.doc->CopyAttribute(node, "Value");
  g_table.doc->ReleaseNode(node);
  return value;
}

std::string LocalizeText(const char* key) {
  std::optional<std::string> text = Localize(key);
  if (text) return *text;
  return key ? key : "";
}

// A list is the key element's child elements; comments between the lines are not lines.
int LocalizeList(const char* key, std::vector<std::optional<std::string>>& outTexts) {
  outTexts.clear();
  XmlNode node = FindKey(key);
  if (node == kNoNode) return 0;
  XmlDocument& doc = *g_table.doc;
  XmlNode child = doc.FindChildNode(node);
  doc.ReleaseNode(node);
  while (child != kNoNode) {
    if (doc.IsElement(child)) outTexts.push_back(doc.CopyAttribute(child, "Value"));
    XmlNode next = doc.NextSiblingNode(child);
    doc.ReleaseNode(child);
    child = next;
  }
  return int(outTexts.size());
}

int LocalizeCount(const char* key) {
  XmlNode node = FindKey(key);
  if (node == kNoNode) return 0;
  int count = g_table.doc->ChildElementCount(node);
  g_table.doc->ReleaseNode(node);
  return count > 0 ? count : 1;
}
