#include "search/venue_rules.h"

#include "player/game_map.h"
#include "player/player_name.h"
#include "scene/game_object.h"
#include "search/venue_file.h"

namespace venue {

ScreenLayout ComputeScreenLayout(const ScreenRect& env, bool differences) {
  ScreenLayout l;
  const float w = env.Width(), h = env.Height();
  const float right = env.right, bottom = env.bottom;
  if (differences) {
    const float half = 0.459f * w;
    l.sceneArea = ScreenRect(env.left, env.top, env.left + half, env.top + 0.889f * h);
    l.secondArea = ScreenRect(l.sceneArea.right, env.top, l.sceneArea.right + half, l.sceneArea.bottom);
    const float dividerWidth = 0.03f * half;
    l.divider = ScreenRect(l.sceneArea.right - dividerWidth / 2, l.sceneArea.top,
                           l.sceneArea.right + dividerWidth / 2, l.sceneArea.bottom);
  } else {
    l.sceneArea = ScreenRect(env.left, env.top, env.left + 0.918f * w, env.top + 0.889f * h);
  }
  const float unit = 0.11f * w;
  l.itemBoard = ScreenRect(right - 0.085f * w - 5.93f * unit, bottom - unit, right - 0.085f * w, bottom);
  l.inventory = ScreenRect(right - unit, bottom - 0.085f * w - unit / 0.223f, right, bottom - 0.085f * w);
  l.hintButton = ScreenRect(right - unit, bottom - unit, right, bottom);
  l.statusBoard = ScreenRect(env.left, bottom - unit, env.left + 2.72f * unit, bottom);
  return l;
}

int HotspotActivityFlag(int id) {
  switch (id) {
    case 1:
      return 13;
    case 2:
      return 4;
    case 3:
      return 6;
    case 4:
      return 7;
    case 7:
      return 8;
    case 8:
      return 15;
    case 10:
      return 17;
    case 11:
      return 98;
    case 12:
      return 20;
    case 13:
      return 49;
    case 14:
      return 51;
    case 15:
      return 70;
    case 16:
      return 65;
    case 17:
      return 52;
    case 18:
      return 68;
    case 19:
      return 77;
    case 20:
      return 82;
    case 21:
      return 94;
    case 22:
      return 90;
    default:
      return -1;
  }
}

CompletionStep DecideCompletion(bool hasExit, bool differencesVenue, bool stageHasDifferences,
                                bool belongsToCurrentStage) {
  if (hasExit) return CompletionStep::kExitSpeech;
  // Ending a stage from a venue of another one would advance the story a second time.
  if (!belongsToCurrentStage) return CompletionStep::kOpenStageStart;
  if (!differencesVenue && stageHasDifferences) return CompletionStep::kCheckDifferences;
  return CompletionStep::kStageEndSpeech;
}

bool VenueBelongsToStage(int stage, const std::string& venueName) {
  if (GameMapStageCount() <= 0) return true;
  const std::string name = VenueNameFromPath(venueName);
  if (name.empty()) return false;
  for (const GameMapVenue& v : StageVenues(stage))
    if (v.file && SameNameIgnoringCase(VenueNameFromPath(*v.file), name)) return true;
  const std::optional<std::string> differences = StageDifferences(stage);
  return differences && SameNameIgnoringCase(VenueNameFromPath(*differences), name);
}

SceneTarget StageAdvanceTarget(int newStage, bool* driveAway) {
  if (driveAway) *driveAway = true;
  if (std::optional<std::string> map = StageMapName(newStage - 1); map && !map->empty())
    return {TypeId::kMapEnvironment, *map};
  if (std::optional<std::string> first = StageFirstVenue(newStage); first && !first->empty())
    return {TypeId::kSearchEnvironment, *first};
  if (driveAway) *driveAway = false;
  return {TypeId::kEpilogueEnvironment, std::nullopt};
}

std::string StageEndSpeech(int stage) {
  std::optional<std::string> speech = StageExitSpeech(stage);
  return speech && !speech->empty() ? *speech : std::string("EndOfStage");
}

}  // namespace venue
