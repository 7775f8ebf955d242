#include "audio/music_playlist.h"

#include "core/random.h"
#include "data/pak_names.h"
#include "platform/os/host.h"

namespace {

bool HasOggExtension(const std::string& name) {
  return name.size() > 4 && pak::EqualsFolded(std::string_view(name).substr(name.size() - 4), ".ogg");
}

}  // namespace

void MusicPlaylist::Build(const std::string& folder, int flags, Random& random) {
  tracks_.clear();
  std::vector<std::string> names = os::ListDirectory(folder, os::ListKind::Files);
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (!HasOggExtension(*it)) continue;
    tracks_.push_back(MusicTrack{os::JoinPath(folder, *it), 0, flags});
  }
  if (tracks_.size() > 1) {
    size_t k = size_t(random.Next()) % tracks_.size();
    for (size_t i = 0; i < k; ++i) tracks_[i].playCount = 1;
  }
}

MusicTrack* MusicPlaylist::ChooseNext() {
  if (tracks_.empty()) return nullptr;
  size_t chosen = 0;
  for (size_t i = 1; i < tracks_.size(); ++i) {
    if (tracks_[i].playCount < tracks_[i - 1].playCount) {
      chosen = i;
      break;
    }
  }
  ++tracks_[chosen].playCount;
  return &tracks_[chosen];
}

const char* MusicFolderName(int mood) {
  switch (mood) {
    case kMoodMainMenu:
      return "MainMenu";
    case kMoodSearch:
      return "Search";
    case kMoodPiano:
      return "Piano";
    default:
      return nullptr;
  }
}

int MusicFlagsForMood(int mood) {
  switch (mood) {
    case kMoodMainMenu:
      return kMusicLoops;
    case kMoodSearch:
      return kMusicSearch;
    case kMoodPiano:
      return kMusicPiano;
    default:
      return 0;
  }
}
