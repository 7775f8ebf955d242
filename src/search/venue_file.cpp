#include "search/venue_file.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace venue {

namespace {

// Placement numbers beyond these would only push a picture far off screen or overflow the
// geometry; a file that asks for them gets the nearest workable value.
constexpr float kMaxOffset = 100.0f;
constexpr float kMaxSize = 100.0f;
constexpr float kMaxAspect = 1000.0f;
constexpr float kMaxAngle = 1000.0f;

float Clamp(float v, float lo, float hi) {
  return std::clamp(v, lo, hi);
}

std::string Text(XmlDocument& doc, XmlNode node, const char* name) {
  return doc.CopyAttribute(node, name, "").value_or(std::string());
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void ReadPlacement(XmlDocument& doc, XmlNode node, const char* coords, float& x, float& y) {
  const std::array<float, 2> c = doc.GetVec2Attribute(node, coords);
  x = Clamp(c[0], -kMaxOffset, kMaxOffset);
  y = Clamp(c[1], -kMaxOffset, kMaxOffset);
}

}  // namespace

VenueAttributes VenueAttributes::Read(XmlDocument& doc, XmlNode root) {
  VenueAttributes a;
  a.background = Text(doc, root, "Background");
  a.itemsToFind = std::max(0, doc.GetIntAttribute(root, "ItemsToFind", 12));
  a.itemSlots = std::clamp(doc.GetIntAttribute(root, "ItemSlots", 12), 1, kMaxItemSlots);
  a.differences = doc.GetIntAttribute(root, "FindDifferences", 0) != 0;
  a.completionFlag = doc.GetIntAttribute(root, "CompletionFlag", -1);
  a.exitSpeech = doc.CopyAttribute(root, "ExitSpeech");
  a.visitedFlag = doc.GetIntAttribute(root, "VisitedFlag", -1);
  a.firstVisitSpeech = doc.CopyAttribute(root, "FirstVisitSpeech");
  if (a.exitSpeech && a.exitSpeech->empty()) a.exitSpeech.reset();
  if (a.firstVisitSpeech && a.firstVisitSpeech->empty()) a.firstVisitSpeech.reset();
  return a;
}

std::string VenueMemberPath(std::string_view fileName) {
  return "Search\\Venues\\" + std::string(fileName);
}

std::string VenueNameFromPath(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  return std::string(path);
}

std::string VenueFileForLevel(std::string_view levelName) {
  constexpr std::string_view kExt = ".xml";
  if (levelName.size() >= kExt.size() &&
      EqualsIgnoringCase(levelName.substr(levelName.size() - kExt.size()), kExt))
    return std::string(levelName);
  return std::string(levelName) + std::string(kExt);
}

bool IsSavableVenueName(std::string_view name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!letter(name[0])) return false;
  for (char c : name)
    if (!letter(c) && !digit(c) && c != '.' && c != '-') return false;
  // The profile's own elements, and the names XML keeps for itself.
  if (EqualsIgnoringCase(name, "PlayerAttribs") || EqualsIgnoringCase(name, "InventoryBoard")) return false;
  if (name.size() >= 3 && EqualsIgnoringCase(name.substr(0, 3), "xml")) return false;
  return true;
}

uint32_t FlipBits(int flags) {
  return uint32_t(flags) & (8u | 16u);
}

bool ReadArgb(XmlDocument& doc, XmlNode element, uint32_t& color, float& alpha) {
  const std::vector<float> v = doc.GetFloatListAttribute(element, "ARGB");
  if (v.size() != 4) return false;
  uint32_t packed = 0;
  for (float c : v) packed = packed << 8 | uint32_t(Clamp(c, 0.0f, 1.0f) * 255.0f);
  color = packed;
  alpha = Clamp(v[0], 0.0f, 1.0f);
  return true;
}

HiddenObjectSpec HiddenObjectSpec::Read(XmlDocument& doc, XmlNode e) {
  HiddenObjectSpec s;
  s.name = doc.CopyAttribute(e, "Name");
  s.plural = doc.CopyAttribute(e, "Plural").value_or(s.name.value_or(std::string()));
  s.behavior = doc.GetIntAttribute(e, "Behavior", kFindable);
  // A behaviour this game does not know neither takes clicks nor counts them.
  if (s.behavior < kFindable || s.behavior > kMoveable) s.behavior = kIgnoresClicks;
  s.inventoryClass = doc.GetIntAttribute(e, "InventoryClass", 0);
  s.hotspotId = doc.GetIntAttribute(e, "HotspotID", 0);
  s.file = Text(doc, e, "File");
  ReadPlacement(doc, e, "Coords", s.x, s.y);
  s.size = Clamp(doc.GetFloatAttribute(e, "Size", 0.0f), -kMaxSize, kMaxSize);
  s.angle = Clamp(doc.GetFloatAttribute(e, "Angle", 0.0f), -kMaxAngle, kMaxAngle);
  s.aspect = Clamp(doc.GetFloatAttribute(e, "AspectRatio", 1.0f), 0.0f, kMaxAspect);
  s.flips = FlipBits(doc.GetIntAttribute(e, "Flags", 0));
  ReadArgb(doc, e, s.color, s.alpha);

  if (ScopedXmlNode shadow(doc, doc.FindChildNode(e, "Shadow")); shadow && doc.IsElement(shadow)) {
    ShadowSpec sh;
    ReadPlacement(doc, shadow, "Coords", sh.x, sh.y);
    sh.size = Clamp(doc.GetFloatAttribute(shadow, "Size", 1.0f), -kMaxSize, kMaxSize);
    sh.angle = Clamp(doc.GetFloatAttribute(shadow, "Angle", 0.0f), -kMaxAngle, kMaxAngle);
    sh.aspect = Clamp(doc.GetFloatAttribute(shadow, "AspectRatio", 0.0f), 0.0f, kMaxAspect);
    sh.flips = FlipBits(doc.GetIntAttribute(shadow, "Flags", 0));
    sh.intensity = Clamp(doc.GetFloatAttribute(shadow, "Intensity", 1.0f), 0.0f, 1.0f);
    sh.textureIndex = doc.GetIntAttribute(shadow, "TextureIndex", 0);
    s.shadow = sh;
  }
  if (ScopedXmlNode box(doc, doc.FindChildNode(e, "BoundingBox")); box && doc.IsElement(box)) {
    BoundingBoxSpec b;
    ReadPlacement(doc, box, "Origin", b.x, b.y);
    b.size = Clamp(doc.GetFloatAttribute(box, "Size", 0.0f), 0.0f, kMaxSize);
    b.aspect = Clamp(doc.GetFloatAttribute(box, "AspectRatio", 0.0f), 0.0f, kMaxAspect);
    b.angle = Clamp(doc.GetFloatAttribute(box, "Angle", 0.0f), -kMaxAngle, kMaxAngle);
    s.box = b;
  }
  return s;
}

PatchSpec PatchSpec::Read(XmlDocument& doc, XmlNode e) {
  PatchSpec p;
  const std::vector<float> r = doc.GetFloatListAttribute(e, "Rect");
  if (r.size() == 4) p.rect = ScreenRect(r[0], r[1], r[2], r[3]);
  p.texture = Text(doc, e, "Texture");
  const float period = doc.GetFloatAttribute(e, "Period", kDefaultPeriod);
  p.period = period > 0 ? std::min(period, 1e6f) : kDefaultPeriod;
  p.variance = Clamp(doc.GetFloatAttribute(e, "Variance", kDefaultVariance), 0.0f, 1.0f);
  return p;
}

SavedBoard SavedBoard::Read(XmlDocument& doc, XmlNode board) {
  SavedBoard b;
  const int slots = doc.GetIntAttribute(board, "ItemSlots", 0);
  b.slots = slots >= 1 ? std::min(slots, kMaxItemSlots) : 0;
  for (ScopedXmlNode item(doc, doc.FindChildNode(board)); item; item.Next()) {
    if (!doc.IsElement(item)) continue;
    char name[8] = {};
    doc.GetNodeName(item, name, sizeof name);
    if (!EqualsIgnoringCase(name, "Item")) continue;
    SavedBoardItem it;
    it.slot = doc.GetIntAttribute(item, "SlotIndex", -1);
    it.object = doc.GetIntAttribute(item, "ObjectIndex", -1);
    it.flags = doc.GetIntAttribute(item, "Flags", 0);
    b.items.push_back(it);
  }
  return b;
}

std::vector<HiddenObjectSpec> ReadHiddenObjects(XmlDocument& doc, XmlNode root) {
  std::vector<HiddenObjectSpec> out;
  ScopedXmlNode list(doc, doc.FindChildNode(root, "HiddenObjects"));
  if (!list || !doc.IsElement(list)) return out;
  ScopedXmlNode e(doc, doc.FindChildNode(list));
  if (e && !doc.IsElement(e)) e.NextElement();
  for (; e; e.NextElement()) out.push_back(HiddenObjectSpec::Read(doc, e));
  return out;
}

}  // namespace venue
