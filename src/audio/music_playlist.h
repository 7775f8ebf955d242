// One mood's tracks: the .ogg files of its folder, played in turn from a random starting point.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Random;

enum MusicMood { kMoodNone = 0, kMoodMainMenu = 1, kMoodSearch = 2, kMoodPiano = 3 };
// Playlist flags carried by each track and stream.
enum : int { kMusicLoops = 1, kMusicSearch = 2, kMusicPiano = 4 };

struct MusicTrack {
  std::string path;
  uint32_t playCount = 0;
  int flags = 0;
};

class MusicPlaylist {
 public:
  // Every "*.ogg" file of folder (the extension in any case), in the reverse of the sorted listing,
  // as inserting each at the front of a list gives. With more than one file, the first
  // (random value mod count) tracks start with a play count of 1: that picks the starting point.
  void Build(const std::string& folder, int flags, Random& random);
  void Clear() { tracks_.clear(); }

  // The first track whose play count is lower than its predecessor's, else the first; its count
  // goes up by one. Null when the list is empty.
  MusicTrack* ChooseNext();

  bool Empty() const { return tracks_.empty(); }
  size_t Size() const { return tracks_.size(); }
  const std::vector<MusicTrack>& Tracks() const { return tracks_; }

 private:
  std::vector<MusicTrack> tracks_;  // list order: index 0 is the head
};

// "Music\MainMenu", "Music\Search" and "Music\Piano" below the data root, and their flags.
const char* MusicFolderName(int mood);
int MusicFlagsForMood(int mood);
