// The player piano scene: the help picture that starts the song, lyrics on the game clock when no
// track plays, winning by holding on every hot stretch, losing and trying again, Reset, solve-now
// and the volume slider.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "core/random.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/lyric_line.h"
#include "puzzles/piano_progress.h"
#include "puzzles/player_piano_environment.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "search/search_patch.h"
#include "ui/slider.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr int kStartSong = 1362;
constexpr float kSongEnd = 36.0f;

class PianoScene : public puzzletest::PuzzleTest {
 protected:
  CPlayerPianoEnvironment* Open() {
    SeedRandom(11);
    auto* p = static_cast<CPlayerPianoEnvironment*>(BuildPlayerPiano(nullptr));
    Step(1, 1, false);
    return p;
  }
  // A frame that is also drawn: the scoring asks whether the ball was drawn.
  void Step(int x, int y, bool down) {
    Frame(now_ + 0.02f, x, y, down);
    RenderAllObjects(device_);
  }
  float SongTime() const { return now_ - GetPianoStartTime(); }
  // Plays to song time until; with hold, the button is held on each hot stretch while it is sung.
  void Play(CPlayerPianoEnvironment* p, float until, bool hold, bool anywhere = false) {
    while (SongTime() < until) {
      int x = 1, y = 1;
      bool down = anywhere;
      CLyricLine* line = p->GetLine(p->GetCurrentLine());
      if (hold && line && line->Hot()) {
        const ScreenRect r = line->Hot()->GetScreenRect();
        x = int(r.CenterX()), y = int(r.bottom - 2);
        const float t = SongTime() + 0.02f;
        const auto& s = line->Syllables();
        down = t >= s[size_t(line->Stretch().first)].time && t < s[size_t(line->Stretch().last)].time;
      }
      Step(x, y, down);
    }
  }
  CSpeechBalloon* Balloon(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return b;
    return nullptr;
  }
  bool Flickering() { return CSearchPatch::First() && !CSearchPatch::First()->IsHidden(); }
};

TEST_F(PianoScene, HelpOnArrivalStartsTheSongWhichRunsOnTheGameClockWithoutMusic) {
  CPlayerPianoEnvironment* p = Open();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->LineCount(), 9);
  EXPECT_EQ(CountPatches(), 0) << "the keys join with the song";
  EXPECT_FALSE(p->GetLine(1)->StretchChosen()) << "chosen when the song first starts";
  p->OnNotify(p, kCmdHelp);
  ASSERT_FALSE(AllSpeechBalloons().empty());
  EXPECT_EQ(AllSpeechBalloons().back()->GetNotifyCode(), 0) << "the Help button's picture starts nothing";
  EXPECT_FALSE(p->IsPlaying());

  p->OnNotify(p, kCmdArrived);
  ASSERT_FALSE(AllSpeechBalloons().empty());
  CSpeechBalloon* help = AllSpeechBalloons().back();
  EXPECT_EQ(help->GetNotifyCode(), kStartSong);
  EXPECT_FALSE(Flickering());
  help->Dismiss();
  EXPECT_TRUE(p->IsPlaying());
  EXPECT_FLOAT_EQ(GetPianoStartTime(), now_) << "no piano track: stamped from the game clock";
  EXPECT_TRUE(Flickering());
  EXPECT_EQ(CountPatches(), 9);
  EXPECT_TRUE(p->GetRoll()->IsTurning());
  // Two thirds of eight stretches of 1.5 to 2 s each.
  EXPECT_GE(p->GetTarget(), 0.67f * 8 * 1.5f - 1e-3f);
  EXPECT_LE(p->GetTarget(), 0.67f * 8 * 2.0f + 1e-3f);

  Play(p, 1.0f, false);
  EXPECT_EQ(p->GetCurrentLine(), 0);
  EXPECT_FALSE(p->GetLine(0)->IsHidden());
  EXPECT_EQ(p->GetLine(0)->Ball(), nullptr) << "the introduction has no ball";
  EXPECT_TRUE(p->GetLine(1)->IsHidden());
  Play(p, 4.3f, false);
  EXPECT_EQ(p->GetCurrentLine(), 1);
  EXPECT_TRUE(p->GetLine(0)->IsHidden());
  ASSERT_TRUE(p->GetLine(1)->Ball());
  EXPECT_FALSE(p->GetLine(1)->Ball()->IsHidden());
  for (int i = 1; i < p->LineCount(); ++i) {
    const piano::HotStretch& h = p->GetLine(i)->Stretch();
    ASSERT_TRUE(h.Exists()) << i;
    EXPECT_GE(h.duration, 1.5f) << i;
  }
}

TEST_F(PianoScene, HoldingOnEveryHotStretchWinsAndTheSongsEndSolves) {
  CPlayerPianoEnvironment* p = Open();
  p->OnNotify(p, kStartSong);
  Play(p, kSongEnd - 0.5f, true);
  EXPECT_TRUE(p->IsWon());
  EXPECT_FALSE(p->IsPlaying()) << "won: the scoring stops";
  EXPECT_FLOAT_EQ(p->GetScore(), p->GetTarget());
  EXPECT_FLOAT_EQ(p->GetProgress()->GetRatio(), 1.0f);
  EXPECT_FALSE(p->IsSolved()) << "the song plays to its end";
  EXPECT_EQ(p->GetLyricMode(), 2);
  p->OnNotify(p, kCmdReset);
  EXPECT_TRUE(p->IsWon()) << "Reset is ignored once won";
  Play(p, kSongEnd + 0.1f, false);
  EXPECT_TRUE(p->IsSolved());
  EXPECT_TRUE(TestFlag(19));
  ASSERT_TRUE(GetShutter());
  EXPECT_EQ(GetShutter()->ClassId(), 43);
  EXPECT_EQ(Balloon("PlayerPianoTryAgain"), nullptr) << "no speech on the way out";
  EXPECT_FALSE(Flickering());
}

TEST_F(PianoScene, AnythingButHoldingOnTargetLosesAndTheTryAgainSpeechRestarts) {
  const struct {
    bool hold, anywhere;
  } ways[] = {{false, false}, {false, true}};  // never holding; holding all song off the stretches
  for (const auto& w : ways) {
    CPlayerPianoEnvironment* p = Open();
    p->OnNotify(p, kStartSong);
    Play(p, kSongEnd + 0.1f, w.hold, w.anywhere);
    EXPECT_FLOAT_EQ(p->GetScore(), 0.0f);
    EXPECT_FALSE(p->IsSolved());
    EXPECT_FALSE(TestFlag(19));
    EXPECT_FALSE(p->IsPlaying());
    EXPECT_FALSE(Flickering());
    EXPECT_FALSE(p->GetRoll()->IsTurning());
    EXPECT_EQ(p->GetCurrentLine(), -1);
    CSpeechBalloon* again = Balloon("PlayerPianoTryAgain");
    ASSERT_TRUE(again);
    // Frames after the end score nothing and never announce the end twice.
    Play(p, kSongEnd + 1.0f, false, true);
    EXPECT_FLOAT_EQ(p->GetScore(), 0.0f);
    const float target = p->GetTarget();
    const int first = p->GetLine(2)->Stretch().first;
    again->Dismiss();
    EXPECT_TRUE(p->IsPlaying());
    EXPECT_EQ(p->GetTarget(), target) << "the stretches stay for every attempt";
    EXPECT_EQ(p->GetLine(2)->Stretch().first, first);
    EXPECT_EQ(p->GetLyricMode(), 2);
    Play(p, 4.5f, true);
    EXPECT_EQ(p->GetCurrentLine(), 1) << "the song runs again from its start";
  }
}

TEST_F(PianoScene, ResetRestartsSolveNowLeavesAndTheSliderSetsTheMusicVolume) {
  CPlayerPianoEnvironment* p = Open();
  p->OnNotify(p, kStartSong);
  Play(p, 10.0f, true);
  EXPECT_GT(p->GetScore(), 0.0f);
  p->OnNotify(p, kCmdReset);
  EXPECT_FLOAT_EQ(p->GetScore(), 0.0f);
  EXPECT_FLOAT_EQ(GetPianoStartTime(), now_);
  Step(1, 1, false);
  EXPECT_EQ(p->GetCurrentLine(), 0);

  CSlider* slider = p->GetSlider();
  ASSERT_TRUE(slider);
  slider->SetValue(0.3f);
  p->OnNotify(slider, 1218);
  EXPECT_FLOAT_EQ(GetMusicVolume(), 0.3f);
  SetMusicVolume(0.8f);
  p->OnNotify(p, 1229);
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.8f) << "read again when the menu closes";

  p->SolveNow();
  EXPECT_TRUE(p->IsSolved());
  EXPECT_TRUE(TestFlag(19));
  ASSERT_TRUE(GetShutter());
  p->OnNotify(p, kStartSong);
  EXPECT_FALSE(p->IsPlaying()) << "nothing starts once solved";
}

}  // namespace
