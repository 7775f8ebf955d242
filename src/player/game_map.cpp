#include "player/game_map.h"

#include <cstring>
#include <memory>

#include "core/loading_progress.h"
#include "data/xml_document.h"
#include "player/player_name.h"

namespace {
std::unique_ptr<XmlDocument> g_map;

bool IsNamed(XmlDocument& doc, XmlNode node, const char* name) {
  if (!doc.IsElement(node)) return false;
  std::optional<std::string> n = doc.CopyNodeName(node);
  return n && SameNameIgnoringCase(*n, name);
}

bool Adopt(std::unique_ptr<XmlDocument> doc, int loadResult) {
  XmlNode root = doc->Root();
  doc->ReleaseNode(root);
  if (loadResult != 0 || root == kNoNode) {
    g_map.reset();
    return false;
  }
  g_map = std::move(doc);
  return true;
}

// The index-th "Stage" element of the root (handle for the caller to release), or kNoNode.
XmlNode StageNode(int index) {
  if (!g_map || index < 0) return kNoNode;
  XmlDocument& doc = *g_map;
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return kNoNode;
  XmlNode node = doc.FindChildNode(root, "Stage");
  while (node != kNoNode) {
    if (IsNamed(doc, node, "Stage") && index-- == 0) return node;
    XmlNode next = doc.NextSiblingElement(node);
    doc.ReleaseNode(node);
    node = next;
  }
  return kNoNode;
}

std::optional<std::string> StageAttribute(int stage, const char* attribute) {
  XmlNode node = StageNode(stage);
  if (node == kNoNode) return std::nullopt;
  ScopedXmlNode s(*g_map, node);
  return g_map->CopyAttribute(s, attribute);
}

// The attribute of the stage's child element childName (or of that child's first grandChild).
std::optional<std::string> ChildAttribute(int stage, const char* childName, const char* grandChild,
                                          const char* attribute) {
  XmlNode node = StageNode(stage);
  if (node == kNoNode) return std::nullopt;
  XmlDocument& doc = *g_map;
  ScopedXmlNode s(doc, node);
  ScopedXmlNode child(doc, doc.FindChildNode(s, childName));
  if (!child || !doc.IsElement(child)) return std::nullopt;
  if (!grandChild) return doc.CopyAttribute(child, attribute);
  ScopedXmlNode item(doc, doc.FindChildNode(child, grandChild));
  if (!item || !doc.IsElement(item)) return std::nullopt;
  return doc.CopyAttribute(item, attribute);
}

// Calls visit(node) for every element named itemName under the stage's child listName.
template <typename Visit>
void ForEachItem(int stage, const char* listName, const char* itemName, Visit visit) {
  XmlNode node = StageNode(stage);
  if (node == kNoNode) return;
  XmlDocument& doc = *g_map;
  ScopedXmlNode s(doc, node);
  ScopedXmlNode list(doc, doc.FindChildNode(s, listName));
  if (!list || !doc.IsElement(list)) return;
  for (ScopedXmlNode item(doc, doc.FindChildNode(list, itemName)); item; item.NextElement())
    if (IsNamed(doc, item, itemName)) visit(doc, item.get());
}
}  // namespace

bool OpenGameMap() {
  auto doc = std::make_unique<XmlDocument>();
  int result = doc->LoadMember("GameMap.xml");
  return Adopt(std::move(doc), result);
}

bool OpenGameMapFile(const std::string& path) {
  auto doc = std::make_unique<XmlDocument>();
  int result = doc->LoadFile(path);
  return Adopt(std::move(doc), result);
}

bool OpenGameMapBytes(const void* data, size_t size) {
  auto doc = std::make_unique<XmlDocument>();
  int result = doc->LoadBytes(data, size);
  return Adopt(std::move(doc), result);
}

void CloseGameMap() {
  g_map.reset();
}

int GameMapStageCount() {
  if (!g_map) return 0;
  XmlDocument& doc = *g_map;
  ScopedXmlNode root(doc, doc.Root());
  int count = 0;
  for (ScopedXmlNode node(doc, doc.FindChildNode(root, "Stage")); node; node.NextElement())
    if (IsNamed(doc, node, "Stage")) ++count;
  return count;
}

std::optional<std::string> StageName(int stage) {
  return StageAttribute(stage, "Name");
}
std::optional<std::string> StageMapName(int stage) {
  return StageAttribute(stage, "MapName");
}
std::optional<std::string> StageExitSpeech(int stage) {
  return StageAttribute(stage, "ExitSpeech");
}

std::optional<std::string> StageFirstVenue(int stage) {
  return ChildAttribute(stage, "SearchVenues", "Venue", "File");
}
std::optional<std::string> StageDifferences(int stage) {
  return ChildAttribute(stage, "Differences", nullptr, "File");
}
std::optional<std::string> StageDifferencesName(int stage) {
  return ChildAttribute(stage, "Differences", nullptr, "Name");
}

int StageLines(int stage) {
  XmlNode node = StageNode(stage);
  if (node == kNoNode) return 10;
  ScopedXmlNode s(*g_map, node);
  return g_map->GetIntAttribute(s, "Lines", 10);
}

std::vector<GameMapVenue> StageVenues(int stage) {
  std::vector<GameMapVenue> venues;
  ForEachItem(stage, "SearchVenues", "Venue", [&](XmlDocument& doc, XmlNode item) {
    venues.push_back({doc.CopyAttribute(item, "File"), doc.CopyAttribute(item, "Name")});
  });
  return venues;
}

std::vector<GameMapPuzzle> StagePuzzles(int stage) {
  std::vector<GameMapPuzzle> puzzles;
  ForEachItem(stage, "Puzzles", "Puzzle", [&](XmlDocument& doc, XmlNode item) {
    puzzles.push_back({doc.CopyAttribute(item, "Name"), doc.CopyAttribute(item, "File"),
                       doc.GetIntAttribute(item, "EnvironmentID", 0)});
  });
  return puzzles;
}
