#include "devtools/cheat_listing.h"

#include <algorithm>
#include <cstdio>

#include "scene/game_object.h"

namespace cheat {

std::vector<StageListing> ReadStoryMap() {
  std::vector<StageListing> stages;
  for (int s = 0; s < GameMapStageCount(); ++s) {
    StageListing l;
    l.name = StageName(s);
    l.lines = StageLines(s);
    l.venues = StageVenues(s);
    std::optional<std::string> file = StageDifferences(s), name = StageDifferencesName(s);
    if (file || name) l.differences = GameMapVenue{file, name};
    l.puzzles = StagePuzzles(s);
    stages.push_back(std::move(l));
  }
  return stages;
}

namespace {

std::string LabelOf(const std::optional<std::string>& name, const std::optional<std::string>& file,
                    const char* fallback) {
  if (name && !name->empty()) return *name;
  if (file && !file->empty()) return *file;
  return fallback;
}

bool HasFile(const std::optional<std::string>& file) {
  return file && !file->empty();
}

}  // namespace

Listing LayOut(const std::vector<StageListing>& stages) {
  Listing out;
  int column = 0, row = 0;
  auto add = [&](Entry e) {
    e.column = column;
    e.row = row++;
    out.entries.push_back(std::move(e));
  };
  for (size_t s = 0; s < stages.size(); ++s) {
    const StageListing& st = stages[s];
    const int stage = int(s);
    // A stage that would not fit starts the next column; one that starts a column stays there.
    if (row > 0 && st.lines + row > kRowsPerColumn) {
      ++column;
      row = 0;
    }
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "Stage %d", stage);
    add({Kind::kStage, stage, 0, std::nullopt, LabelOf(st.name, std::nullopt, fallback)});
    for (const GameMapVenue& v : st.venues) {
      if (HasFile(v.file))
        add({Kind::kVenue, stage, TypeId::kSearchEnvironment, v.file, LabelOf(v.name, v.file, "")});
    }
    if (st.differences && HasFile(st.differences->file)) {
      add({Kind::kDifferences, stage, TypeId::kSearchEnvironment, st.differences->file,
           LabelOf(st.differences->name, st.differences->file, "")});
    }
    for (const GameMapPuzzle& p : st.puzzles) {
      char id[32];
      std::snprintf(id, sizeof id, "Puzzle %d", p.environmentId);
      add({Kind::kPuzzle, stage, p.environmentId, p.file, LabelOf(p.name, p.file, id)});
    }
    ++row;  // one empty row after each stage
  }
  out.columns = std::max(kMinColumns, column + 1);
  return out;
}

namespace {
constexpr float kListTop = 0.2f, kListBottomMargin = 0.1f, kSideMargin = 0.05f;
}

float RowHeight(const ScreenRect& screen) {
  const float top = screen.top + kListTop * screen.Height();
  const float bottom = screen.bottom - kListBottomMargin * screen.Height();
  return (bottom - top) / float(kRowsPerColumn);
}

float RowCentreY(const ScreenRect& screen, int row) {
  const float r = RowHeight(screen);
  return screen.top + kListTop * screen.Height() + float(row) * r + r * 0.5f;
}

float ColumnCentreX(const ScreenRect& screen, int column, int columns) {
  const float g = kSideMargin * screen.Width();
  const int n = std::max(columns, 1);
  return screen.left + g + (screen.Width() - 2 * g) * (float(column) + 0.5f) / float(n);
}

uint32_t NormalColour(Kind kind) {
  switch (kind) {
    case Kind::kStage:
      return 0xFF800000u;
    case Kind::kVenue:
    case Kind::kDifferences:
      return 0xFF004000u;
    case Kind::kPuzzle:
      return 0xFF0000C0u;
  }
  return 0xFF000000u;
}

Destination DestinationOf(const Entry& entry, const std::optional<std::string>& firstVenueOfStage) {
  if (entry.classId != 0) return {entry.classId, HasFile(entry.file) ? entry.file : std::nullopt};
  if (HasFile(firstVenueOfStage)) return {TypeId::kSearchEnvironment, firstVenueOfStage};
  return {};
}

}  // namespace cheat
