// The player piano's song: the lyric lines with their syllable times, read from the song file and
// checked before anything is sung, and the choice of each line's hot stretch (the syllables the
// player must hold the button on).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class XmlDocument;

namespace piano {

inline constexpr float kNoTime = 3.4028235e38f;  // a syllable without a time is never reached
inline constexpr int kLineUnsung = 1;            // flag bit: no ball, no hot stretch
inline constexpr float kMinHotDuration = 1.5f;
inline constexpr float kTargetShare = 0.67f;

struct SongLine {
  float start = 0, end = 0;
  int flags = 0;
  std::string text;
  std::vector<float> times;  // one start time a syllable, seconds from the start of the song
  int syllables = 0;         // runs of characters between the separators
  // Sung with ball and hot stretch: not flagged unsung, and its times are usable.
  bool sung = false;
};

struct Song {
  float beat = 0;  // seconds one bounce of the ball lasts
  std::vector<SongLine> lines;
};

// The character ranges [begin, end) of the syllables: runs between "`", space and "-".
std::vector<std::pair<int, int>> SplitSyllables(std::string_view text);

// Whether a line's times carry its ball: one finite time a syllable at least, strictly increasing.
bool TimesFitSyllables(const std::vector<float>& times, int syllables);

// Reads the document; nullopt with a reason in error when the song cannot be sung at all (no root,
// a beat that is not positive, no line that could have a hot stretch).
std::optional<Song> ReadSong(XmlDocument& doc, std::string* error);
std::optional<Song> LoadSong(const char* member, std::string* error);

// A line's hot stretch: syllables first .. last - 1 are hot; duration = time[last] - time[first].
struct HotStretch {
  int first = -1, last = -1;
  float duration = 0;
  bool Exists() const { return first >= 0; }
};

// The stretch of a sung line of n syllables with these times, from random value r (>= 0): none
// for an unsung line or n <= 2; else two syllables from r mod (n - 2) + 1, widened at the end (then
// at the start) until it lasts at least 1.5 s or cannot grow.
HotStretch ChooseHotStretch(const std::vector<float>& times, int syllables, bool sung, int r);
// Whether a line could have a stretch at all (a sung line of more than two syllables).
bool CanHaveHotStretch(const SongLine& line);

}  // namespace piano
