// The story map: the ordered stages of the story, read once at start from "GameMap.xml" in the data
// archive and kept open until exit. Stages are the root's "Stage" elements in story order; nodes of
// any other kind or name neither count nor shift the index. Every query takes a stage index and
// gives none (or an empty list) when the map is not open or the stage, element or attribute is
// missing.
#pragma once

#include <optional>
#include <string>
#include <vector>

bool OpenGameMap();  // reads the archive member; false: the shell shows "Error opening game map."
void CloseGameMap();
// Opens a loose file instead (tools and tests). false leaves no map open.
bool OpenGameMapFile(const std::string& path);
// Parses bytes already in memory (fuzzing). false leaves no map open.
bool OpenGameMapBytes(const void* data, size_t size);

int GameMapStageCount();
std::optional<std::string> StageName(int stage);
std::optional<std::string> StageMapName(int stage);     // the map shown after the stage
std::optional<std::string> StageExitSpeech(int stage);  // the speech at its end ("EndOfStage" if none)
std::optional<std::string> StageFirstVenue(int stage);  // where the stage begins
std::optional<std::string> StageDifferences(int stage);
std::optional<std::string> StageDifferencesName(int stage);
int StageLines(int stage);  // rows on the cheat screen, 10 by default

struct GameMapVenue {
  std::optional<std::string> file;
  std::optional<std::string> name;
};
struct GameMapPuzzle {
  std::optional<std::string> name;
  std::optional<std::string> file;
  int environmentId = 0;
};
std::vector<GameMapVenue> StageVenues(int stage);
std::vector<GameMapPuzzle> StagePuzzles(int stage);
