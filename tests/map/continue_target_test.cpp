// Continue from the main menu: the saved venue only while it belongs to the current stage.
#include <gtest/gtest.h>

#include "flow/travel_target.h"
#include "map/map_fixture.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/game_object.h"

using maptest::MapTest;

namespace {

TEST_F(MapTest, ContinueOpensTheSavedVenueOnlyWhenItBelongsToTheCurrentStage) {
  auto venue = [](const char* file) { return SceneTarget{TypeId::kSearchEnvironment, file}; };
  const SceneTarget kEpilogue{TypeId::kEpilogueEnvironment, std::nullopt};
  struct Case {
    int stage;
    const char* saved;  // null: none
    bool storyMap;
    SceneTarget target;
  } cases[] = {
      {0, nullptr, true, venue("Alpha_Start.xml")},  // a new game
      {0, "Alpha_Close", true, venue("Alpha_Close.xml")},
      {1, "beta_END", true, venue("beta_END.xml")},      // any letter case
      {1, "Beta_Diff", true, venue("Beta_Diff.xml")},    // the differences scene
      {1, "Alpha_Start", true, venue("Beta_Yard.xml")},  // quit on the map: the stage before's dead end
      {1, "", true, venue("Beta_Yard.xml")},
      {2, "Beta_End", true, kEpilogue},                     // the stage lists no venue
      {3, "Beta_End", true, kEpilogue},                     // past the last stage
      {1, "Alpha_Start", false, venue("Alpha_Start.xml")},  // nothing to check against
      {1, nullptr, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", saved " << (c.saved ? c.saved : "(none)"));
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

}  // namespace
