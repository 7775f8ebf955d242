// Story flags, the stage, play time and the venue to resume, on the current player's record.
#include <climits>
#include <cmath>

#include "core/loading_progress.h"
#include "player/game_state.h"

bool TestFlag(int flag) {
  GameState* s = CurrentGameState();
  return s && s->flags.Test(flag);
}

bool SetFlag(int flag) {
  GameState* s = CurrentGameState();
  return s && s->flags.Set(flag);
}

void ClearFlag(int flag) {
  if (GameState* s = CurrentGameState()) s->flags.Clear(flag);
}

int GetStage() {
  GameState* s = CurrentGameState();
  return s ? s->stage : 0;
}

void SetStage(int stage) {
  if (GameState* s = CurrentGameState()) s->stage = stage;
}

int AdvanceStage() {
  GameState* s = CurrentGameState();
  if (!s) return 0;
  if (s->stage < INT32_MAX) ++s->stage;  // a profile may hold any number
  return s->stage;
}

bool IsNewGame() {
  GameState* s = CurrentGameState();
  return !s || (s->stage == 0 && s->classId == 0);
}

void AddPlayTime(float seconds) {
  GameState* s = CurrentGameState();
  if (!s || !std::isfinite(seconds) || seconds <= 0.0f) return;
  s->pendingTime += seconds;
  if (s->pendingTime >= 1.0f) {
    float whole = std::trunc(s->pendingTime);
    s->cumulativeTime += whole;
    s->pendingTime -= whole;
  }
}

void AddTimePenalty(float seconds) {
  GameState* s = CurrentGameState();
  if (s && std::isfinite(seconds)) s->cumulativeTime += seconds;
}

void SetLastVenue(const char* venueName) {
  GameState* s = CurrentGameState();
  if (!s || !venueName) return;
  s->lastKnownVenue = venueName;
  s->classId = kResumeSearchVenue;
}

std::optional<std::string> GetLastVenue(int* classId) {
  GameState* s = CurrentGameState();
  if (classId) *classId = s ? s->classId : 0;
  if (!s) return std::nullopt;
  return s->lastKnownVenue;
}
