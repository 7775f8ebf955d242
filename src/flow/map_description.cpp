#include "flow/map_description.h"

#include <algorithm>
#include <cmath>

#include "core/loading_progress.h"
#include "data/xml_document.h"
#include "ui/button_style.h"

namespace {

// Far enough outside the 1024 x 768 frame for any deliberate placement, near enough that pixel
// arithmetic stays finite.
constexpr float kCoordLimit = 100000.0f;

float Coord(float v) {
  return std::isfinite(v) ? std::clamp(v, -kCoordLimit, kCoordLimit) : 0.0f;
}

float Extent(float v) {
  return std::isfinite(v) ? std::clamp(v, 0.0f, kCoordLimit) : 0.0f;
}

// Calls visit(node) for each child element of the root's child listName, up to limit of them.
template <typename Visit>
void ForEachChild(XmlDocument& doc, XmlNode root, const char* listName, size_t limit, Visit visit) {
  ScopedXmlNode list(doc, doc.FindChildNode(root, listName));
  if (!list || !doc.IsElement(list)) return;
  ScopedXmlNode item(doc, doc.FindChildNode(list));
  if (item && !doc.IsElement(item)) item.NextElement();
  for (size_t n = 0; item && n < limit; item.NextElement(), ++n) visit(item.get());
}

}  // namespace

std::string MapMemberName(const char* name) {
  return std::string("Map\\") + (name ? name : "") + ".xml";
}

std::optional<MapDescription> ReadMapDescription(XmlDocument& doc) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return std::nullopt;
  MapDescription map;
  map.background = doc.CopyAttribute(root, "Background", "").value_or("");
  map.time = doc.GetFloatAttribute(root, "Time", kDefaultRouteTime);
  if (!std::isfinite(map.time)) map.time = kDefaultRouteTime;

  ForEachChild(doc, root, "Icons", kMaxMapIcons, [&](XmlNode node) {
    std::optional<std::string> image = doc.CopyAttribute(node, "Image");
    if (!image || image->empty()) return;
    MapIcon icon;
    icon.image = *image;
    icon.size = Extent(doc.GetFloatAttribute(node, "Size", 0.0f));
    const auto coords = doc.GetVec2Attribute(node, "Coords");
    icon.x = Coord(coords[0]);
    icon.y = Coord(coords[1]);
    icon.name = doc.CopyAttribute(node, "Name");
    if (icon.name && icon.name->empty()) icon.name.reset();
    icon.position = doc.GetIntAttribute(node, "Position", kLabelAboveLeft);
    if (icon.position < kLabelAboveLeft || icon.position > kLabelBelowLeft) icon.position = kLabelAboveLeft;
    map.icons.push_back(std::move(icon));
  });

  ForEachChild(doc, root, "Lines", kMaxMapLines, [&](XmlNode node) {
    const auto start = doc.GetVec2Attribute(node, "Start");
    const auto end = doc.GetVec2Attribute(node, "End");
    map.lines.push_back({Coord(start[0]), Coord(start[1]), Coord(end[0]), Coord(end[1]),
                         Extent(doc.GetFloatAttribute(node, "Width", 0.0f))});
  });
  return map;
}

std::optional<MapDescription> LoadMapDescription(const char* name) {
  XmlDocument doc;
  const int result = doc.LoadMember(MapMemberName(name).c_str());
  LoadingProgressStep();
  if (result != 0) return std::nullopt;
  return ReadMapDescription(doc);
}

ScreenRect MapIconRect(const MapIcon& icon, float width, float height) {
  const float side = icon.size / scene::kReferenceHeight * height;
  return ScreenRect::FromCenter(side, side, icon.x / scene::kReferenceWidth * width,
                                icon.y / scene::kReferenceHeight * height);
}

MapLabelPlace MapLabelRect(const ScreenRect& icon, int position, int lines, float width, float height) {
  const float h = (float(std::max(lines, 1)) + 0.5f) * 0.05f * height;
  switch (position) {
    case kLabelAboveRight:
      return {ScreenRect(icon.right, icon.top - h, width, icon.top), kTooltipLeftAligned};
    case kLabelBelowRight:
      return {ScreenRect(icon.right, icon.bottom, width, icon.bottom + h), kTooltipLeftAligned};
    case kLabelBelowLeft:
      return {ScreenRect(0.0f, icon.bottom, icon.left, icon.bottom + h), kTooltipRightAligned};
    default:
      return {ScreenRect(0.0f, icon.top - h, icon.left, icon.top), kTooltipRightAligned};
  }
}
