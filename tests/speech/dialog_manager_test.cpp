// Conversations on the null device: line by line with scripted clicks, the corner sliding in and
// out, pictures, entries that have nothing to show, and the end target hearing exactly once.
#include "ui/dialog_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/scene_context.h"
#include "scene/sprite_animator.h"
#include "speech/speech_fixture.h"
#include "ui/character_corner.h"
#include "ui/jorvane_corner.h"
#include "ui/popup_image.h"
#include "ui/speech_balloon.h"

namespace speechtest {
namespace {

const bool kScripts = [] {
  RegisterConversation("Talk", R"(<Conversation Character="1">
    <Amos Text="One"/>
    <!-- the detective answers -->
    loose text
    <Jorvane Text="Two"/>
    <Image Name="Paper.jpg" AspectRatio="0.75" Angle="0.1"/>
    <Amos Text="Three"/>
  </Conversation>)");
  RegisterConversation("Solo", R"(<Conversation><Jorvane Text="One"/></Conversation>)");
  RegisterConversation("NobodyInTheCorner",
                       R"(<Conversation><Amos Text="One"/><Amos Text="Two"/></Conversation>)");
  RegisterConversation("LeadOnly",
                       R"(<Conversation><Jorvane Text="One"/><Jorvane Text="Two"/></Conversation>)");
  RegisterConversation("Blank",
                       R"(<Conversation Character="4"><Jorvane/><Greta Text=""/><Image/></Conversation>)");
  RegisterConversation("Empty", R"(<Conversation Character="0"/>)");
  return true;
}();

using DialogTest = SpeechTest;

// The newest live balloon's key, "picture" for a popup, "" for nothing new.
std::string Newest() {
  std::string what;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) {
    if (o->GetTypeId() == TypeId::kSpeechBalloon) {
      auto* b = static_cast<CSpeechBalloon*>(o);
      if (b->GetState() != speech::FadeState::kClosing) what = b->GetKey();
    } else if (o->GetTypeId() == TypeId::kPopupImage &&
               static_cast<CPopupImage*>(o)->GetState() != speech::FadeState::kClosing) {
      what = "picture";
    }
  }
  return what;
}

TEST_F(DialogTest, AConversationRunsLineByLineAndEndsOnce) {
  new CJorvaneCorner(env_);
  Listener end;
  CDialogManager* m = StartConversation("Talk", env_);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->GetEntryCount(), 4);  // the comment and the text are not lines
  CCharacterCorner* corner = m->GetCorner();
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(corner->GetCharacter(), 1);
  m->SetNotifyTarget(&end, 1390);
  Frame(0.02f);
  EXPECT_TRUE(corner->IsOffScreen());  // parked at once
  m->Advance();

  // The corner slides in first; its line follows when the slide ends.
  RunUntil(0.3f);
  EXPECT_EQ(Newest(), "");
  EXPECT_FALSE(corner->IsOffScreen());
  RunUntil(0.6f);
  EXPECT_EQ(Newest(), "One");

  struct Step {
    const char* shown;  // after clicking the previous one away
  };
  const Step steps[] = {{"Two"}, {"picture"}, {"Three"}};
  float t = 0.6f;
  for (const Step& s : steps) {
    RunUntil(t + 0.4f);  // fully shown
    EXPECT_TRUE(end.heard.empty());
    Click(t + 0.42f, 20, 580);
    t += 0.44f;
    Frame(t);
    EXPECT_EQ(Newest(), s.shown) << "at " << t;
  }
  EXPECT_EQ(corner, GetCharacterCorner());
  EXPECT_FALSE(corner->IsOffScreen());  // stays for the last line

  RunUntil(t + 0.4f);
  Click(t + 0.42f, 20, 580);
  ASSERT_EQ(end.heard.size(), 1u);
  EXPECT_EQ(end.heard[0], std::make_pair(static_cast<CGameObject*>(m), 1390));
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0);  // removed itself in the next frame
  RunUntil(t + 1.2f);
  EXPECT_EQ(GetCharacterCorner(), nullptr);  // slid out and gone
  EXPECT_EQ(end.heard.size(), 1u);
  EXPECT_EQ(Newest(), "");
}

TEST_F(DialogTest, OneLineWithoutEndTargetFinishesAtOnce) {
  new CJorvaneCorner(env_);
  CDialogManager* m = StartConversation("Solo", env_);
  m->Advance();
  EXPECT_TRUE(m->IsFinished());
  EXPECT_EQ(m->GetCurrentEntry(), 0);
  CSpeechBalloon* b = AllSpeechBalloons().back();
  EXPECT_EQ(b->GetNotifyTarget(), nullptr);
  Frame(0.02f);
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0);
  EXPECT_TRUE(IsLiveSpeechBalloon(b));  // the line stays until clicked
}

TEST_F(DialogTest, EntriesWithNothingToShowArePassedOverAndTheEndStillComes) {
  struct Case {
    const char* script;
    bool lead;
    size_t heardAtOnce;
  };
  const Case cases[] = {
      {"NobodyInTheCorner", true, 1},  // lines of a speaker without a corner
      {"LeadOnly", false, 1},          // lead lines without her corner
      {"Blank", true, 1},              // no texts, no picture name
      {"Empty", true, 1},
  };
  for (const Case& c : cases) {
    CJorvaneCorner* lead = c.lead ? new CJorvaneCorner(env_) : nullptr;
    Listener end;
    CDialogManager* m = StartConversation(c.script, env_);
    ASSERT_NE(m, nullptr) << c.script;
    m->SetNotifyTarget(&end, 7);
    m->Advance();
    EXPECT_EQ(end.heard.size(), c.heardAtOnce) << c.script;
    RunUntil(last_ + 1.0f);
    EXPECT_EQ(end.heard.size(), 1u) << c.script;
    EXPECT_TRUE(AllSpeechBalloons().empty()) << c.script;
    EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0) << c.script;
    EXPECT_EQ(GetCharacterCorner(), nullptr) << c.script;
    delete lead;
  }
}

TEST_F(DialogTest, MissingFilesAndLostScenes) {
  EXPECT_EQ(StartConversation("NoSuchTalk", env_), nullptr);
  EXPECT_EQ(StartConversation("", env_), nullptr);
  EXPECT_EQ(StartConversation(nullptr, env_), nullptr);

  // The scene ends mid-conversation: the manager, its corner and balloons go with it, silently.
  new CJorvaneCorner(env_);
  Listener end;
  CDialogManager* m = StartConversation("LeadOnly", env_);
  m->SetNotifyTarget(&end, 7);
  m->Advance();
  RunUntil(0.4f);
  ASSERT_FALSE(AllSpeechBalloons().empty());
  SetCurrentEnvironment(nullptr);
  delete env_;
  env_ = nullptr;
  Click(0.5f);
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0);
  EXPECT_TRUE(AllSpeechBalloons().empty());
  EXPECT_TRUE(end.heard.empty());
}

TEST_F(DialogTest, TheEndTargetMayEndTheSceneWhileHearingIt) {
  new CJorvaneCorner(env_);
  Listener end;
  end.hook = [&](CGameObject*, int) {
    SetCurrentEnvironment(nullptr);
    delete env_;
    env_ = nullptr;
  };
  CDialogManager* m = StartConversation("LeadOnly", env_);
  m->SetNotifyTarget(&end, 7);
  m->Advance();
  for (int i = 0; i < 2; ++i) {
    RunUntil(last_ + 0.4f);
    Click(last_ + 0.02f);
  }
  EXPECT_EQ(end.heard.size(), 1u);
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0);
}

}  // namespace
}  // namespace speechtest
