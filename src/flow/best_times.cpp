#include "flow/best_times.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/os/host.h"
#include "player/game_state.h"
#include "player/player_name.h"

namespace {

bool Listable(float time) {
  return std::isfinite(time) && time >= 0 && time < kLongestListedTime;
}

}  // namespace

std::vector<BestTimeEntry> BuildBestTimes(const std::vector<ProfileTimes>& profiles, int stageCount) {
  std::vector<BestTimeEntry> entries;
  auto add = [&](const std::string& name, int stage, float time) {
    if (Listable(time)) entries.push_back({name, stage, time});
  };
  for (const ProfileTimes& p : profiles) {
    const float best = p.bestGameTime, current = p.cumulativeTime;
    if (best > 0) add(p.name, stageCount, best);
    if (current > 0 || best == 0) add(p.name, p.stage, current);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const BestTimeEntry& a, const BestTimeEntry& b) { return a.time < b.time; });
  if (entries.size() > size_t(kBestTimesShown)) entries.resize(kBestTimesShown);
  return entries;
}

std::string StageColumnText(int stage, int stageCount, const std::optional<std::string>& stageName,
                            const std::string& gameComplete) {
  if (stage >= stageCount) return gameComplete;
  return stageName.value_or("(?]");
}

std::string FormatBestTime(float seconds) {
  // Listed times are checked, but a stray value still must not overflow the conversion.
  const float clamped = std::isfinite(seconds) ? std::clamp(seconds, 0.0f, kLongestListedTime) : 0.0f;
  const long s = long(clamped);
  char text[32];
  std::snprintf(text, sizeof text, "%.2ld:%.2ld:%.2ld", s / 3600, (s / 60) % 60, s % 60);
  return text;
}

std::vector<ProfileTimes> ReadAllProfileTimes() {
  SavePlayer();
  std::vector<ProfileTimes> out;
  const std::string folder = PlayersFolder();
  const std::vector<std::string> listing = os::ListDirectory(folder, os::ListKind::Files);
  for (const std::string& name : PlayerNamesInListing(listing)) {
    const std::string file = FindProfileFile(listing, name);
    if (file.empty()) continue;
    XmlDocument doc;
    if (doc.LoadFile(os::JoinPath(folder, file)) != 0) continue;
    GameState state;
    ReadPlayerAttribs(doc, state);
    out.push_back({name, state.cumulativeTime, state.bestGameTime, state.stage});
  }
  return out;
}
