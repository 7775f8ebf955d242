// The times list's rows: which entries each profile gives, their order, the ten that show, and how
// the stage and the time read. Pure functions over what the profiles hold, so the rules can be
// checked without a players folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr int kBestTimesShown = 10;
// Longer than anyone plays (100 hours); a stored time past it is damage, not a result.
inline constexpr float kLongestListedTime = 360000.0f;

// What one profile's "PlayerAttribs" hold.
struct ProfileTimes {
  std::string name;
  float cumulativeTime = 0;
  float bestGameTime = 0;
  int stage = 0;
};

struct BestTimeEntry {
  std::string name;
  int stage = 0;
  float time = 0;

  bool operator==(const BestTimeEntry&) const = default;
};

// A finished game (best time above 0) gives (name, stageCount, best time); a game in progress (its
// time above 0, or no finished game) gives (name, stage, time). An entry whose time is not a
// finite number from 0 up to kLongestListedTime is left out. Sorted by time, fastest first (ties
// keep the profiles' order), at most the first kBestTimesShown.
std::vector<BestTimeEntry> BuildBestTimes(const std::vector<ProfileTimes>& profiles, int stageCount);

// The stage column: gameComplete from the stage count on, else the stage's name, "(?]" without one.
std::string StageColumnText(int stage, int stageCount, const std::optional<std::string>& stageName,
                            const std::string& gameComplete);

// "hh:mm:ss" of the whole seconds (3725.9 reads 01:02:05).
std::string FormatBestTime(float seconds);

// Every readable profile in the players folder (the current player saved first, so its own file is
// up to date); an unreadable one is skipped.
std::vector<ProfileTimes> ReadAllProfileTimes();
