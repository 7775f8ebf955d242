// The shared puzzle frame in a scene: what the option bits build, the Skip gate and its question,
// Back, Menu, the solved step and the deferred speech code.
#include <gtest/gtest.h>

#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_button_board.h"
#include "puzzles/puzzle_environment.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "search/inventory_board.h"
#include "ui/dialog_host.h"
#include "ui/game_dialog.h"
#include "ui/jorvane_corner.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"

using namespace puzzle;

namespace {

class TestPuzzle : public CPuzzleEnvironment {
 public:
  explicit TestPuzzle(uint32_t options) : CPuzzleEnvironment(options, nullptr) {}
  void SolveNow() override {
    ++solves;
    MarkSolved();
  }
  void OnNotify(CGameObject* sender, int code) override {
    heard.push_back(code);
    CPuzzleEnvironment::OnNotify(sender, code);
  }
  int solves = 0;
  std::vector<int> heard;
};

class CheatHost : public DialogHost {
 public:
  void StartTransition(int) override {}
  float GetGamma() override { return 1; }
  void SetGamma(float) override {}
  bool IsWindowed() override { return true; }
  void RequestFullScreen(bool) override {}
  bool IsCheatMode() override { return true; }
};

class PuzzleFrame : public puzzletest::PuzzleTest {
 protected:
  // The open Skip question, if any.
  CMessageBox* OpenBox() {
    for (CGameObject* o = FirstObject(); o; o = o->CreationNext())
      if (o->GetTypeId() == TypeId::kMessageBox && o->GetId() == kSkipBoxId &&
          !static_cast<CMessageBox*>(o)->IsClosing())
        return static_cast<CMessageBox*>(o);
    return nullptr;
  }
  float CaseTime() { return CurrentGameState()->cumulativeTime; }
};

TEST_F(PuzzleFrame, OptionBitsBuildCornerStripAndBar) {
  struct Case {
    uint32_t options;
    bool corner, strip;
    int buttons;
  } cases[] = {{0, false, false, 0}, {109, true, false, 4}, {125, true, false, 5},
               {127, true, true, 5}, {237, true, false, 5}, {0x06, false, true, 1}};
  for (const Case& c : cases) {
    auto* p = new TestPuzzle(c.options);
    EXPECT_EQ(p->GetCorner() != nullptr, c.corner) << c.options;
    EXPECT_EQ(GetJorvaneCorner() != nullptr, c.corner) << c.options;
    EXPECT_EQ(p->GetInventory() != nullptr, c.strip) << c.options;
    CPuzzleButtonBoard* board = p->GetButtonBoard();
    EXPECT_EQ(board ? board->ButtonCount() : 0, c.buttons) << c.options;
    if (board) {
      // The bar's picture opens under its content spelling, whatever the letter case.
      EXPECT_TRUE(HasHitMask(board->GetTexture()));
      EXPECT_NEAR(board->GetScreenRect().bottom, kH, 1e-3);
      EXPECT_FLOAT_EQ(board->GetDepth(), 4.99f);
    }
    delete p;
  }
}

TEST_F(PuzzleFrame, SkipWaitsThirtySecondsThenAsksOnce) {
  auto* p = new TestPuzzle(127);
  CPushbutton* skip = p->GetButtonBoard()->GetButton(kCmdSkip);
  ASSERT_TRUE(skip);
  RunUntil(29.9f);
  EXPECT_TRUE(skip->IsDisabledNow());
  p->OnNotify(skip, kCmdSkip);  // too early: no question
  EXPECT_EQ(OpenBox(), nullptr);
  RunUntil(30.1f);
  EXPECT_FALSE(skip->IsDisabledNow());
  p->OnNotify(skip, kCmdSkip);
  p->OnNotify(skip, kCmdSkip);  // a second press while it is open asks nothing more
  CMessageBox* box = OpenBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->GetId(), kSkipBoxId);
  int boxes = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext())
    boxes += o->GetTypeId() == TypeId::kMessageBox;
  EXPECT_EQ(boxes, 1);
}

TEST_F(PuzzleFrame, SkipIsReadyAtOnceInTheCheatState) {
  CheatHost host;
  SetDialogHost(&host);
  auto* p = new TestPuzzle(109);
  EXPECT_FALSE(p->GetButtonBoard()->GetButton(kCmdSkip)->IsDisabledNow());
  EXPECT_TRUE(p->SkipReady());
  p->OnNotify(nullptr, kCmdSkip);
  EXPECT_TRUE(OpenBox());
}

TEST_F(PuzzleFrame, YesOfTheSkipQuestionChargesOnceAndSolves) {
  CheatHost host;
  SetDialogHost(&host);
  auto* p = new TestPuzzle(109);
  const float before = CaseTime();
  // A Yes from any other box counts for nothing.
  auto* other = new CMessageBox("ConfirmExit", "GoldFlat2", 0.05f, p, kBoxYesNo);
  other->SetId(999);
  p->OnNotify(other, puzzle::kCmdYes);
  p->OnNotify(p, puzzle::kCmdYes);
  EXPECT_EQ(p->solves, 0);
  p->OnNotify(nullptr, kCmdSkip);
  CMessageBox* box = OpenBox();
  ASSERT_TRUE(box);
  box->OnNotify(box, puzzle::kCmdYes);
  EXPECT_EQ(p->solves, 1);
  EXPECT_FLOAT_EQ(CaseTime() - before, kSkipPenalty);
  // Already solved: neither a late Yes nor another Skip charges or solves again.
  p->OnNotify(box, puzzle::kCmdYes);
  p->OnNotify(nullptr, kCmdSkip);
  EXPECT_EQ(p->solves, 1);
  EXPECT_FLOAT_EQ(CaseTime() - before, kSkipPenalty);
}

TEST_F(PuzzleFrame, MarkSolvedOnceStopsTimeInputAndTheBar) {
  auto* p = new TestPuzzle(127);
  EXPECT_EQ(p->CountsPlayTime(), 1);
  EXPECT_TRUE(p->AcceptsInput());
  p->SetSolvingNow(true);
  EXPECT_FALSE(p->AcceptsInput());
  p->SetSolvingNow(false);
  RunUntil(2.0f);
  EXPECT_TRUE(p->MarkSolved());
  EXPECT_FALSE(p->MarkSolved());
  EXPECT_NEAR(p->GetSolvedTime(), 2.0f, 1e-4);
  EXPECT_EQ(p->CountsPlayTime(), 0);
  EXPECT_FALSE(p->AcceptsInput());
  RunUntil(2.6f);
  EXPECT_GE(p->GetButtonBoard()->GetScreenRect().top, float(kH) - 1);  // slid down out of sight
  p->ShowButtons();  // a closing help picture does not bring it back once solved
  RunUntil(3.2f);
  EXPECT_GE(p->GetButtonBoard()->GetScreenRect().top, float(kH) - 1);
}

TEST_F(PuzzleFrame, HiddenBarComesBackWhenTheBookCloses) {
  auto* p = new TestPuzzle(125);
  const float top = p->GetButtonBoard()->GetScreenRect().top;
  p->HideButtons();
  RunUntil(0.6f);
  EXPECT_GE(p->GetButtonBoard()->GetScreenRect().top, float(kH) - 1);
  p->OnNotify(nullptr, kCmdBookClosed);
  RunUntil(1.2f);
  EXPECT_NEAR(p->GetButtonBoard()->GetScreenRect().top, top, 0.5f);
}

TEST_F(PuzzleFrame, BackResumesTheVenueOrTheMainMenu) {
  struct Case {
    const char* lastVenue;
    int classId;
    const char* argument;
  } cases[] = {{"Warehouse_Office", TypeId::kSearchEnvironment, "Warehouse_Office.xml"},
               {nullptr, TypeId::kMainEnvironment, nullptr}};
  for (const Case& c : cases) {
    AtStage(1);
    if (c.lastVenue) SetLastVenue(c.lastVenue);
    auto* p = new TestPuzzle(109);
    p->OnNotify(p->GetButtonBoard()->GetButton(kCmdBack), kCmdBack);
    CShutter* shutter = GetShutter();
    ASSERT_TRUE(shutter);
    EXPECT_EQ(shutter->ClassId(), c.classId);
    EXPECT_STREQ(shutter->Argument() ? shutter->Argument() : "", c.argument ? c.argument : "");
    // A second request while the shutter runs starts nothing new.
    p->ReturnToVenue(1.0f);
    EXPECT_EQ(GetShutter(), shutter);
    delete shutter;
    delete p;
  }
}

TEST_F(PuzzleFrame, MenuAndEscOpenTheInGameMenu) {
  auto* p = new TestPuzzle(109);
  p->OnNotify(nullptr, kCmdMenu);
  CGameDialog* menu = GetGameDialog();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->GetFlags(), 7u);
  p->OnEscape();
  EXPECT_EQ(GetGameDialog(), menu);  // the open one, not a second
}

TEST_F(PuzzleFrame, SpeechWithoutABalloonStillReportsNextFrame) {
  auto* p = new TestPuzzle(0x04);  // no corner: nobody to speak
  EXPECT_EQ(p->Say("PhotoJigsawSolved", kCmdSolvedSpeechClosed), nullptr);
  EXPECT_TRUE(p->heard.empty());
  RunUntil(0.04f);
  EXPECT_EQ(p->heard, std::vector<int>{kCmdSolvedSpeechClosed});
  auto* q = new TestPuzzle(0x01);
  EXPECT_NE(q->Say("PhotoJigsawSolved", kCmdSolvedSpeechClosed), nullptr);
  EXPECT_EQ(q->Say("", 0), nullptr);
}

TEST_F(PuzzleFrame, ArrivalHelpOnlyTheFirstTime) {
  struct Counting : TestPuzzle {
    Counting() : TestPuzzle(0) {}
    void ShowHelp() override { ++helps; }
    int helps = 0;
  };
  auto* p = new Counting();
  EXPECT_TRUE(p->ArriveWithHelp(73));
  EXPECT_FALSE(p->ArriveWithHelp(73));
  EXPECT_TRUE(p->ArriveWithHelp(-1));  // no entered flag: help on every arrival
  EXPECT_TRUE(p->ArriveWithHelp(-1));
  EXPECT_EQ(p->helps, 3);
  p->OnNotify(nullptr, puzzle::kCmdHelp);
  EXPECT_EQ(p->helps, 4);
}

}  // namespace
