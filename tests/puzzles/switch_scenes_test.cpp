// The power cabinet, the barn door keypad and the camera lock as scenes with real clicks: lamps and
// levers follow the rules, only a lever's own click area reacts, the solved sequence (flag,
// speech, way out), nothing acts once solved, and each solve-now.
#include <gtest/gtest.h>

#include <string>

#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/camera_puzzle_environment.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_patch.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/streetcar_power_environment.h"
#include "puzzles/trolley_barn_door_environment.h"
#include "scene/text_sprite.h"
#include "ui/pushbutton.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

class SwitchScenes : public puzzletest::PuzzleTest {
 protected:
  template <typename T>
  T* Open(CEnvironment* (*build)(const char*)) {
    auto* s = static_cast<T*>(build(nullptr));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  void ClickArea(const ScreenRect& r) { Click(int(r.CenterX()), int(r.CenterY())); }
  // Closes the solved speech and checks where the shutter goes.
  void ExpectLeavesFor(CPuzzleEnvironment* s, const char* venue) {
    s->OnNotify(s, kCmdSolvedSpeechClosed);
    ASSERT_TRUE(GetShutter());
    EXPECT_EQ(GetShutter()->ClassId(), TypeId::kSearchEnvironment);
    EXPECT_STREQ(GetShutter()->Argument(), venue);
  }
  std::string Display(CCameraPuzzleEnvironment* s) {
    std::string shown;
    for (int i = 0; i < cameracode::kSlots; ++i) shown += s->Slot(i)->GetText();
    return shown;
  }
};

// ---- power cabinet ------------------------------------------------------------------------------

TEST_F(SwitchScenes, PowerLeversFlipLampsAndTheAnswerSolvesIt) {
  auto* s = Open<CStreetcarPowerEnvironment>(&BuildStreetcarPower);
  s->OnNotify(s, kCmdArrived);
  EXPECT_TRUE(TestFlag(75));
  EXPECT_TRUE(Saying("StreetcarPowerPuzzleHelp"));
  ASSERT_FALSE(s->Panel().Solved());
  const auto patchesMatch = [&] {
    for (int i = 0; i < power::kLampCount; ++i)
      if ((s->Lamp(i)->GetOpacity() == 1) != s->Panel().LampLit(i)) return false;
    for (int v = 0; v < power::kSwitchCount; ++v)
      if ((s->Lever(v)->GetOpacity() == 1) != s->Panel().LeverOn(v)) return false;
    return true;
  };
  EXPECT_TRUE(patchesMatch());
  // Lever 4's picture reaches left of its click area: a click there does nothing.
  const uint16_t before = s->Panel().Lamps();
  const ScreenRect drawn = s->Lever(4)->GetScreenRect(), click = s->Lever(4)->ClickRect();
  ASSERT_LT(drawn.left + 2, click.left);
  Click(int(drawn.left + 2), int(click.CenterY()));
  EXPECT_EQ(s->Panel().Lamps(), before);
  // Reset after a flip returns to the scramble, levers included.
  const uint8_t levers = s->Panel().Levers();
  ClickArea(s->Lever(0)->ClickRect());
  EXPECT_EQ(s->Panel().Lamps(), before ^ power::SwitchLamps(0));
  EXPECT_TRUE(patchesMatch());
  s->OnNotify(s, kCmdReset);
  EXPECT_EQ(s->Panel().Lamps(), before);
  EXPECT_EQ(s->Panel().Levers(), levers);
  EXPECT_TRUE(patchesMatch());

  const int answer = power::SwitchesFor(before ^ power::kAllLit);
  ASSERT_GE(answer, 0);
  for (int v = 0; v < power::kSwitchCount; ++v)
    if ((answer >> v) & 1) ClickArea(s->Lever(v)->ClickRect());
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(52));
  EXPECT_TRUE(Saying("StreetcarPowerPuzzleSolved"));
  // Once solved no lamp goes out again, by lever or by Reset.
  ClickArea(s->Lever(1)->ClickRect());
  s->OnNotify(s, kCmdReset);
  EXPECT_EQ(s->Panel().Lamps(), power::kAllLit);
  EXPECT_TRUE(patchesMatch());
  ExpectLeavesFor(s, "TrolleyBarn_Office.xml");
}

TEST_F(SwitchScenes, PowerSolveNowLightsEveryLamp) {
  auto* s = Open<CStreetcarPowerEnvironment>(&BuildStreetcarPower);
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(52));
  for (int i = 0; i < power::kLampCount; ++i) EXPECT_EQ(s->Lamp(i)->GetOpacity(), 1.0f);
  s->SolveNow();
  EXPECT_EQ(AllSpeechBalloons().size(), 1u) << "solved once";
}

// ---- barn door keypad ---------------------------------------------------------------------------

TEST_F(SwitchScenes, DoorRightPressesOpenItWrongOnesStartOver) {
  auto* s = Open<CTrolleyBarnDoorEnvironment>(&BuildTrolleyBarnDoor);
  s->OnNotify(s, kCmdArrived);
  EXPECT_TRUE(TestFlag(74));
  const auto lampsMatch = [&] {
    for (int c = 0; c < barndoor::kColumns; ++c) {
      if ((s->CallLamp(c)->GetOpacity() == 1) != (c == s->Sequence().Calling())) return false;
      if ((s->ProgressLamp(c)->GetOpacity() == 1) != s->Sequence().Answered(c)) return false;
    }
    return true;
  };
  EXPECT_TRUE(lampsMatch());
  // Two right, then a wrong one: remark, nothing answered, a new order.
  for (int i = 0; i < 2; ++i) ClickArea(s->Button(s->Sequence().Calling())->ClickRect());
  EXPECT_EQ(s->Sequence().Position(), 2);
  EXPECT_TRUE(lampsMatch());
  const int answered = s->Sequence().Order()[0];
  ClickArea(s->Button(answered)->ClickRect());
  EXPECT_TRUE(Saying("PushedTheWrongButton"));
  EXPECT_EQ(s->Sequence().Position(), 0);
  EXPECT_TRUE(lampsMatch());
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(s->IsSolved());
    ClickArea(s->Button(s->Sequence().Calling())->ClickRect());
  }
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(60));
  EXPECT_TRUE(Saying("TrolleyBarnDoorPuzzleSolved"));
  int blinking = 0;
  for (int c = 0; c < barndoor::kColumns; ++c) {
    EXPECT_EQ(s->CallLamp(c)->GetOpacity(), 0.0f);
    if (s->ProgressLamp(c)->GetOpacity() == 1) {
      EXPECT_TRUE(s->ProgressLamp(c)->GetOptions() & CPuzzlePatch::kBlink);
      ++blinking;
    }
  }
  EXPECT_EQ(blinking, 4);
  // Presses after the door is open change nothing.
  for (int v = 0; v < barndoor::kColumns; ++v) ClickArea(s->Button(v)->ClickRect());
  EXPECT_EQ(s->Sequence().Position(), 4);
  ExpectLeavesFor(s, "TrolleyBarn_ShopFloor.xml");
}

TEST_F(SwitchScenes, DoorSolveNowLightsTheFourAnswersSoSkipIsNeverForNothing) {
  auto* s = Open<CTrolleyBarnDoorEnvironment>(&BuildTrolleyBarnDoor);
  ClickArea(s->Button(s->Sequence().Calling())->ClickRect());
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(60));
  int lit = 0;
  for (int c = 0; c < barndoor::kColumns; ++c) lit += s->ProgressLamp(c)->GetOpacity() == 1;
  EXPECT_EQ(lit, 4);
  EXPECT_TRUE(Saying("TrolleyBarnDoorPuzzleSolved"));
}

// ---- camera lock --------------------------------------------------------------------------------

TEST_F(SwitchScenes, CameraKeysEnterTheCodeAndOpenTheBox) {
  auto* s = Open<CCameraPuzzleEnvironment>(&BuildCameraPuzzle);
  s->OnNotify(s, kCmdArrived);
  EXPECT_TRUE(AllSpeechBalloons().empty()) << "no help on arrival";
  s->OnNotify(s, kCmdHelp);
  EXPECT_TRUE(Saying("CameraPuzzleHelp"));
  EXPECT_EQ(Display(s), "----");
  const auto press = [&](int command) { ClickCentre(s->Key(command)); };
  // A wrong code buzzes and clears; a short one too; Clear empties.
  for (int d : {1, 8, 7, 2}) press(cameracode::kCmdDigit0 + d);
  EXPECT_EQ(Display(s), "1872");
  press(cameracode::kCmdDigit0 + 5);
  EXPECT_EQ(Display(s), "1872") << "a fifth digit is ignored";
  press(cameracode::kCmdEnter);
  EXPECT_EQ(Display(s), "----");
  press(cameracode::kCmdDigit0 + 1);
  press(cameracode::kCmdClear);
  EXPECT_EQ(Display(s), "----");
  for (int d : {1, 8, 7, 1}) press(cameracode::kCmdDigit0 + d);
  EXPECT_FALSE(s->IsSolved());
  press(cameracode::kCmdEnter);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(9));
  EXPECT_TRUE(Saying("CameraPuzzleSolved"));
  press(cameracode::kCmdClear);
  press(cameracode::kCmdDigit0);
  EXPECT_EQ(Display(s), "1871") << "keys do nothing once open";
  ExpectLeavesFor(s, "House_Photo.xml");
}

TEST_F(SwitchScenes, CameraLayoutAndSolveNowShowsTheCode) {
  // The keypad from the plate box's brass area, the windows below it.
  const ScreenRect one = cameracode::KeyRect(cameracode::kCmdDigit0 + 1, kW, kH);
  EXPECT_NEAR(one.left, 686.08f, 0.01f);
  EXPECT_NEAR(one.top, 391.68f, 0.01f);
  EXPECT_NEAR(one.Width(), 35.328f, 0.01f);
  const float d = 0.05f * kH;
  const ScreenRect zero = cameracode::KeyRect(cameracode::kCmdDigit0, kW, kH);
  EXPECT_NEAR(zero.left, one.left + d, 0.01f);
  EXPECT_NEAR(zero.top, one.top + 3 * d, 0.01f);
  const ScreenRect enter = cameracode::KeyRect(cameracode::kCmdEnter, kW, kH);
  EXPECT_NEAR(enter.left, one.left + 4 * d, 0.01f);
  EXPECT_NEAR(enter.Width(), 3 * one.Width(), 0.01f);
  const ScreenRect clear = cameracode::KeyRect(cameracode::kCmdClear, kW, kH);
  EXPECT_NEAR(clear.left, one.left + 3 * d, 0.01f);
  EXPECT_NEAR(clear.top, one.top + 2 * d, 0.01f);
  EXPECT_LT(enter.right, float(kW)) << "inside the scene";
  const ScreenRect slot0 = cameracode::SlotRect(0, kW, kH), slot3 = cameracode::SlotRect(3, kW, kH);
  EXPECT_NEAR(slot0.left, 716.8f, 0.01f);
  EXPECT_NEAR(slot0.top, 560.64f, 0.01f);
  EXPECT_NEAR(slot3.left - slot0.left, 3 * (0.7f * one.Width() + 0.044f * kH), 0.01f);

  auto* s = Open<CCameraPuzzleEnvironment>(&BuildCameraPuzzle);
  ClickCentre(s->Key(cameracode::kCmdDigit0 + 9));
  s->SolveNow();
  EXPECT_EQ(Display(s), "1871");
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(9));
}

}  // namespace
