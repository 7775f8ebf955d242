// The player piano's rules: syllables, song checks, hot stretches, the ball, scoring, the bar and
// which line is sung.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/xml_document.h"
#include "puzzles/piano_rules.h"
#include "puzzles/piano_song.h"

using namespace piano;

namespace {

std::optional<Song> Parse(const std::string& text, std::string* why = nullptr) {
  XmlDocument doc;
  doc.LoadBytes(text.data(), text.size());
  return ReadSong(doc, why);
}

std::vector<float> Steps(float from, int n, float step = 0.5f) {
  std::vector<float> t;
  for (int i = 0; i < n; ++i) t.push_back(from + float(i) * step);
  return t;
}

TEST(PianoSong, SyllablesAreRunsBetweenBackquoteSpaceAndHyphen) {
  const struct {
    const char* text;
    std::vector<std::pair<int, int>> want;
  } cases[] = {
      {"Down Lan-tern", {{0, 4}, {5, 8}, {9, 13}}},
      {"a``b", {{0, 1}, {3, 4}}},
      {"  -x-  ", {{3, 4}}},
      {" - ` ", {}},
      {"", {}},
      {"that's,", {{0, 7}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitSyllables(c.text), c.want) << c.text;
}

TEST(PianoSong, TimesCarryTheBallOnlyWhenOnePerSyllableAndRising) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    std::vector<float> times;
    int syllables;
    bool fit;
  } cases[] = {
      {{1, 2, 3}, 3, true},  {{1, 2, 3, 4}, 3, true},  // extra times are never reached
      {{1, 2}, 3, false},    {{}, 1, false},          {{1, 3, 2}, 3, false},
      {{1, 1, 2}, 3, false}, {{1, nan, 2}, 3, false}, {{1}, 0, false},
  };
  for (const auto& c : cases) EXPECT_EQ(TimesFitSyllables(c.times, c.syllables), c.fit);
}

TEST(PianoSong, FilesThatCannotBeWonAreRefusedAndBadLinesAreSungWithoutBall) {
  const std::string good = R"(<LyricLine StartTime="4" EndTime="8" Text="a b c d" Times="4,4.5,5,5.5"/>)";
  const struct {
    std::string text;
    bool accepted;
  } cases[] = {
      {"<Song BeatDuration=\"0.5\"><LyricLines>" + good + "</LyricLines></Song>", true},
      {"<Song><LyricLines>" + good + "</LyricLines></Song>", false},
      {"<Song BeatDuration=\"0\"><LyricLines>" + good + "</LyricLines></Song>", false},
      {"<Song BeatDuration=\"-1\"><LyricLines>" + good + "</LyricLines></Song>", false},
      {"<Song BeatDuration=\"0.5\"/>", false},
      {R"(<Song BeatDuration="0.5"><LyricLines><LyricLine Flags="1" Text="a b c d" Times="1,2,3,4"/>)"
       "</LyricLines></Song>",
       false},
      {R"(<Song BeatDuration="0.5"><LyricLines><LyricLine Text="a-b" Times="1,2"/></LyricLines></Song>)",
       false},
      {R"(<Song BeatDuration="0.5"><LyricLines><LyricLine Text="a b c" Times="1,2"/></LyricLines></Song>)",
       false},
      {"", false},
  };
  for (const auto& c : cases) {
    std::string why;
    EXPECT_EQ(Parse(c.text, &why).has_value(), c.accepted) << c.text;
    EXPECT_EQ(why.empty(), c.accepted) << c.text;
  }

  auto song = Parse("<Song BeatDuration=\"0.5\"><LyricLines>" + good +
                    R"(<LyricLine Text="x y z" Times="3,2,1"/><LyricLine Text="x y z"/>)"
                    R"(<LyricLine Flags="1" Text="intro"/></LyricLines></Song>)");
  ASSERT_TRUE(song);
  ASSERT_EQ(song->lines.size(), 4u);
  EXPECT_TRUE(song->lines[0].sung);
  EXPECT_EQ(song->lines[0].syllables, 4);
  EXPECT_FALSE(song->lines[1].sung) << "unsorted times";
  EXPECT_FALSE(song->lines[2].sung) << "missing times";
  EXPECT_FALSE(song->lines[3].sung) << "flagged";
  EXPECT_FLOAT_EQ(song->lines[0].start, 4);
  EXPECT_FLOAT_EQ(song->lines[0].end, 8);
}

TEST(PianoSong, HotStretchGrowsAtTheEndThenAtTheStartUntilItLastsLongEnough) {
  const struct {
    std::vector<float> times;
    bool sung;
    int r, first, last;
    float duration;
  } cases[] = {
      {Steps(0, 8), true, 0, 1, 4, 1.5f},      // 1..2 grows to 1..4
      {Steps(0, 8), true, 5, 4, 7, 1.5f},      // 6..7 cannot grow at the end: grows at the start
      {Steps(0, 8), true, 6, 1, 4, 1.5f},      // r wraps modulo n - 2
      {Steps(0, 8), true, -5, 4, 7, 1.5f},     // a negative draw counts as its size
      {{0, 1, 3, 4}, true, 0, 1, 2, 2.0f},     // long enough at once
      {{0, 0.1f, 0.2f}, true, 0, 1, 2, 0.1f},  // nowhere to grow: stays short
      {{8, 8.5f, 9, 9.5f, 10, 11}, true, 3, 3, 5, 1.5f},
      {Steps(0, 2), true, 0, -1, -1, 0},   // two syllables: none
      {Steps(0, 8), false, 0, -1, -1, 0},  // unsung: none
  };
  for (const auto& c : cases) {
    const HotStretch h = ChooseHotStretch(c.times, int(c.times.size()), c.sung, c.r);
    EXPECT_EQ(h.first, c.first) << c.r;
    EXPECT_EQ(h.last, c.last) << c.r;
    EXPECT_FLOAT_EQ(h.duration, c.duration) << c.r;
  }
}

TEST(PianoBall, LegUsesTheLineEdgesWhereANeighbourIsMissing) {
  const std::vector<SyllableSpan> s = {
      {4, -0.8f, -0.6f, -0.4f}, {5, -0.2f, 0.0f, 0.2f}, {6, 0.4f, 0.6f, 0.8f}};
  const struct {
    float t, t0, x0, t1, x1;
  } cases[] = {
      {3.5f, 3, -1.1f, 4, -0.6f},  // before the first syllable: from the line start, left of it
      {4.0f, 4, -0.6f, 5, 0.0f},
      {5.7f, 5, 0.0f, 6, 0.6f},
      {6.5f, 6, 0.6f, 7, 1.1f},  // after the last: to the line end, right of it
  };
  for (const auto& c : cases) {
    BallLeg leg;
    ASSERT_TRUE(BallLegAt(s, 3, 7, c.t, leg));
    EXPECT_FLOAT_EQ(leg.t0, c.t0) << c.t;
    EXPECT_FLOAT_EQ(leg.x0, c.x0) << c.t;
    EXPECT_FLOAT_EQ(leg.t1, c.t1) << c.t;
    EXPECT_FLOAT_EQ(leg.x1, c.x1) << c.t;
  }
  BallLeg leg;
  EXPECT_FALSE(BallLegAt({}, 0, 4, 1, leg)) << "a line without syllables has no ball";
}

TEST(PianoBall, BouncesOnASyllableThenHopsToTheNextInOneArc) {
  const LineBox box{500, 400, 200, 40};  // centre x, top, width, height
  const float rest = 400 - 10;           // top - height / 4
  const struct {
    BallLeg leg;
    float t, beat, x, y;
  } cases[] = {
      {{0, -0.5f, 2, 0.5f}, 0.0f, 0.5f, 450, rest},        // on the syllable, at the bottom of a bounce
      {{0, -0.5f, 2, 0.5f}, 0.25f, 0.5f, 450, rest - 40},  // top of a bounce
      // Four beats apart: the final hop lasts one beat; half-way it is at the top between them.
      {{0, -0.5f, 2, 0.5f}, 1.75f, 0.5f, 500, rest - 40},
      {{0, -0.5f, 2, 0.5f}, 1.5f, 0.5f, 450, rest},  // the hop starts
      // Half a beat apart: the hop is the whole leg.
      {{0, 0.0f, 0.25f, 1.0f}, 0.125f, 0.5f, 550, rest - 40},
      // 2.9 beats apart: the fraction 0.9 is itself the final hop.
      {{0, 0.0f, 1.45f, 1.0f}, 1.45f - 0.225f, 0.5f, 550, rest - 40},
  };
  for (const auto& c : cases) {
    float x = 0, y = 0;
    PlaceBall(c.leg, c.t, c.beat, box, x, y);
    EXPECT_NEAR(x, c.x, 0.01f) << c.t;
    EXPECT_NEAR(y, c.y, 0.01f) << c.t;
  }
  // Degenerate legs land somewhere finite instead of dividing by zero.
  for (const BallLeg& leg : {BallLeg{1, 0, 1, 1}, BallLeg{1, 0, 2, 1}}) {
    for (float beat : {0.0f, 0.5f}) {
      float x = 0, y = 0;
      PlaceBall(leg, 1, beat, box, x, y);
      EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
    }
  }
}

TEST(PianoScore, OnlyHoldingOnTargetWithThePointerOnTheStretchGains) {
  const struct {
    bool onTarget, pointerOn, held;
    float want;
  } cases[] = {
      {true, true, true, 1.1f},     {true, false, true, 0.975f}, {true, true, false, 0.975f},
      {true, false, false, 0.975f}, {false, true, true, 0.975f}, {false, false, true, 0.975f},
      {false, true, false, 1.0f},   {false, false, false, 1.0f},
  };
  for (const auto& c : cases)
    EXPECT_FLOAT_EQ(ScoreStep(1.0f, 5.0f, 0.1f, c.onTarget, c.pointerOn, c.held), c.want)
        << c.onTarget << c.pointerOn << c.held;
  EXPECT_FLOAT_EQ(ScoreStep(4.95f, 5.0f, 0.1f, true, true, true), 5.0f) << "never past the target";
  EXPECT_FLOAT_EQ(ScoreStep(0.01f, 5.0f, 0.1f, false, false, true), 0.0f) << "never below zero";
}

TEST(PianoScore, BarFillsFromItsFootToItsNeckAndGuardsItsRatio) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float score, target, ratio, top;
  } cases[] = {
      {0, 8, 0, 0.914f},  {8, 8, 1, 0.086f}, {4, 8, 0.5f, 0.5f}, {12, 8, 1, 0.086f},
      {-1, 8, 0, 0.914f}, {3, 0, 0, 0.914f}, {3, -2, 0, 0.914f}, {inf, inf, 0, 0.914f},
  };
  for (const auto& c : cases) {
    const float r = FillRatio(c.score, c.target);
    EXPECT_FLOAT_EQ(r, c.ratio) << c.score << "/" << c.target;
    EXPECT_NEAR(BarFillTop(r), c.top, 1e-6f);
  }
}

TEST(PianoLyrics, LinesTakeTurnsAndTheSongEndsOnceAtTheLastLinesEnd) {
  LyricClock clock({{0, 4}, {4, 8}, {9, 12}});
  const struct {
    float t;
    int current;
    bool over;
  } steps[] = {
      {-1, -1, false}, {0, 0, false},  {3.99f, 0, false},  {4, 1, false},   {8.5f, -1, false},
      {9, 2, false},   {12, -1, true}, {12.5f, -1, false}, {10, -1, false},  // over stays over
  };
  for (const auto& s : steps) {
    const LyricClock::Step step = clock.Advance(s.t);
    EXPECT_EQ(step.current, s.current) << s.t;
    EXPECT_EQ(step.songOver, s.over) << s.t;
  }
  clock.Restart();
  EXPECT_EQ(clock.Advance(5).current, 1);

  // A frame that jumps past the whole last line still ends the song.
  LyricClock jump({{0, 4}, {4, 4.01f}});
  EXPECT_EQ(jump.Advance(1).current, 0);
  EXPECT_TRUE(jump.Advance(6).songOver);
  LyricClock none({});
  EXPECT_FALSE(none.Advance(100).songOver);
}

}  // namespace
