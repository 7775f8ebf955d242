// Continue from the main menu: the saved venue only while it belongs to the current stage.
#include <gtest/gtest.h>

#include "flow/shutter.h"
#include "flow/travel_target.h"
#include "map/map_fixture.h"
#include "player/game_map.h"
#include "player/game_state.h"

using maptest::MapTest;

namespace {

TEST_F(MapTest, ContinueOpensTheSavedVenueOnlyWhenItBelongsToTheCurrentStage) {
  const SceneTarget kAlphaStart{TypeId::kSearchEnvironment, "Alpha_Start.xml"};
  const SceneTarget kBetaYard{TypeId::kSearchEnvironment, "Beta_Yard.xml"};
  const SceneTarget kEpilogue{TypeId::kEpilogueEnvironment, std::nullopt};
  struct Case {
    int stage;
    const char* saved;  // null: none
    bool storyMap;
    SceneTarget target;
  } cases[] = {
      {0, nullptr, true, kAlphaStart},  // a new game
      {0, "Alpha_Close", true, {TypeId::kSearchEnvironment, "Alpha_Close.xml"}},
      {1, "Beta_End", true, {TypeId::kSearchEnvironment, "Beta_End.xml"}},
      {1, "beta_end", true, {TypeId::kSearchEnvironment, "beta_end.xml"}},    // any letter case
      {1, "Beta_Diff", true, {TypeId::kSearchEnvironment, "Beta_Diff.xml"}},  // the differences scene
      {1, "Alpha_Start", true, kBetaYard},  // quit on the map: the dead end of the stage before
      {1, "Nowhere", true, kBetaYard},
      {1, "", true, kBetaYard},
      {1, nullptr, true, kBetaYard},
      {2, "Beta_End", true, kEpilogue},                                            // the stage lists no venue
      {3, "Beta_End", true, kEpilogue},                                            // past the last stage
      {1, "Alpha_Start", false, {TypeId::kSearchEnvironment, "Alpha_Start.xml"}},  // nothing to check
      {1, nullptr, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", saved " << (c.saved ? c.saved : "(none)")
                                    << (c.storyMap ? "" : ", no story map"));
    if (c.storyMap) {
      ASSERT_TRUE(OpenGameMapBytes(maptest::kStoryMap, std::char_traits<char>::length(maptest::kStoryMap)));
    } else {
      CloseGameMap();
    }
    ResetPlayerModuleForTests();
    AtStage(c.stage);
    if (c.saved) SetLastVenue(c.saved);
    EXPECT_EQ(ContinueTarget(), c.target);
  }
}

TEST_F(MapTest, StartingATransitionToATargetUsesItsClassAndArgument) {
  EXPECT_EQ(StartTransitionTo({}), nullptr) << "class 0 opens nothing";
  CShutter* s = StartTransitionTo({TypeId::kSearchEnvironment, "Beta_Yard.xml"});
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->ClassId(), TypeId::kSearchEnvironment);
  EXPECT_STREQ(s->Argument(), "Beta_Yard.xml");
  EXPECT_EQ(StartTransitionTo({TypeId::kEpilogueEnvironment, std::nullopt}), s) << "one at a time";
  EXPECT_EQ(StartTransitionTo({}), s);
  RunUntil(1.1f);
  s = StartTransitionTo({TypeId::kEpilogueEnvironment, std::nullopt});
  EXPECT_EQ(s->Argument(), nullptr);
}

}  // namespace
