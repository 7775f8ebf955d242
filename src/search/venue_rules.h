// The venue's fixed rules as pure functions: where each piece of the search screen goes, which
// story flag keeps a hotspot active, and what completing a venue leads to.
#pragma once

#include <optional>
#include <string>

#include "flow/travel_target.h"
#include "scene/screen_rect.h"

namespace venue {

struct ScreenLayout {
  ScreenRect sceneArea;   // the (left) search picture
  ScreenRect secondArea;  // differences mode: the right picture; else empty
  ScreenRect divider;     // differences mode: the strip over the seam; else empty
  ScreenRect itemBoard;
  ScreenRect inventory;
  ScreenRect hintButton;
  ScreenRect statusBoard;
};
// The pieces against the environment's rectangle (its angle is ignored).
ScreenLayout ComputeScreenLayout(const ScreenRect& environment, bool differences);

// The story flag whose setting switches a hotspot off; -1 for ids that are never active.
int HotspotActivityFlag(int hotspotId);

// What a finished venue does (RunCompletionSequence).
enum class CompletionStep {
  kExitSpeech,        // it has an exit: say its exit speech and stay
  kCheckDifferences,  // end of a stage with a differences scene still to play
  kStageEndSpeech,    // end of the stage: the stage's exit speech, then the stage advance
  kOpenStageStart,    // a finished dead end of another stage: go to the current stage's start
};
CompletionStep DecideCompletion(bool hasExit, bool differencesVenue, bool stageHasDifferences,
                                bool belongsToCurrentStage);

// Whether the venue (by name or file) is one of the stage's venues or its differences scene.
// Without an open story map every venue counts as belonging.
bool VenueBelongsToStage(int stage, const std::string& venueName);

// After the stage advance to newStage: the map shown after the stage before it, else the new
// stage's first venue, else the epilogue. driveAway: whether the departure sound plays.
SceneTarget StageAdvanceTarget(int newStage, bool* driveAway = nullptr);

// The speech at the end of a stage: its exit speech, or "EndOfStage".
std::string StageEndSpeech(int stage);

}  // namespace venue
