// The speech interface drawn by the GL device with the demo's own art and texts: balloons, the two
// corners, the marker and a popup picture, and a whole conversation played with scripted clicks.
// Every frame checked here is also kept in test-captures/ for a person to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render_speech/speech_scene.h"
#include "ui/character_corner.h"
#include "ui/click_to_continue.h"
#include "ui/dialog_manager.h"
#include "ui/jorvane_corner.h"
#include "ui/popup_image.h"
#include "ui/speech_balloon.h"

namespace speechgl {
namespace {

constexpr uint32_t kBalloonFill = 0xFFF9EC;

class Listener : public CGameObject {
 public:
  void OnNotify(CGameObject*, int code) override { heard.push_back(code); }
  std::vector<int> heard;
};

using SpeechRender = SpeechScene;

TEST_F(SpeechRender, LeadBalloonCornerAndMarker) {
  new CClickToContinue();
  auto* corner = new CJorvaneCorner(env);
  Listener waiting;
  CSpeechBalloon* b = SpeakAsJorvane("HQ_Intro_2");
  ASSERT_NE(b, nullptr);
  b->SetNotifyTarget(&waiting, 1364);
  RunUntil(0.2f);
  Frame(0.22f, false, 400, 300, "speech_lead_growing.png");
  RunUntil(0.5f);
  const gfx::Image img = Frame(0.52f, false, 400, 300, "speech_lead_balloon.png");

  const ScreenRect r = b->GetScreenRect(), text = b->GetContent()->GetScreenRect();
  // The balloon is mostly its paper, the text block holds dark lettering, and nothing is cut.
  EXPECT_GT(CountNear(img, r, kBalloonFill, 12), int(0.5f * r.Width() * r.Height()));
  EXPECT_GT(CountDark(img, text, 80), int(0.03f * text.Width() * text.Height()));
  EXPECT_GE(r.left, 0);
  EXPECT_LE(r.bottom, kH);
  // The corner shows her opaque picture; the marker shows gilt lettering low in the middle.
  const ScreenRect c = corner->GetScreenRect();
  EXPECT_GT(CountDark(img, ScreenRect(c.left, 0, kW, c.bottom), 60), 500);
  const ScreenRect m = CClickToContinue::PlacementFor(kW, kH);
  EXPECT_GT(CountNear(img, m, 0xE3B64E, 40), 300);

  // Clicked away: the marker fades with the balloon.
  Click(0.6f);
  RunUntil(1.3f);
  const gfx::Image after = Frame(1.32f, false, 400, 300, "speech_lead_gone.png");
  EXPECT_EQ(CountNear(after, m, 0xE3B64E, 40), 0);
  EXPECT_EQ(waiting.heard, std::vector<int>{1364});
}

TEST_F(SpeechRender, CharacterCornerAndMirroredBalloon) {
  auto* corner = new CCharacterCorner(env, 0);
  CSpeechBalloon* b = SpeakAsCharacter("HQ_Intro_3");
  ASSERT_NE(b, nullptr);
  RunUntil(0.5f);
  const gfx::Image img = Frame(0.52f, false, 400, 300, "speech_character_balloon.png");
  const ScreenRect r = b->GetScreenRect(), text = b->GetContent()->GetScreenRect();
  EXPECT_TRUE(b->GetFlags() & kSpriteMirror);
  EXPECT_GT(CountNear(img, r, kBalloonFill, 12), int(0.5f * r.Width() * r.Height()));
  EXPECT_GT(CountDark(img, text, 80), int(0.03f * text.Width() * text.Height()));
  EXPECT_LE(r.right, kW);
  // The portrait's warm backdrop fills the corner.
  const ScreenRect p = corner->GetScreenRect();
  EXPECT_GT(CountNear(img, p.Scale(0.5f), 0xDCA661, 60), 200);
}

TEST_F(SpeechRender, EveryPortraitAndAPictureBalloon) {
  new CJorvaneCorner(env);
  float left = 0;
  for (int i = 0; i < 5; ++i) {
    auto* c = new CCharacterCorner(env, i);
    const ScreenRect r = c->GetScreenRect();
    c->SetScreenRect(ScreenRect(left, 0, left + r.Width(), r.Height()));
    left += r.Width() + 4;
  }
  CSpeechBalloon* b = SpeakPictureAsJorvane("GUI\\Characters\\StaffCardCrane.jpg", 0.3f, 1.5f);
  ASSERT_NE(b, nullptr);
  RunUntil(0.5f);
  const gfx::Image img = Frame(0.52f, false, 400, 300, "speech_portraits_and_picture.png");
  // The card's paper fills the picture.
  EXPECT_GT(CountNear(img, b->GetContent()->GetScreenRect(), 0xE8DAB6, 40), 2000);
}

TEST_F(SpeechRender, PopupPictureGrowsAndShrinks) {
  auto* popup = new CPopupImage("NewspaperLamplighter.jpg", env, 0.75f, -0.05f);
  Frame(0.1f, false, 400, 300, "speech_popup_growing.png");
  RunUntil(0.4f);
  const gfx::Image img = Frame(0.42f, false, 400, 300, "speech_popup.png");
  const ScreenRect r = popup->GetScreenRect();
  EXPECT_NEAR(r.BoundingBox().Height(), kH, 1.0f);
  EXPECT_GT(CountDark(img, r.Scale(0.6f), 70), 1000);  // the headline and the columns
}

// The opening conversation of the demo, driven end to end: the picture, then Brenick and Jorvane
// in turn, a click each; the corner slides in before Brenick's first line and out after the last.
TEST_F(SpeechRender, TheOpeningConversationPlaysThrough) {
  new CClickToContinue();
  new CJorvaneCorner(env);
  Listener end;
  CDialogManager* talk = StartConversation("HQ_Intro", env);
  ASSERT_NE(talk, nullptr);
  talk->SetNotifyTarget(&end, 1254);
  talk->Advance();

  auto newest = []() -> std::string {
    std::string what;
    for (CSpeechBalloon* b : AllSpeechBalloons()) {
      if (b->GetState() != speech::FadeState::kClosing) what = b->GetKey();
    }
    for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) {
      if (o->GetTypeId() == TypeId::kPopupImage &&
          static_cast<CPopupImage*>(o)->GetState() != speech::FadeState::kClosing)
        what = "picture";
    }
    return what;
  };

  const char* const expected[] = {"picture", "HQ_Intro_1", "HQ_Intro_2", "HQ_Intro_3", "HQ_Intro_4"};
  std::vector<std::string> seen;
  float t = 0;
  for (int step = 0; step < 5; ++step) {
    // Wait for the entry (the corner's slide-in comes first for Brenick's first line).
    for (int i = 0; i < 60 && newest().empty(); ++i) Frame(t += 0.02f);
    RunUntil(t += 0.4f);
    seen.push_back(newest());
    Frame(t += 0.02f, false, 400, 300, "speech_conversation_" + std::to_string(step) + ".png");
    EXPECT_TRUE(end.heard.empty());
    Click(t += 0.02f, 400, 300);
    t += 0.02f;
  }
  EXPECT_EQ(seen, std::vector<std::string>(std::begin(expected), std::end(expected)));
  ASSERT_EQ(end.heard, std::vector<int>{1254});
  RunUntil(t + 1.0f);
  EXPECT_EQ(GetCharacterCorner(), nullptr);
  EXPECT_EQ(end.heard.size(), 1u);
  EXPECT_TRUE(AllSpeechBalloons().empty());
  Frame(t + 1.02f, false, 400, 300, "speech_conversation_end.png");
}

}  // namespace
}  // namespace speechgl
