// The demo's sound builder: the recipe and score formats, and the piano roll's timing against the
// song it accompanies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "ogg_encode.h"
#include "recipe_text.h"
#include "score.h"
#include "sound_recipe.h"
#include "support/test_env.h"

namespace {

using namespace soundbuild;

std::string ReadSource(const std::string& rel) {
  std::ifstream in(testenv::SourceDir() + "/" + rel, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SoundRecipe, RendersTheGivenLengthAtThePeakLevelAndTheSameEveryTime) {
  const char* recipe =
      "# a test\n"
      "sound length=0.5 gain=-6\n"
      "tone freq=440 dur=0.3 decay=0.1\n"
      "noise at=0.2 dur=0.1 amp=0.5 filter=band:2000:2 sweep=500 repeat=2 every=0.1\n";
  std::vector<float> a = RenderSoundRecipe(recipe, 22050);
  ASSERT_EQ(a.size(), size_t(0.5 * 22050));
  float peak = 0;
  for (float s : a) peak = std::max(peak, std::fabs(s));
  EXPECT_NEAR(peak, std::pow(10.0, -6.0 / 20), 0.01);
  EXPECT_EQ(a, RenderSoundRecipe(recipe, 22050));
  EXPECT_EQ(a.back(), 0.0f) << "ends faded out";
}

TEST(SoundRecipe, MistakesAreReportedWithTheirLine) {
  auto error = [](const char* text) {
    try {
      RenderSoundRecipe(text, 22050);
    } catch (const RecipeError& e) {
      return e.message;
    }
    return std::string("no error");
  };
  EXPECT_EQ(error("sound length=0.1\ntone freq=abc\n"), "line 2: \"abc\" is not a number");
  EXPECT_EQ(error("sound length=0.1\ntone frq=440\n"), "line 2: \"tone\" has no setting \"frq\"");
  EXPECT_EQ(error("sound length=0.1\nwhistle\n"), "line 2: unknown layer \"whistle\"");
  EXPECT_EQ(error("sound length=0.1\nnoise filter=notch:100\n"), "line 2: unknown filter \"notch\"");
  EXPECT_EQ(error("sound length=100\n"), "sound length must be between 0 and 60 seconds");
}

TEST(Score, PatternsTransposeRepeatAndLengthsCarryOver) {
  const char* score =
      "score tempo=120\n"
      "pattern p\n"
      "C4/0.5 E4 | r/1\n"
      "end\n"
      "voice a instrument=piano octave=1\n"
      "v0.5 @p+2*2 F#3+Bb3/2 x # a comment, while C#4 is a note\n"
      "C#4\n"
      "end\n";
  std::vector<ScoreNote> notes = ExpandVoice(score, "a");
  ASSERT_EQ(notes.size(), 7u);
  EXPECT_EQ(notes[0].pitches, std::vector<int>{62 + 12});
  EXPECT_DOUBLE_EQ(notes[1].beat, 0.5);
  EXPECT_DOUBLE_EQ(notes[1].beats, 0.5);
  EXPECT_EQ(notes[1].pitches, std::vector<int>{66 + 12});
  EXPECT_DOUBLE_EQ(notes[2].beat, 2.0) << "the rest takes its beat";
  EXPECT_EQ(notes[4].pitches, (std::vector<int>{54 + 12, 58 + 12}));
  EXPECT_DOUBLE_EQ(notes[4].beat, 4.0);
  EXPECT_DOUBLE_EQ(notes[4].beats, 2.0);
  EXPECT_EQ(notes[5].pitches, std::vector<int>{-1});
  EXPECT_DOUBLE_EQ(notes[5].beats, 2.0);
  EXPECT_EQ(notes[6].pitches, std::vector<int>{61 + 12});
  EXPECT_DOUBLE_EQ(notes[6].velocity, 0.5);

  EXPECT_THROW(ExpandVoice("score\nvoice a\n@missing\nend\n", "a"), RecipeError);
  EXPECT_THROW(ExpandVoice("score\npattern p\n@p\nend\nvoice a\n@p\nend\n", "a"), RecipeError);
  EXPECT_THROW(ExpandVoice("score\nvoice a\nH4\nend\n", "a"), RecipeError);
  EXPECT_THROW(ExpandVoice("score\nvoice a\nC4\n", "a"), RecipeError);
}

TEST(Score, LoopingScoreIsExactlyItsLengthWithTheTailFoldedToTheStart) {
  const char* score =
      "score tempo=120 length=4 loop=yes reverb=0.3\n"
      "voice a instrument=celesta vol=0.5\n"
      "r/3 C5/1\n"
      "end\n";
  RenderedMusic m = RenderScore(score);
  ASSERT_EQ(m.samples.size(), size_t(2 * 2 * 44100));
  // The last note rings on past the loop point: it is heard again at the start.
  double start = 0;
  for (size_t i = 0; i < 4410; ++i) start += std::fabs(m.samples[i]);
  EXPECT_GT(start, 1.0);

  std::vector<uint8_t> ogg = EncodeOggVorbis(m.samples, 2, m.rate, 0.1f);
  EXPECT_GT(ogg.size(), 100u);
  EXPECT_EQ(std::string(ogg.begin(), ogg.begin() + 4), "OggS");
  EXPECT_EQ(ogg, EncodeOggVorbis(m.samples, 2, m.rate, 0.1f)) << "the build is reproducible";
}

// The player piano's lyric times are counted from the start of its track, so the melody of the
// piano roll must sound exactly on the song's syllables.
TEST(DemoMusic, PianoRollMelodyFallsOnTheSyllablesOfTheSong) {
  std::string song = ReadSource("content/database/Puzzles/PlayerPiano/Cellar Key1.xml");
  if (song.empty()) GTEST_SKIP() << "the song file is not in the tree yet";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(song.c_str()));
  std::vector<double> syllables;
  for (pugi::xml_node line : doc.child("Song").child("LyricLines").children("LyricLine")) {
    std::string times = line.attribute("Times").as_string();
    std::stringstream s(times);
    std::string item;
    while (std::getline(s, item, ',')) syllables.push_back(std::stod(item));
  }
  ASSERT_FALSE(syllables.empty());
  std::vector<ScoreNote> melody = ExpandVoice(ReadSource("content/music/Piano/CellarKey.score"), "melody");
  const double secondsPerBeat = 0.5;
  std::vector<double> onsets;
  for (const ScoreNote& n : melody) onsets.push_back(n.beat * secondsPerBeat);
  for (double t : syllables)
    EXPECT_NE(std::find(onsets.begin(), onsets.end(), t), onsets.end()) << "no melody note at " << t << " s";
  EXPECT_DOUBLE_EQ(onsets.front(), 0.0) << "the roll starts with no silence";
}

// The rendered track itself, not only its score: every syllable of the song starts with a note's
// attack in the audio, so the lyrics stamped from the track's start run with the music.
TEST(DemoMusic, RenderedPianoTrackStrikesANoteOnEverySyllable) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(ReadSource("content/database/Puzzles/PlayerPiano/Cellar Key1.xml").c_str()));
  std::vector<double> syllables;
  for (pugi::xml_node line : doc.child("Song").child("LyricLines").children("LyricLine")) {
    std::stringstream s(line.attribute("Times").as_string());
    std::string item;
    while (std::getline(s, item, ',')) syllables.push_back(std::stod(item));
  }
  ASSERT_EQ(syllables.size(), 58u);
  const RenderedMusic m = RenderScore(ReadSource("content/music/Piano/CellarKey.score"));
  // The energy of the mono signal's first difference (attacks stand out) between two times.
  auto attack = [&](double from, double to) {
    const size_t a = size_t(from * m.rate), b = size_t(to * m.rate);
    double sum = 0;
    for (size_t i = a + 1; i < b && 2 * i + 1 < m.samples.size(); ++i) {
      const double d =
          (m.samples[2 * i] + m.samples[2 * i + 1]) - (m.samples[2 * i - 2] + m.samples[2 * i - 1]);
      sum += d * d;
    }
    return sum / double(b - a);
  };
  const double window = 0.03;
  for (double t : syllables) {
    EXPECT_GT(attack(t, t + window), 2.0 * attack(t - window, t)) << "no note struck at " << t << " s";
    // Half a window late is already past the strike: the notes are on time, not merely near it.
    EXPECT_GT(attack(t, t + window), 1.2 * attack(t + window, t + 2 * window)) << t;
  }
  EXPECT_GT(m.samples.size() / 2, size_t(36 * m.rate)) << "the track plays to the last line's end";
}

}  // namespace
