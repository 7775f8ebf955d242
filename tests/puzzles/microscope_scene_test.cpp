// The microscope scene with real clicks: a wrong candidate speaks and moves on, clicks wait for the
// view change, five matches solve it at the fifth click (flag, evidence gone, message 1367), and
// nothing more counts afterwards; Skip ticks every box.
#include <gtest/gtest.h>

#include "player/game_state.h"
#include "puzzles/microscope_environment.h"
#include "puzzles/microscope_image.h"
#include "puzzles/puzzle_checkbox.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "scene/game_object.h"
#include "ui/message_box.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

class MicroscopeScene : public puzzletest::PuzzleTest {
 protected:
  CMicroscopeEnvironment* Open(const char* argument) {
    microscope::ResetSharedSampleOrder();
    auto* s = static_cast<CMicroscopeEnvironment*>(BuildMicroscope(argument));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  CMicroscopeImage* Candidate(CMicroscopeEnvironment* s, bool matching) {
    for (int k = 0; k < microscope::kSamples; ++k) {
      CMicroscopeImage* c = s->GetCandidate(k);
      if (c && (c->Picture() == s->Game().ViewPicture()) == matching) return c;
    }
    return nullptr;
  }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  CMessageBox* SolvedMessage(CMicroscopeEnvironment* s) {
    for (CGameObject* c = s->FirstChild(); c; c = c->NextSiblingRaw())
      if (c->GetTypeId() == TypeId::kMessageBox &&
          c->GetId() == CMicroscopeEnvironment::kCmdSolvedDialogClosed)
        return static_cast<CMessageBox*>(c);
    return nullptr;
  }
};

TEST_F(MicroscopeScene, FiveMatchingClicksSolveItAndUseTheFibreUp) {
  SaveStrip({{11, "HL_VelvetFibre.tga", 1}, {14, "HL_PrintCard.tga", 1}});
  CMicroscopeEnvironment* s = Open(nullptr);  // no argument: the fibres
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Game().GetVariant(), microscope::Variant::Fibre);
  ClickCentre(Candidate(s, false));
  EXPECT_TRUE(Saying("NotAMatch"));
  EXPECT_TRUE(s->Game().Changing(now_));
  ClickCentre(Candidate(s, true));  // while the view changes: ignored
  EXPECT_EQ(s->Game().Matches(), 0);
  RunUntil(now_ + 1.05f);
  for (int i = 0; i < microscope::kMatchesToSolve; ++i) {
    ClickCentre(Candidate(s, true));
    EXPECT_EQ(s->Game().Matches(), i + 1);
    EXPECT_TRUE(s->IsFlying(i));
    EXPECT_EQ(s->IsSolved(), i == microscope::kMatchesToSolve - 1) << "solved at the fifth click";
    RunUntil(now_ + 1.05f);
    EXPECT_FALSE(s->IsFlying(i));
    EXPECT_TRUE(s->GetBox(i)->IsTicked()) << i;
  }
  EXPECT_TRUE(TestFlag(77));
  EXPECT_FALSE(TestFlag(51));
  ASSERT_TRUE(SolvedMessage(s));
  // The evidence is gone from the saved strip, the card stays.
  XmlDocument* doc = nullptr;
  XmlNode strip = FindProfileElement("InventoryBoard", &doc);
  ASSERT_NE(strip, kNoNode);
  int fibres = 0, cards = 0;
  for (XmlNode item = doc->FindChildNode(strip); item != kNoNode;) {
    fibres += doc->GetIntAttribute(item, "Class", 0) == 11;
    cards += doc->GetIntAttribute(item, "Class", 0) == 14;
    const XmlNode next = doc->NextSiblingNode(item);
    doc->ReleaseNode(item);
    item = next;
  }
  doc->ReleaseNode(strip);
  EXPECT_EQ(fibres, 0);
  EXPECT_EQ(cards, 1);
  // A sixth click has no box to fly to: nothing happens.
  const std::string view = s->Game().ViewPicture();
  for (int k = 0; k < microscope::kSamples; ++k)
    s->OnNotify(s->GetCandidate(k), CMicroscopeImage::kCmdPicked);
  EXPECT_EQ(s->Game().Matches(), microscope::kMatchesToSolve);
  EXPECT_EQ(s->Game().ViewPicture(), view);
}

TEST_F(MicroscopeScene, SkipSolvesThePrintsWithEveryBoxTicked) {
  CMicroscopeEnvironment* s = Open("Print");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Game().GetVariant(), microscope::Variant::Print);
  s->SolveNow();
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(51));
  EXPECT_FALSE(TestFlag(77));
  for (int i = 0; i < microscope::kMatchesToSolve; ++i) EXPECT_TRUE(s->GetBox(i)->IsTicked()) << i;
  EXPECT_TRUE(SolvedMessage(s));
  s->SolveNow();  // once only
  int messages = 0;
  for (CGameObject* c = s->FirstChild(); c; c = c->NextSiblingRaw())
    messages += c->GetTypeId() == TypeId::kMessageBox;
  EXPECT_EQ(messages, 1);
}

}  // namespace
