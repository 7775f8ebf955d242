#include "data/pakfile.h"
#include "player/game_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "data/pakfile.h"
#include "player/game_map.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace {
class GameMapTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseGameMap(); }
  bool OpenText(const std::string& xml) { return OpenGameMapBytes(xml.data(), xml.size()); }
};

std::string Shipped() {
  return testenv::SourceDir() + "/content/database/GameMap.xml";
}
}  // namespace

TEST_F(GameMapTest, TheDemoStoryMapDescribesFourPlayableStages) {
  ASSERT_TRUE(OpenGameMapFile(Shipped()));
  ASSERT_EQ(GameMapStageCount(), 4);
  const char* names[] = {"The Parcel", "Dock Four", "Lantern Street", "The Car Barn"};
  const char* firstVenues[] = {"Headquarters_Office.xml", "Warehouse_Yard.xml", "Shops_Street.xml",
                               "TrolleyBarn_Yard.xml"};
  const int lines[] = {5, 9, 14, 10};
  const size_t venues[] = {2, 4, 6, 4};
  const size_t puzzles[] = {1, 2, 6, 4};
  const std::set<int> puzzleScenes = {26, 62, 70, 73, 77, 82, 84, 87, 93, 94, 97, 99};
  std::set<int> used;
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(StageName(s), names[s]);
    EXPECT_EQ(StageFirstVenue(s), firstVenues[s]);
    EXPECT_EQ(StageLines(s), lines[s]);
    EXPECT_TRUE(StageExitSpeech(s).has_value());
    EXPECT_EQ(StageVenues(s).size(), venues[s]);
    EXPECT_EQ(StageVenues(s).front().file, firstVenues[s]);
    ASSERT_EQ(StagePuzzles(s).size(), puzzles[s]);
    for (const GameMapPuzzle& p : StagePuzzles(s)) {
      EXPECT_TRUE(p.name.has_value());
      EXPECT_TRUE(puzzleScenes.count(p.environmentId)) << *p.name;
      used.insert(p.environmentId);
    }
    // After a stage's map the next stage must have somewhere to start; the last one has no map.
    EXPECT_EQ(StageMapName(s).has_value(), s < 3);
  }
  EXPECT_EQ(used, puzzleScenes);  // every puzzle scene is reachable from the cheat screen
  EXPECT_EQ(StageMapName(0), "ToTheDocks");
  EXPECT_EQ(StageExitSpeech(1), "WarehouseExitSpeech");
  EXPECT_EQ(StageDifferences(1), "Warehouse_Differences.xml");
  EXPECT_EQ(StageDifferencesName(1), "Second exposure");
  EXPECT_FALSE(StageDifferences(0).has_value());
  EXPECT_EQ(StagePuzzles(1)[0].name, "Safe dial");
  EXPECT_FALSE(StagePuzzles(1)[0].file.has_value());
  EXPECT_EQ(StagePuzzles(2)[4].file, "Fiber");
  EXPECT_EQ(StageVenues(2)[1].name, "Odrell's Curiosities");
}

TEST_F(GameMapTest, OnlyStageElementsCountAndIndex) {
  ASSERT_TRUE(OpenText(
      "<GameMap>\n  <!-- prologue -->\n  <Note/>\n  <Stage Name=\"A\"><SearchVenues>x<Other File=\"no\"/>"
      "<!-- c --><Venue File=\"a1.xml\"/><venue File=\"a2.xml\"/></SearchVenues></Stage>\n  text\n"
      "  <Intermission Name=\"skip me\"/>\n  <stage Name=\"B\" Lines=\"x\"/>\n</GameMap>"));
  EXPECT_EQ(GameMapStageCount(), 2);
  EXPECT_EQ(StageName(0), "A");
  EXPECT_EQ(StageName(1), "B");
  EXPECT_FALSE(StageName(2).has_value());
  EXPECT_FALSE(StageName(-1).has_value());
  EXPECT_EQ(StageFirstVenue(0), "a1.xml");
  ASSERT_EQ(StageVenues(0).size(), 2u);
  EXPECT_EQ(StageVenues(0)[1].file, "a2.xml");
  EXPECT_FALSE(StageFirstVenue(1).has_value());
  EXPECT_FALSE(StageMapName(0).has_value());
  EXPECT_EQ(StageLines(1), 10);
  EXPECT_TRUE(StagePuzzles(1).empty());
}

TEST_F(GameMapTest, AMissingOrBrokenMapLeavesEveryQueryEmpty) {
  EXPECT_FALSE(OpenGameMapFile(testenv::MakeTempDir("map") + "/GameMap.xml"));
  EXPECT_FALSE(OpenText("<GameMap><Stage Name=\"A\">"));
  EXPECT_FALSE(OpenText("<!-- only a comment -->"));
  EXPECT_EQ(GameMapStageCount(), 0);
  EXPECT_FALSE(StageName(0).has_value());
  EXPECT_FALSE(StageFirstVenue(0).has_value());
  EXPECT_TRUE(StageVenues(0).empty());
  EXPECT_EQ(StageLines(0), 10);

  // A failed reopen does not keep the previous map either.
  ASSERT_TRUE(OpenText("<GameMap><Stage/></GameMap>"));
  EXPECT_FALSE(OpenText("broken"));
  EXPECT_EQ(GameMapStageCount(), 0);
}

TEST_F(GameMapTest, TheStoryMapIsReadFromTheDataArchive) {
  std::string root = testenv::BuildDir();
  if (!std::filesystem::exists(root + "/Database.pak")) GTEST_SKIP() << "content not built";
  std::string previous = os::DataRoot();
  os::SetDataRoot(root);
  bool opened = OpenGameMap();
  CloseAllPaks();
  os::SetDataRoot(previous);
  ASSERT_TRUE(opened);
  EXPECT_EQ(GameMapStageCount(), 4);
  EXPECT_EQ(StageName(3), "The Car Barn");
}
