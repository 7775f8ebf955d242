// What a venue file says, read into plain values: the root's attributes, one record per hidden
// object with its shadow and bounding box, search patches, and the item board's saved form in the
// player's profile. Every number is checked here, so the scene classes only place and draw.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/xml_document.h"
#include "scene/screen_rect.h"

namespace venue {

inline constexpr int kMaxItemSlots = 12;

// The root element's attributes with their defaults.
struct VenueAttributes {
  std::string background;  // under "Search\Backgrounds\"; empty: none
  int itemsToFind = 12;
  int itemSlots = 12;  // kept to 1..12
  bool differences = false;
  int completionFlag = -1;
  std::optional<std::string> exitSpeech;
  int visitedFlag = -1;
  std::optional<std::string> firstVisitSpeech;

  static VenueAttributes Read(XmlDocument& doc, XmlNode root);
};

// "Search\Venues\" + the file name.
std::string VenueMemberPath(std::string_view fileName);
// The part after the last backslash (or slash), cut at its last "." ("Search\Venues\A_B.xml" -> "A_B").
std::string VenueNameFromPath(std::string_view path);
// A back button's destination as a venue file: ".xml" appended unless it already ends so (any case).
std::string VenueFileForLevel(std::string_view levelName);
// Whether the name can be the element a venue's state is saved under: [A-Za-z_][A-Za-z0-9_.-]*,
// not one of the profile's own elements and not starting with "xml" in any case.
bool IsSavableVenueName(std::string_view name);

enum Behavior : int {
  kFindable = 0,
  kBlocksClicks = 1,
  kIgnoresClicks = 2,
  kPatch = 3,
  kHotspot = 4,
  kMoveable = 5,
};

struct ShadowSpec {
  float x = 0, y = 0;  // relative to the object
  float size = 1.0f;
  float angle = 0;
  float aspect = 0;  // 0: the object's own aspect
  uint32_t flips = 0;
  float intensity = 1.0f;
  int textureIndex = 0;
};

struct BoundingBoxSpec {
  float x = 0, y = 0;  // "Origin"
  float size = 0, aspect = 0, angle = 0;
};

struct HiddenObjectSpec {
  std::optional<std::string> name;
  std::string plural;  // the name when missing
  int behavior = kFindable;
  int inventoryClass = 0;
  int hotspotId = 0;
  std::string file;
  float x = 0, y = 0;  // "Coords": offset from the venue's centre in venue widths and heights
  float size = 0;
  float angle = 0;
  float aspect = 1.0f;
  uint32_t flips = 0;  // 8 mirror, 16 flip
  uint32_t color = 0xFFFFFFFF;
  float alpha = 1.0f;
  std::optional<ShadowSpec> shadow;
  std::optional<BoundingBoxSpec> box;

  // A findable object's board name: nameless ones count as "".
  std::string BoardName() const { return name.value_or(std::string()); }
  static HiddenObjectSpec Read(XmlDocument& doc, XmlNode element);
};

// Only bits 8 and 16 of a "Flags" value.
uint32_t FlipBits(int flags);
// "ARGB" as colour and alpha: used only with exactly four numbers, each kept to 0..1.
bool ReadArgb(XmlDocument& doc, XmlNode element, uint32_t& color, float& alpha);

struct PatchSpec {
  static constexpr float kDefaultPeriod = 0.5f;
  static constexpr float kDefaultVariance = 0.8f;
  ScreenRect rect;  // 1024 x 768 reference frame
  std::string texture;
  float period = kDefaultPeriod;
  float variance = kDefaultVariance;

  // A period of 0 or less takes the default, the variance is kept to 0..1.
  static PatchSpec Read(XmlDocument& doc, XmlNode element);
};

// The item board as saved in the profile.
struct SavedBoardItem {
  int slot = 0;
  int object = 0;
  int flags = 0;
};
struct SavedBoard {
  int slots = 0;
  std::vector<SavedBoardItem> items;
  // False when the element has no usable slot count: the board is then built afresh.
  bool Usable() const { return slots >= 1; }
  static SavedBoard Read(XmlDocument& doc, XmlNode boardElement);
};

// Reads every child element of "HiddenObjects" (elements only, any name) in order.
std::vector<HiddenObjectSpec> ReadHiddenObjects(XmlDocument& doc, XmlNode root);

}  // namespace venue
