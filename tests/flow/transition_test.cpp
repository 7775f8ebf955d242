#include <gtest/gtest.h>

#include "core/frame_timer.h"
#include "core/loading_progress.h"
#include "data/xml_document.h"
#include "flow/environment_factory.h"
#include "flow/flow_fixture.h"
#include "flow/loading_screen.h"
#include "flow/progress_table.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "scene/scene_context.h"

using flowtest::FlowTest;
using flowtest::TestScene;

namespace {
CEnvironment* BuildTagTwo(const char*) {
  return new TestScene(2);
}
CEnvironment* BuildNothing(const char*) {
  return nullptr;  // a builder that gives up part-way
}
}  // namespace

TEST_F(FlowTest, TransitionTimelineWithAndWithoutDelay) {
  for (float delay : {0.0f, 1.0f, 2.0f}) {
    SCOPED_TRACE(delay);
    const float t0 = last_;
    new TestScene(1);
    RegisterEnvironmentBuilder(TypeId::kSearchEnvironment, &BuildTagTwo);
    const bool inputBefore = os::host().InputEnabled();
    CShutter* s = StartTransition(TypeId::kSearchEnvironment, "Venue.xml", delay);
    EXPECT_EQ(StartTransition(TypeId::kMainEnvironment, nullptr), s) << "a running transition wins";
    EXPECT_FALSE(os::host().InputEnabled());
    EXPECT_EQ(PointerHideCount(), 1);
    EXPECT_TRUE(ShutterTransitionExists());

    RunAt(t0 + delay + 0.25f);
    EXPECT_NEAR(s->Opacity(), 0.5f, 1e-4f);
    RunAt(t0 + delay + 0.49f);
    ASSERT_EQ(static_cast<TestScene*>(CurrentScene())->Tag(), 1) << "the old scene stays until 0.5 s";
    RunAt(t0 + delay + 0.5f);
    auto* fresh = static_cast<TestScene*>(CurrentScene());
    ASSERT_EQ(fresh->Tag(), 2);
    EXPECT_EQ(TestScene::alive, 1) << "the old scene went with the switch";
    EXPECT_EQ(s->State(), 1);
    EXPECT_FALSE(IsClockPaused());
    RunAt(t0 + delay + 0.99f);
    EXPECT_TRUE(fresh->heard.empty());
    RunAt(t0 + delay + 1.0f);
    EXPECT_EQ(fresh->heard, std::vector<int>{kCodeTransitionDone});
    EXPECT_EQ(GetShutter(), nullptr);
    EXPECT_EQ(os::host().InputEnabled(), inputBefore);
    EXPECT_EQ(PointerHideCount(), 0);
    delete fresh;
  }
}

TEST_F(FlowTest, ATransitionWithoutASceneFadesBackAndRestoresEverything) {
  RegisterEnvironmentBuilder(TypeId::kMapEnvironment, &BuildNothing);
  for (int classId : {int(TypeId::kMapEnvironment), 12345}) {
    SCOPED_TRACE(classId);
    auto* old = new TestScene(1);
    PauseClock();  // someone else's pause must survive the transition
    os::host().DisableInput();
    const float t0 = last_;
    StartTransition(classId, "x");
    ResumeClock();
    RunAt(t0 + 0.5f);
    EXPECT_EQ(CurrentScene(), old);
    EXPECT_FALSE(IsClockPaused()) << "the build's pause is released even when it gives up";
    RunAt(t0 + 1.0f);
    EXPECT_EQ(GetShutter(), nullptr);
    EXPECT_TRUE(old->heard.empty());
    EXPECT_FALSE(os::host().InputEnabled()) << "the gate is counted: the other user still holds it";
    os::host().EnableInput();
    EXPECT_TRUE(os::host().InputEnabled());
    delete old;
  }
}

TEST_F(FlowTest, ResumeGoesToTheMainMenuWithoutAPlayerAndEscapeReachesTheScene) {
  EXPECT_EQ(EscapeCurrentEnvironment(), 0);
  EXPECT_EQ(CurrentEnvironmentCountsPlayTime(), 0);
  auto* scene = new TestScene(1);
  scene->counts = 1;
  EXPECT_EQ(EscapeCurrentEnvironment(), 1);
  EXPECT_EQ(scene->escapes, 1);
  EXPECT_EQ(CurrentEnvironmentCountsPlayTime(), 1);
  EXPECT_EQ(GetCurrentEnvironmentOfType(TypeId::kEnvironment), scene);
  EXPECT_EQ(GetCurrentEnvironmentOfType(TypeId::kMainEnvironment), nullptr);
  EXPECT_EQ(scene->HitTest(), kHitBlocking);
  scene->SetOpacity(0.0f);
  EXPECT_EQ(scene->HitTest(), kHitNone);
  CShutter* s = ResumeGame(2.0f);
  EXPECT_EQ(s->ClassId(), TypeId::kMainEnvironment);
  EXPECT_EQ(s->Argument(), nullptr);
  delete s;
  delete scene;
  EXPECT_EQ(GetCurrentEnvironment(), nullptr);
}

TEST_F(FlowTest, ProgressTableReadsLooksUpAndLearns) {
  const char* xml =
      "<Shutter><!-- seeds --><Item Class='43' EnvironmentArgument='Hotel_Lobby.xml' TotalProgress='40'/>"
      "<Item Class='43' TotalProgress='7'/><Other Class='29' TotalProgress='99'/>"
      "<Item Class='43' EnvironmentArgument='HOTEL_LOBBY.XML' TotalProgress='41'/><Item Class='29' "
      "TotalProgress='-3'/></Shutter>";
  XmlDocument doc;
  ASSERT_EQ(doc.LoadBytes(xml, strlen(xml)), 0);
  ProgressTable table;
  table.Read(doc);
  EXPECT_EQ(table.Size(), 4u);
  struct Case {
    int classId;
    const char* argument;
    int total;
  } cases[] = {{43, "hotel_lobby.xml", 41},
               {43, nullptr, 7},
               {43, "Other.xml", 0},
               {29, nullptr, 0},
               {31, nullptr, 0}};
  for (const Case& c : cases) EXPECT_EQ(table.Lookup(c.classId, c.argument), c.total) << c.classId;
  table.Learn(43, "Hotel_Lobby.xml", 12);
  table.Learn(31, "ToTheDocks", 5);
  EXPECT_EQ(table.Lookup(43, "HOTEL_lobby.xml"), 12);
  EXPECT_EQ(table.Lookup(31, "todocks"), 0);
  EXPECT_EQ(table.Lookup(31, "TOTHEDOCKS"), 5);
  EXPECT_EQ(table.Size(), 5u);
}

TEST_F(FlowTest, ShutterLearnsItsStepsAndDrawsTheBarOnlyOnceItKnowsATotal) {
  RegisterEnvironmentBuilder(TypeId::kSearchEnvironment, [](const char*) -> CEnvironment* {
    auto* scene = new TestScene(3);
    for (int i = 0; i < 6; ++i) LoadingProgressStep();
    return scene;
  });
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const float t0 = last_;
    const int presents = Rec()->PresentCount();
    CShutter* s = StartTransition(TypeId::kSearchEnvironment, "Warehouse_Yard.xml");
    LoadingProgressStep();  // fading out: nothing is counted yet
    EXPECT_EQ(s->ExpectedTotal(), round == 0 ? 0 : 6);
    RunAt(t0 + 0.5f);
    EXPECT_EQ(s->ProgressCount(), 6);
    EXPECT_EQ(Rec()->PresentCount() - presents, round == 0 ? 0 : 6) << "immediate frames show the bar";
    RunAt(t0 + 1.0f);
  }
  EXPECT_EQ(TransitionProgressTable().Lookup(TypeId::kSearchEnvironment, "WAREHOUSE_YARD.XML"), 6);
}
