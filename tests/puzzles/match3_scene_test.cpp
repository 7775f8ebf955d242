// The arcade board scene with real input: arrival fills it and shows the help card once, a click
// clears a pair (and a click while tokens fall does nothing), the idle hint, Shuffle and its
// cooldown, the automatic shuffle when nothing matches, solving and the way out.
#include <gtest/gtest.h>

#include "core/random.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/match3_puzzle_backer.h"
#include "puzzles/match3_puzzle_environment.h"
#include "puzzles/match3_puzzle_token.h"
#include "puzzles/puzzle_button_board.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "ui/pushbutton.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr const char* kArcade = "Puzzles\\Match3\\Match3.xml";

class Match3Scene : public puzzletest::PuzzleTest {
 protected:
  CMatch3PuzzleEnvironment* Open(const char* file = kArcade) {
    auto* s = static_cast<CMatch3PuzzleEnvironment*>(BuildMatch3Puzzle(file));
    if (s) Arrive(s);
    return s;
  }
  void Arrive(CMatch3PuzzleEnvironment* s) {
    Frame(now_ + 0.02f, 1, 1, false);
    s->OnNotify(s, kCmdArrived);
    Settle(s);
    for (CSpeechBalloon* b : AllSpeechBalloons()) delete b;
  }
  void Settle(CMatch3PuzzleEnvironment* s) {
    for (int i = 0; i < 1000 && !s->Board().Settled(); ++i) RunUntil(now_ + 0.1f);
  }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  void ClickCell(CMatch3PuzzleEnvironment* s, int cell) { ClickCentre(s->GetBacker(cell)); }
  CPushbutton* ShuffleButton(CMatch3PuzzleEnvironment* s) {
    return s->GetButtonBoard()->GetButton(kCmdShuffle);
  }
};

TEST_F(Match3Scene, ArrivalFillsTheBoardAndShowsHelpOnce) {
  auto* s = static_cast<CMatch3PuzzleEnvironment*>(BuildMatch3Puzzle(kArcade));
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->Board().Tokens().empty()) << "empty until the shutter has finished";
  Frame(now_ + 0.02f, 1, 1, false);
  s->OnNotify(s, kCmdArrived);
  EXPECT_EQ(s->Board().Tokens().size(), 36u);
  EXPECT_TRUE(TestFlag(72));
  EXPECT_TRUE(Saying("Puzzles\\Match3\\Help.jpg"));
  Settle(s);
  EXPECT_TRUE(s->Board().Settled());
  // The board lies where the background keeps its velvet plain.
  const ScreenRect first = s->GetBacker(0)->GetScreenRect();
  EXPECT_NEAR(first.left, 161 + 2 * 614.4f / 7, 0.6f);
  EXPECT_NEAR(first.top, 51, 0.6f);
  s->OnNotify(s, kCmdHelp);
  EXPECT_EQ(AllSpeechBalloons().size(), 1u) << "Help shows the card again";
  // A second visit opens no card by itself.
  for (CSpeechBalloon* b : AllSpeechBalloons()) delete b;
  auto* again = static_cast<CMatch3PuzzleEnvironment*>(BuildMatch3Puzzle(kArcade));
  Frame(now_ + 0.02f, 1, 1, false);
  again->OnNotify(again, kCmdArrived);
  EXPECT_TRUE(AllSpeechBalloons().empty());
}

TEST_F(Match3Scene, ClickingAPairGreensItAndClicksDuringTheFallAreIgnored) {
  CMatch3PuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  const int cell = s->Board().HintCell();
  ASSERT_GE(cell, 0);
  const size_t group = s->Board().GroupAt(cell).size();
  ClickCell(s, cell);
  EXPECT_EQ(s->Board().RedCount(), 36 - int(group));
  EXPECT_TRUE(s->Board().CellAt(cell).green);
  EXPECT_EQ(s->Board().Tokens().size(), 36u) << "refilled at once";
  EXPECT_FALSE(s->Board().Settled());
  // Clicks while tokens fall clear nothing, even on alike tokens that are falling together.
  const int red = s->Board().RedCount();
  for (int c : {cell, 0, s->Board().CellCount() - 1}) ClickCell(s, c);
  ASSERT_FALSE(s->Board().Settled()) << "the clicks came too late to test anything";
  EXPECT_EQ(s->Board().RedCount(), red);
  Settle(s);
  // A lone token is a miss: nothing is cleared.
  for (int c = 0; c < s->Board().CellCount(); ++c) {
    if (s->Board().GroupAt(c).size() != 1) continue;
    ClickCell(s, c);
    EXPECT_TRUE(s->Board().Settled());
    EXPECT_EQ(s->Board().RedCount(), red);
    break;
  }
}

TEST_F(Match3Scene, IdleHintOnASettledBoardAndAClickTakesItAway) {
  CMatch3PuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  RunUntil(now_ + 15);
  EXPECT_FALSE(s->GetHintHalo());
  RunUntil(now_ + 6);
  CGameObject* halo = s->GetHintHalo();
  ASSERT_TRUE(halo);
  EXPECT_EQ(halo->GetParent(), s->GetToken(s->Board().TokenOn(s->Board().HintCell())->id));
  ClickCell(s, s->Board().HintCell());
  EXPECT_FALSE(s->GetHintHalo());
  // While the tokens fall no hint is placed, however long the wait since the last click.
  RunUntil(now_ + 0.1f);
  EXPECT_FALSE(s->GetHintHalo());
}

TEST_F(Match3Scene, ShuffleWaitsForASettledBoardThenCoolsDown) {
  CMatch3PuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  ClickCell(s, s->Board().HintCell());
  ASSERT_FALSE(s->Board().Settled());
  s->OnNotify(ShuffleButton(s), kCmdShuffle);
  EXPECT_FALSE(ShuffleButton(s)->IsDisabledNow()) << "pressed while falling: nothing, no wait";
  Settle(s);
  const int red = s->Board().RedCount();
  s->OnNotify(ShuffleButton(s), kCmdShuffle);
  EXPECT_TRUE(ShuffleButton(s)->IsDisabledNow());
  EXPECT_EQ(s->Board().TokenOn(0), nullptr) << "every token leaves";
  Settle(s);
  EXPECT_EQ(s->Board().Tokens().size(), 36u);
  EXPECT_EQ(s->Board().RedCount(), red) << "a shuffle greens nothing";
}

TEST_F(Match3Scene, NothingToMatchShowsTheBoxAndShufflesByItself) {
  // Two plates of two symbols: half the deals do not match.
  match3::Match3File f;
  f.columns = 2;
  f.rows = 1;
  f.symbols = 2;
  f.cells = {true, true};
  for (uint32_t seed = 1; seed < 64; ++seed) {
    Random probe(seed);
    const int a = probe.Next() % 2, b = probe.Next() % 2;
    if (a == b) continue;
    auto* s = new CMatch3PuzzleEnvironment(f);
    Frame(now_ + 0.02f, 1, 1, false);
    SeedRandom(seed);
    s->OnNotify(s, kCmdArrived);
    for (int i = 0; i < 200 && !s->GetNoMatchBox(); ++i) RunUntil(now_ + 0.05f);
    ASSERT_TRUE(s->GetNoMatchBox());
    EXPECT_FALSE(s->Board().Settled()) << "the shuffle has begun";
    return;
  }
  FAIL() << "no unmatched deal found";
}

TEST_F(Match3Scene, SolvingFlagsFliesApartAndLeavesForTheParty) {
  CMatch3PuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  const ScreenRect before = s->GetBacker(0)->GetScreenRect();
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(62));
  EXPECT_EQ(s->CountsPlayTime(), 0);
  CShutter* shutter = GetShutter();
  ASSERT_TRUE(shutter);
  EXPECT_EQ(shutter->ClassId(), TypeId::kSearchEnvironment);
  EXPECT_STREQ(shutter->Argument(), "Shops_PizzaParty.xml");
  s->SolveNow();  // once only
  RunUntil(now_ + CMatch3PuzzleEnvironment::kFinalTime / 2);
  const ScreenRect mid = s->GetBacker(0)->GetScreenRect();
  EXPECT_GT(mid.Width(), before.Width() * 2.5f);
  EXPECT_LT(mid.left, before.left);
  EXPECT_NEAR(static_cast<CSprite*>(s->GetBacker(0)->GetParent())->GetOpacity(), 0.5f, 0.02f);
  EXPECT_GT(s->GetColor() & 0xFF, 0x99u) << "the background brightens";
  // Clicks on a solved board change nothing.
  ClickCell(s, 0);
  EXPECT_EQ(s->Board().RedCount(), 0);
}

TEST_F(Match3Scene, BadFilesOpenNothing) {
  EXPECT_EQ(BuildMatch3Puzzle("Puzzles\\Nowhere.xml"), nullptr);
  EXPECT_EQ(BuildMatch3Puzzle(nullptr), nullptr);
  EXPECT_FALSE(boxes.empty());
}

}  // namespace
