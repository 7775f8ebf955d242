// Map file bytes -> map description. Whatever the bytes, every number the scene will use is
// finite and in range, the lists are bounded, and sharing the route's time gives finite,
// non-negative durations.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "data/xml_document.h"
#include "flow/map_description.h"
#include "flow/route_geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlDocument doc;
  doc.LoadBytes(data, size);
  const std::optional<MapDescription> map = ReadMapDescription(doc);
  if (!map) return 0;
  if (!std::isfinite(map->time)) std::abort();
  if (map->icons.size() > kMaxMapIcons || map->lines.size() > kMaxMapLines) std::abort();
  for (const MapIcon& icon : map->icons) {
    if (icon.image.empty() || !(icon.size >= 0) || !std::isfinite(icon.size)) std::abort();
    if (!std::isfinite(icon.x) || !std::isfinite(icon.y)) std::abort();
    if (icon.position < kLabelAboveLeft || icon.position > kLabelBelowLeft) std::abort();
    const ScreenRect r = MapIconRect(icon, 1024, 768);
    const MapLabelPlace label = MapLabelRect(r, icon.position, 2, 1024, 768);
    if (!std::isfinite(label.rect.left + label.rect.top + label.rect.right + label.rect.bottom)) std::abort();
  }
  std::vector<float> lengths;
  for (const MapLine& line : map->lines) {
    if (!(line.width >= 0) || !std::isfinite(line.width)) std::abort();
    const float length = std::hypot(line.endX - line.startX, line.endY - line.startY);
    if (!std::isfinite(length)) std::abort();
    lengths.push_back(length);
    const LineStrip strip = LineStripFor(line.startX, line.startY, line.endX, line.endY, 0.5f, line.width);
    if (strip.kind == LineStrip::kStrip && !std::isfinite(strip.cap)) std::abort();
  }
  for (float share : ShareRouteTime(map->time, lengths))
    if (!std::isfinite(share) || share < 0) std::abort();
  return 0;
}
