// Where the story goes next when a scene hands the player on: after a travel map, and on Continue
// from the main menu. Pure decisions over the story map and the current player's progress, so the
// scenes that act on them stay thin and the rules can be checked without a device.
#pragma once

#include <optional>
#include <string>

class CShutter;

// A scene to open: an environment class id and its argument. Class 0 opens nothing.
struct SceneTarget {
  int classId = 0;
  std::optional<std::string> argument;

  bool operator==(const SceneTarget&) const = default;
};

// The start of a stage: its first venue; past the story's venues, the epilogue. Without an open
// story map there is nothing to check against, so the main menu (never the epilogue, which would
// close the player's game).
SceneTarget StageStartTarget(int stage);
// After a travel map: the start of the current (already advanced) stage.
SceneTarget TravelOnTarget();
// Continue a saved game: the saved venue when it is a venue or the differences scene of the
// current stage, otherwise the start of the current stage. A player who quit while a map was shown
// saved the finished dead end of the stage before; reopening it would run its end again and skip
// a stage. Without an open story map the saved venue is trusted as it is.
SceneTarget ContinueTarget();

// Starts the transition to target (nothing for class 0); the running shutter, a new one, or null.
CShutter* StartTransitionTo(const SceneTarget& target);
