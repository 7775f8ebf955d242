// The shipped song: a beat, times for every sung syllable, and something to hold on.
#include <gtest/gtest.h>

#include "data/xml_document.h"
#include "puzzles/piano_song.h"

using namespace piano;

TEST(PianoContent, EverySungLineHasRisingTimesForEachSyllableAndAHotStretch) {
  XmlDocument doc;
  ASSERT_EQ(doc.LoadFile(VARDELL_SOURCE_DIR "/content/database/Puzzles/PlayerPiano/Cellar Key1.xml"), 0);
  std::string why;
  const auto song = ReadSong(doc, &why);
  ASSERT_TRUE(song) << why;
  EXPECT_GT(song->beat, 0);
  int stretches = 0;
  float sum = 0, previousEnd = 0;
  for (const SongLine& line : song->lines) {
    EXPECT_GE(line.start, previousEnd) << line.text;
    EXPECT_LT(line.start, line.end) << line.text;
    previousEnd = line.end;
    if (line.flags & kLineUnsung) continue;
    EXPECT_EQ(int(line.times.size()), line.syllables) << line.text;
    EXPECT_TRUE(line.sung) << line.text;
    for (float t : line.times) {
      EXPECT_GE(t, line.start) << line.text;
      EXPECT_LT(t, line.end) << line.text;
    }
    // Whatever the draw, the stretch lasts long enough to be held.
    for (int r = 0; r < line.syllables; ++r) {
      const HotStretch h = ChooseHotStretch(line.times, line.syllables, line.sung, r);
      ASSERT_TRUE(h.Exists()) << line.text;
      EXPECT_GE(h.duration, kMinHotDuration) << line.text;
    }
    ++stretches;
    sum += ChooseHotStretch(line.times, line.syllables, line.sung, 0).duration;
  }
  EXPECT_GE(stretches, 1);
  EXPECT_GT(sum * kTargetShare, 0);
}
