// A travel map as its file "Map\<name>.xml" describes it, and where its parts go on screen. The
// document element carries "Background" and "Time"; its "Icons" child lists place icons and its
// "Lines" child the route segments in drawing order (children of any element name). Numbers are
// checked where they are read, so a damaged file can neither hang the route nor draw at infinity.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/screen_rect.h"

class XmlDocument;

inline constexpr float kDefaultRouteTime = 10.0f;
inline constexpr size_t kMaxMapIcons = 64;   // more are ignored
inline constexpr size_t kMaxMapLines = 256;  // more are ignored

// Where a label stands beside its icon.
enum MapLabelPosition : int {
  kLabelAboveLeft = 0,
  kLabelAboveRight = 1,
  kLabelBelowRight = 2,
  kLabelBelowLeft = 3
};

struct MapIcon {
  std::string image;                // "Map\<image>"
  float size = 0.0f;                // side in 768ths of the screen height
  float x = 0.0f, y = 0.0f;         // centre in the 1024 x 768 frame
  std::optional<std::string> name;  // label key
  int position = kLabelAboveLeft;
};

struct MapLine {
  float startX = 0.0f, startY = 0.0f, endX = 0.0f, endY = 0.0f;  // 1024 x 768 frame
  float width = 0.0f;                                            // 768ths of the screen height
};

struct MapDescription {
  std::string background;  // "Map\<background>"; empty: none
  float time = kDefaultRouteTime;
  std::vector<MapIcon> icons;
  std::vector<MapLine> lines;
};

// The archive member of a map name: "Map\<name>.xml".
std::string MapMemberName(const char* name);
// Reads a parsed map file; none without a document element. Icons without "Image" are skipped;
// a "Time" that is not a finite number is the default; sizes and widths below 0 are 0;
// coordinates are kept within a wide band around the screen; unknown label positions are 0.
std::optional<MapDescription> ReadMapDescription(XmlDocument& doc);
// Loads and reads the member; none when it is missing, does not parse or has no document element.
std::optional<MapDescription> LoadMapDescription(const char* name);

// The icon's square on a client area of width x height.
ScreenRect MapIconRect(const MapIcon& icon, float width, float height);
// The label's rectangle for a text of `lines` lines (at least 1) beside an icon, and the tooltip
// alignment flags that keep the text against the icon.
struct MapLabelPlace {
  ScreenRect rect;
  uint32_t flags;
};
MapLabelPlace MapLabelRect(const ScreenRect& icon, int position, int lines, float width, float height);
