// What the developer screen lists and where: every stage of the story map with its venues, its
// differences scene and its puzzles, laid out in columns of thirty rows, and what a click on an
// entry opens. Pure rules, so the screen's layout and routing can be checked without a device.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "player/game_map.h"
#include "scene/screen_rect.h"

namespace cheat {

inline constexpr int kRowsPerColumn = 30;
inline constexpr int kMinColumns = 4;

enum class Kind { kStage, kVenue, kDifferences, kPuzzle };

// One stage as the story map gives it.
struct StageListing {
  std::optional<std::string> name;
  int lines = 10;
  std::vector<GameMapVenue> venues;
  std::optional<GameMapVenue> differences;
  std::vector<GameMapPuzzle> puzzles;
};

struct Entry {
  Kind kind = Kind::kStage;
  int stage = 0;
  int classId = 0;  // 0 for a stage, 43 for a venue or differences scene, else the puzzle's class
  std::optional<std::string> file;
  std::string label;  // a string-table key; the button shows the key itself when it has no text
  int column = 0;
  int row = 0;
};

struct Listing {
  std::vector<Entry> entries;
  int columns = kMinColumns;  // at least four; more when the map needs them, so none runs off screen
};

// The stages of the open story map.
std::vector<StageListing> ReadStoryMap();
// Entries in reading order with their column and row. Venue and differences entries without a
// file are left out (they could open nothing); unnamed entries are labelled by their file.
Listing LayOut(const std::vector<StageListing>& stages);

// Placement on a screen rectangle: rows between 0.2 and 0.9 of its height, columns between
// margins of 0.05 of its width.
float RowHeight(const ScreenRect& screen);
float RowCentreY(const ScreenRect& screen, int row);
float ColumnCentreX(const ScreenRect& screen, int column, int columns);

// The label colours of each kind: normal and hovered.
uint32_t NormalColour(Kind kind);
inline constexpr uint32_t kHoveredColour = 0xFFFF00FFu;

// What a click opens: a class id (0: nothing) and its argument. A stage entry, or a puzzle entry
// without a class, opens the stage's first venue.
struct Destination {
  int classId = 0;
  std::optional<std::string> file;
};
Destination DestinationOf(const Entry& entry, const std::optional<std::string>& firstVenueOfStage);

}  // namespace cheat
