// The safe and the room lock with real input: the dial turned by dragging round its centre (the
// recipe, the grip ring, an overshoot and its sweep back, Reset), the lock's wheels and rows
// pressed through their buttons, the Submit button's place, seven wrong rows, and both solved by
// hand and by solve-now with their flags, strips and ways out.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/room_lock_environment.h"
#include "puzzles/room_lock_row.h"
#include "puzzles/safe_dial.h"
#include "puzzles/safe_puzzle_environment.h"
#include "scene/text_sprite.h"
#include "search/inventory_saved.h"
#include "ui/pushbutton.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr float kDegree = std::numbers::pi_v<float> / 180;

class LockScene : public puzzletest::PuzzleTest {
 protected:
  void SetUp() override {
    PuzzleTest::SetUp();
    AtStage(1);
  }
  CSpeechBalloon* Balloon(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key && b->GetState() != speech::FadeState::kClosing) return b;
    return nullptr;
  }
  std::vector<int> SavedClasses() {
    XmlDocument* doc = nullptr;
    const XmlNode node = FindProfileElement("InventoryBoard", &doc);
    if (!doc || node == kNoNode) return {};
    std::vector<int> classes;
    for (const inventory::SavedItem& i : inventory::ReadSavedItems(*doc, node, 99))
      classes.push_back(i.itemClass);
    doc->ReleaseNode(node);
    return classes;
  }

  // ---- the safe ----
  CSafePuzzleEnvironment* OpenSafe() {
    auto* s = static_cast<CSafePuzzleEnvironment*>(BuildSafePuzzle(nullptr));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  // Turns the dial by degrees (positive clockwise) gripped at radius from its centre, in steps of
  // at most one degree, starting at the pointer angle from; returns where the pointer ended.
  float Turn(CSafeDial* d, float from, float degrees, float radius = 150, bool release = true) {
    const ScreenRect r = d->GetScreenRect();
    auto at = [&](float a) {
      return std::pair{int(std::lround(r.CenterX() + radius * std::cos(a * kDegree))),
                       int(std::lround(r.CenterY() + radius * std::sin(a * kDegree)))};
    };
    auto [x, y] = at(from);
    Frame(now_ + 0.02f, x, y, true);
    const int steps = int(std::ceil(std::fabs(degrees)));
    for (int k = 1; k <= steps; ++k) {
      std::tie(x, y) = at(from + degrees * float(k) / float(steps));
      Frame(now_ + 0.02f, x, y, true);
    }
    if (release) Frame(now_ + 0.02f, x, y, false);
    return from + degrees;
  }

  // ---- the room lock ----
  CRoomLockPuzzleEnvironment* OpenLock(const roomlock::Code& secret = {3, 8, 1, 6}) {
    auto* s = new CRoomLockPuzzleEnvironment(secret);
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  void Press(CPushbutton* b, int times = 1) {
    ASSERT_TRUE(b);
    for (int k = 0; k < times; ++k) ClickCentre(b);
  }
  void OpenWheels(CRoomLockPuzzleEnvironment* s) {
    Press(s->WheelButton(2, true), 4);
    Press(s->WheelButton(1, false), 3);  // 0 down to 9, 8, 7
    Press(s->WheelButton(0, true), 2);
  }
  // The colour rules cover the slate until the player puts them away.
  void CloseRules() {
    if (CSpeechBalloon* b = Balloon("Puzzles\\RoomLockPuzzle\\Help2.jpg")) b->Dismiss();
    RunUntil(now_ + 1);
  }
};

TEST_F(LockScene, SafeOpensByTheRecipeIntoTheSafe) {
  SaveStrip({{13, "WH_Stethoscope.tga", 1}, {9, "PhotoScrap1.tga", 8}});
  CSafePuzzleEnvironment* s = OpenSafe();
  s->OnNotify(nullptr, kCmdArrived);
  EXPECT_TRUE(TestFlag(76));
  EXPECT_TRUE(Balloon("SafePuzzleHelp"));
  CSafeDial* d = s->GetDial();
  ASSERT_TRUE(d);
  EXPECT_NEAR(d->GetScreenRect().CenterX(), 296, 0.5);
  EXPECT_NEAR(d->GetScreenRect().Width(), 510, 0.5);
  struct Leg {
    float degrees;
    int number, step;
  };
  const Leg legs[] = {{273.6f, 24, 1}, {-165.6f, 70, 2}, {198, 15, 3}};
  float a = -90;
  for (const Leg& leg : legs) {
    a = Turn(d, a, leg.degrees);
    EXPECT_EQ(d->Number(), leg.number);
    EXPECT_EQ(d->Tumblers().NextStep(), leg.step);
  }
  EXPECT_FALSE(s->IsSolved());
  Turn(d, a, -118.8f);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(66));
  EXPECT_EQ(SavedClasses(), std::vector<int>{9}) << "the Stethoscope is used up, the scraps stay";
  ASSERT_TRUE(GetShutter());
  EXPECT_EQ(GetShutter()->ClassId(), TypeId::kSearchEnvironment);
  EXPECT_STREQ(GetShutter()->Argument(), "Warehouse_Safe.xml");
  // Solved is solved: Skip's solve-now changes nothing more.
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
}

TEST_F(LockScene, SafeDialTakesTheGripOnlyInItsRing) {
  CSafePuzzleEnvironment* s = OpenSafe();
  CSafeDial* d = s->GetDial();
  // At the spindle (below a tenth of the radius) and outside the dial nothing turns.
  for (const float radius : {10.0f, 262.0f}) {
    Turn(d, -90, 40, radius);
    EXPECT_EQ(d->Number(), 0) << "radius " << radius;
  }
  Turn(d, -90, 40, 30);
  EXPECT_NE(d->Number(), 0);
}

TEST_F(LockScene, SafeOvershootDropsTheWheelsAndTheSweepCountsNothing) {
  CSafePuzzleEnvironment* s = OpenSafe();
  CSafeDial* d = s->GetDial();
  float a = Turn(d, -90, 273.6f);
  ASSERT_EQ(d->Tumblers().NextStep(), 1);
  a = Turn(d, a, 3 * 3.6f);  // three past: harmless
  EXPECT_EQ(d->Number(), 21);
  EXPECT_EQ(d->Tumblers().NextStep(), 1);
  Turn(d, a, 3.6f, 150, false);  // the fourth: the wheels drop
  EXPECT_EQ(d->Tumblers().NextStep(), 0);
  EXPECT_TRUE(d->IsResetting());
  EXPECT_TRUE(Balloon("SafeCombinationError"));
  // No grip while it sweeps back, and the sweep lands on 0 with nothing counted.
  Frame(now_ + 0.02f, x_ + 20, y_, true);
  RunUntil(now_ + 0.6f);
  EXPECT_FALSE(d->IsResetting());
  EXPECT_NEAR(d->DialAngle(), 0, 1e-6);
  EXPECT_EQ(d->Number(), 0);
  // Reset from 30 sweeps down through 24 without counting it; the next grip starts from 0.
  Frame(now_ + 0.02f, x_, y_, false);
  Turn(d, -90, -108);
  EXPECT_EQ(d->Number(), 30);
  s->OnNotify(nullptr, kCmdReset);
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(d->Tumblers().NextStep(), 0);
  EXPECT_EQ(d->Number(), 0);
  EXPECT_EQ(d->Tumblers().Previous(), 0);
  Turn(d, -90, 273.6f);
  EXPECT_EQ(d->Tumblers().NextStep(), 1);
}

TEST_F(LockScene, SubmitKeepsClearOfTheLastDigitAtEverySize) {
  const ScreenRect scenes[] = {{0, 0, 1024, 768}, {0, 0, 800, 600}, {10, 20, 1290, 980}};
  for (const ScreenRect& scene : scenes) {
    for (int n = 0; n < roomlock::kMaxRows; ++n) {
      const ScreenRect row = RoomLockRowRect(scene, n);
      const ScreenRect last = RoomLockDigitRect(row, 3), submit = RoomLockSubmitRect(row);
      EXPECT_GT(submit.left, last.right) << scene.right << " row " << n;
      EXPECT_LE(submit.right, row.right + 1e-3f);
      EXPECT_LE(RoomLockDigitRect(row, 2).right, last.left);
      if (n > 0) {
        EXPECT_GT(row.top, RoomLockRowRect(scene, n - 1).bottom);
      }
    }
  }
  // On the reference screen the rows fill the slate of the door picture.
  const ScreenRect first = RoomLockRowRect({0, 0, 1024, 768}, 0),
                   seventh = RoomLockRowRect({0, 0, 1024, 768}, 6);
  EXPECT_NEAR(first.left, 317.4f, 0.5f);
  EXPECT_NEAR(first.right, 824.3f, 0.5f);
  EXPECT_LT(seventh.bottom, 595);
}

TEST_F(LockScene, RoomLockWheelsRowsAndTheRightRow) {
  AtStage(2);
  SaveStrip({{17, "HL_Receipt.tga", 1}});
  CRoomLockPuzzleEnvironment* s = OpenLock();
  s->OnNotify(nullptr, kCmdArrived);
  EXPECT_TRUE(Balloon("Puzzles\\RoomLockPuzzle\\Help1.jpg"));
  // The wheel buttons sit on the door's three windows.
  EXPECT_NEAR(s->WheelButton(2, true)->GetScreenRect().CenterX(), 441.3f, 0.5f);
  EXPECT_NEAR(s->WheelButton(0, false)->GetScreenRect().CenterY(), 698.8f, 0.5f);
  OpenWheels(s);
  EXPECT_TRUE(s->Lock().StageTwo());
  EXPECT_EQ(s->WheelText(2)->GetText() + s->WheelText(1)->GetText() + s->WheelText(0)->GetText(), "472");
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(s->WheelButton(i, true) || s->WheelButton(i, false));
  EXPECT_TRUE(Balloon("Puzzles\\RoomLockPuzzle\\Help2.jpg"));
  Balloon("Puzzles\\RoomLockPuzzle\\Help2.jpg")->Dismiss();
  RunUntil(now_ + 1);
  ASSERT_TRUE(s->Row(0));
  // A guess with a repeated figure: 8 8 1 1 against 3 8 1 6.
  Press(s->Row(0)->Digit(0)->Button(false), 2);  // 1 down: 9, 8
  Press(s->Row(0)->Digit(1)->Button(true), 7);
  ClickCentre(s->Row(0)->SubmitButton());
  const roomlock::Mark want[] = {roomlock::Mark::Yellow, roomlock::Mark::Green, roomlock::Mark::Green,
                                 roomlock::Mark::Yellow};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s->Row(0)->Digit(i)->GetMark(), want[i]) << i;
    EXPECT_FALSE(s->Row(0)->Digit(i)->Button(true)) << "a judged digit loses its buttons";
  }
  EXPECT_FALSE(s->Row(0)->SubmitButton());
  ASSERT_TRUE(s->Row(1));
  EXPECT_EQ(s->Row(1)->Digit(0)->Value(), 8) << "the next row starts from the last";
  Press(s->Row(1)->Digit(0)->Button(true), 4);  // 8 -> 3 by 9, 1, 2, 3
  Press(s->Row(1)->Digit(3)->Button(true), 5);
  ClickCentre(s->Row(1)->SubmitButton());
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(68));
  EXPECT_TRUE(SavedClasses().empty());
  EXPECT_EQ(s->Row(1)->Digit(2)->GetMark(), roomlock::Mark::Pulsing);
  ASSERT_TRUE(Balloon("RoomLockPuzzleSolved"));
  Balloon("RoomLockPuzzleSolved")->Dismiss();
  ASSERT_TRUE(GetShutter());
  EXPECT_STREQ(GetShutter()->Argument(), "Hotel_SecurityRoom.xml");
}

TEST_F(LockScene, RoomLockSeventhWrongRowRestartsWithTheSameSecret) {
  CRoomLockPuzzleEnvironment* s = OpenLock();
  OpenWheels(s);
  CloseRules();
  for (int n = 0; n < 6; ++n) {
    ASSERT_TRUE(s->Row(n)) << n;
    ClickCentre(s->Row(n)->SubmitButton());
  }
  ASSERT_TRUE(s->Row(6));
  EXPECT_FALSE(Balloon("RoomLockReset")) << "six wrong rows are not yet the end";
  ClickCentre(s->Row(6)->SubmitButton());
  ASSERT_TRUE(Balloon("RoomLockReset"));
  EXPECT_EQ(s->Lock().Rows().size(), 7u);
  Balloon("RoomLockReset")->Dismiss();
  Frame(now_ + 0.02f, 1, 1, false);
  EXPECT_EQ(s->Lock().Rows().size(), 1u);
  EXPECT_TRUE(s->Row(0) && !s->Row(1));
  EXPECT_EQ(s->Row(0)->Digit(0)->Value(), 1);
  EXPECT_EQ(s->Lock().Secret(), (roomlock::Code{3, 8, 1, 6}));
}

TEST_F(LockScene, RoomLockSolvedBySkipInStageOneNeverStartsStageTwo) {
  CRoomLockPuzzleEnvironment* s = OpenLock();
  Press(s->WheelButton(2, true), 4);
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(68));
  EXPECT_EQ(s->WheelText(2)->GetText() + s->WheelText(1)->GetText() + s->WheelText(0)->GetText(), "472");
  ASSERT_TRUE(s->Row(0));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s->Row(0)->Digit(i)->Value(), s->Lock().Secret()[size_t(i)]);
    EXPECT_EQ(s->Row(0)->Digit(i)->GetMark(), roomlock::Mark::Pulsing);
  }
  EXPECT_FALSE(s->Row(0)->SubmitButton());
  // Whatever still arrives from the wheels, Reset or a digit changes nothing.
  for (int code : {1356, 1359, int(kCmdReset)}) s->OnNotify(nullptr, code);
  s->TurnDigit(0, 1);
  s->Submit();
  EXPECT_FALSE(s->Lock().StageTwo());
  EXPECT_EQ(s->Lock().Rows().size(), 1u);
  EXPECT_EQ(s->Lock().WheelNumber(), 472);
}

}  // namespace
