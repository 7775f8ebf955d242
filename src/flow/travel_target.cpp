#include "flow/travel_target.h"

#include "flow/shutter.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "player/player_name.h"
#include "scene/game_object.h"

namespace {

// A venue file without its ".xml" (venues are saved by name, the story map lists files).
std::string_view VenueName(std::string_view file) {
  constexpr std::string_view kExt = ".xml";
  if (file.size() >= kExt.size() && SameNameIgnoringCase(file.substr(file.size() - kExt.size()), kExt))
    file.remove_suffix(kExt.size());
  return file;
}

bool IsVenueOfStage(int stage, std::string_view saved) {
  const std::string_view name = VenueName(saved);
  if (name.empty()) return false;
  for (const GameMapVenue& venue : StageVenues(stage))
    if (venue.file && SameNameIgnoringCase(VenueName(*venue.file), name)) return true;
  const std::optional<std::string> differences = StageDifferences(stage);
  return differences && SameNameIgnoringCase(VenueName(*differences), name);
}

SceneTarget SavedVenueTarget(const std::string& venue) {
  return {TypeId::kSearchEnvironment, venue + ".xml"};
}

}  // namespace

SceneTarget StageStartTarget(int stage) {
  if (GameMapStageCount() <= 0) return {TypeId::kMainEnvironment, std::nullopt};
  if (std::optional<std::string> first = StageFirstVenue(stage); first && !first->empty())
    return {TypeId::kSearchEnvironment, *first};
  return {TypeId::kEpilogueEnvironment, std::nullopt};
}

SceneTarget TravelOnTarget() {
  return StageStartTarget(GetStage());
}

SceneTarget ContinueTarget() {
  const std::optional<std::string> saved = GetLastVenue();
  if (GameMapStageCount() <= 0) {
    if (saved && !saved->empty()) return SavedVenueTarget(*saved);
    return {};
  }
  const int stage = GetStage();
  if (saved && IsVenueOfStage(stage, *saved)) return SavedVenueTarget(*saved);
  return StageStartTarget(stage);
}

CShutter* StartTransitionTo(const SceneTarget& target) {
  if (target.classId == 0) return GetShutter();
  return StartTransition(target.classId, target.argument ? target.argument->c_str() : nullptr);
}
