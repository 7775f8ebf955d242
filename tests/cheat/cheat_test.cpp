// The developer screen: how the story map is laid out in columns, what a click opens, and the
// screen itself over the demo's story map (entries, Back, Help, the return-to-cheat flag).
#include <gtest/gtest.h>

#include "devtools/cheat_environment.h"
#include "devtools/cheat_listing.h"
#include "flow/environment_factory.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_fixture.h"
#include "ui/how_to_play.h"
#include "ui/pushbutton.h"

using namespace cheat;

namespace {

// A stage with venues and puzzles named after it, taking `lines` rows.
StageListing Stage(const char* name, int lines, int venues, int puzzles) {
  StageListing s;
  s.name = name;
  s.lines = lines;
  for (int i = 0; i < venues; ++i)
    s.venues.push_back({std::string(name) + "_V" + std::to_string(i) + ".xml", "v"});
  for (int i = 0; i < puzzles; ++i) s.puzzles.push_back({"p", "P.xml", 84});
  return s;
}

TEST(CheatListing, ThreeFullStagesFillTheFirstColumnAndTheFourthStartsTheNext) {
  // Each takes exactly ten rows: itself, 6 venues, 2 puzzles and the empty row.
  const Listing l =
      LayOut({Stage("A", 10, 6, 2), Stage("B", 10, 6, 2), Stage("C", 10, 6, 2), Stage("D", 10, 6, 2)});
  ASSERT_EQ(l.entries.size(), 36u);
  EXPECT_EQ(l.entries[18].label, "C");
  EXPECT_EQ(l.entries[18].column, 0);
  EXPECT_EQ(l.entries[18].row, 20);
  EXPECT_EQ(l.entries[26].row, 28);
  EXPECT_EQ(l.entries[27].label, "D");
  EXPECT_EQ(l.entries[27].column, 1);
  EXPECT_EQ(l.entries[27].row, 0);
  EXPECT_EQ(l.columns, 4);
}

TEST(CheatListing, LinesOnlyBreakColumnsAndExtraEntriesRunOn) {
  // "Lines" 2 but five entries: all listed, running on down the column.
  const Listing l = LayOut({Stage("A", 2, 4, 0), Stage("B", 27, 1, 0)});
  ASSERT_EQ(l.entries.size(), 7u);
  EXPECT_EQ(l.entries[4].row, 4);
  EXPECT_EQ(l.entries[5].column, 1);  // 27 + 6 > 30
  // A stage too tall for any column starts where it is, never leaving a column empty.
  const Listing tall = LayOut({Stage("T", 40, 2, 0)});
  EXPECT_EQ(tall.entries[0].column, 0);
}

TEST(CheatListing, ManyStagesAddColumnsInsteadOfRunningOffScreen) {
  std::vector<StageListing> stages;
  for (int i = 0; i < 7; ++i) stages.push_back(Stage("S", 26, 3, 0));  // one stage a column
  const Listing l = LayOut(stages);
  EXPECT_EQ(l.entries.back().column, 6);
  EXPECT_EQ(l.columns, 7);
  const ScreenRect screen(0, 0, 1024, 768);
  for (const Entry& e : l.entries) {
    const float x = ColumnCentreX(screen, e.column, l.columns);
    EXPECT_GT(x, 0.05f * 1024);
    EXPECT_LT(x, 0.95f * 1024);
  }
}

TEST(CheatListing, EntriesWithoutAFileAreLeftOutAndLabelsFallBack) {
  StageListing s;  // no name at all
  s.venues = {{std::nullopt, "No file"}, {"Yard.xml", std::nullopt}, {"", "Empty"}};
  s.differences = GameMapVenue{std::nullopt, "Diff without file"};
  s.puzzles = {{std::nullopt, std::nullopt, 94}, {"Safe", std::nullopt, 0}};
  const Listing l = LayOut({s});
  std::vector<std::string> labels;
  for (const Entry& e : l.entries) labels.push_back(e.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"Stage 0", "Yard.xml", "Puzzle 94", "Safe"}));
  EXPECT_EQ(l.entries[1].kind, Kind::kVenue);
  EXPECT_EQ(l.entries[1].classId, 43);
}

TEST(CheatListing, ClicksOpenTheirSceneOrTheStagesFirstVenue) {
  struct Case {
    Entry entry;
    std::optional<std::string> firstVenue;
    int classId;
    const char* file;
  } cases[] = {
      {{Kind::kVenue, 4, 43, "Hotel_Lobby.xml", ""}, "Shops_Street.xml", 43, "Hotel_Lobby.xml"},
      {{Kind::kPuzzle, 1, 26, "Puzzles\\J.xml", ""}, "Warehouse_Yard.xml", 26, "Puzzles\\J.xml"},
      {{Kind::kPuzzle, 1, 94, std::nullopt, ""}, "Warehouse_Yard.xml", 94, nullptr},  // puzzles without data
      {{Kind::kPuzzle, 1, 0, "X.xml", ""}, "Warehouse_Yard.xml", 43, "Warehouse_Yard.xml"},
      {{Kind::kStage, 2, 0, std::nullopt, ""}, "Shops_Street.xml", 43, "Shops_Street.xml"},
      {{Kind::kStage, 9, 0, std::nullopt, ""}, std::nullopt, 0, nullptr},
  };
  for (const Case& c : cases) {
    const Destination d = DestinationOf(c.entry, c.firstVenue);
    EXPECT_EQ(d.classId, c.classId) << c.entry.stage;
    EXPECT_EQ(d.file.value_or(""), c.file ? c.file : "") << c.entry.stage;
  }
  EXPECT_EQ(NormalColour(Kind::kStage), 0xFF800000u);
  EXPECT_EQ(NormalColour(Kind::kDifferences), 0xFF004000u);
  EXPECT_EQ(NormalColour(Kind::kPuzzle), 0xFF0000C0u);
}

class CheatScreen : public puzzletest::PuzzleTest {
 protected:
  CCheatEnvironment* Open() {
    auto* screen = static_cast<CCheatEnvironment*>(BuildCheatScreen(nullptr));
    Frame(now_ + 0.02f, 1, 1, false);
    return screen;
  }
  size_t EntryNamed(CCheatEnvironment* s, const std::string& label) {
    for (size_t i = 0; i < s->GetListing().entries.size(); ++i)
      if (s->GetListing().entries[i].label == label) return i;
    return size_t(-1);
  }
};

TEST_F(CheatScreen, ListsTheDemoStoryInTwoColumns) {
  CCheatEnvironment* s = Open();
  EXPECT_TRUE(ReturnToCheat());
  EXPECT_EQ(s->CountsPlayTime(), 0);
  const Listing& l = s->GetListing();
  // 4 stages, 16 venues, 1 differences scene, 13 puzzles.
  EXPECT_EQ(l.entries.size(), 34u);
  const Entry& lastStage = l.entries[EntryNamed(s, "The Car Barn")];
  EXPECT_EQ(lastStage.column, 1);
  EXPECT_EQ(lastStage.row, 0);
  const ScreenRect screen = s->GetScreenRect();
  const float r = RowHeight(screen);
  for (size_t i = 0; i < l.entries.size(); ++i) {
    CPushbutton* b = s->EntryButton(i);
    ASSERT_TRUE(b);
    const ScreenRect rect = b->GetScreenRect();
    EXPECT_NEAR(rect.Height(), r, 1e-3);
    EXPECT_GE(rect.left, screen.left);
    EXPECT_LE(rect.right, screen.right);
    EXPECT_EQ(b->GetNormalLabelColor(), NormalColour(l.entries[i].kind));
    EXPECT_EQ(b->GetHoveredLabelColor(), kHoveredColour);
    EXPECT_EQ(b->GetLabelText(), l.entries[i].label);  // no string-table entries: the names themselves
  }
  // Back and Help side by side under the centre, 2m apart.
  const ScreenRect back = s->GetBackButton()->GetScreenRect(), help = s->GetHelpButton()->GetScreenRect();
  EXPECT_NEAR(help.left - back.right, 2 * 0.033f * kH, 1e-3);
  EXPECT_NEAR(back.bottom, kH - 0.033f * kH, 1e-3);
}

TEST_F(CheatScreen, AClickSetsTheStageAndOpensTheEntry) {
  struct Case {
    const char* label;
    int stage, classId;
    const char* argument;
  } cases[] = {
      {"Torn photograph (jigsaw)", 1, 26, "Puzzles\\WarehouseJigsaw\\WarehouseJigsaw.xml"},
      {"Second exposure", 1, 43, "Warehouse_Differences.xml"},
      {"Meridian lobby", 2, 43, "Hotel_Lobby.xml"},
      {"Jewels", 3, 99, nullptr},
      {"The Car Barn", 3, 43, "TrolleyBarn_Yard.xml"},
  };
  for (const Case& c : cases) {
    AtStage(0);
    CCheatEnvironment* s = Open();
    const size_t i = EntryNamed(s, c.label);
    ASSERT_NE(i, size_t(-1)) << c.label;
    ClickCentre(s->EntryButton(i));
    EXPECT_EQ(GetStage(), c.stage) << c.label;
    CShutter* shutter = GetShutter();
    ASSERT_TRUE(shutter) << c.label;
    EXPECT_EQ(shutter->ClassId(), c.classId) << c.label;
    EXPECT_STREQ(shutter->Argument() ? shutter->Argument() : "", c.argument ? c.argument : "") << c.label;
    delete shutter;
    delete s;
  }
}

TEST_F(CheatScreen, WithoutAPlayerTheSceneStillOpens) {
  ClosePlayer();
  CCheatEnvironment* s = Open();
  ClickCentre(s->EntryButton(EntryNamed(s, "Meridian lobby")));
  ASSERT_TRUE(GetShutter());
  EXPECT_STREQ(GetShutter()->Argument(), "Hotel_Lobby.xml");
  // Only the screen's own entry buttons count.
  delete GetShutter();
  s->OnNotify(s->GetBackButton(), 1350);
  s->OnNotify(nullptr, 1350);
  EXPECT_FALSE(GetShutter());
}

TEST_F(CheatScreen, BackAndEscClearTheFlagAndGoToTheRealMainMenu) {
  CCheatEnvironment* s = Open();
  ASSERT_TRUE(ReturnToCheat());
  ClickCentre(s->GetBackButton());
  EXPECT_FALSE(ReturnToCheat());
  ASSERT_TRUE(GetShutter());
  EXPECT_EQ(GetShutter()->ClassId(), TypeId::kMainEnvironment);
  delete GetShutter();
  RegisterEnvironmentBuilder(TypeId::kCheatEnvironment, &BuildCheatScreen);
  s = Open();
  s->OnEscape();
  EXPECT_FALSE(ReturnToCheat());
  // While the flag is set, the main menu's class builds this screen.
  SetReturnToCheat(true);
  CEnvironment* built = BuildEnvironment(TypeId::kMainEnvironment, nullptr);
  ASSERT_TRUE(built);
  EXPECT_EQ(built->GetTypeId(), TypeId::kCheatEnvironment);
}

TEST_F(CheatScreen, HelpSlidesTheButtonsAwayUntilTheBookCloses) {
  CCheatEnvironment* s = Open();
  const ScreenRect back = s->GetBackButton()->GetScreenRect();
  s->OnNotify(s->GetHelpButton(), 1293);
  EXPECT_TRUE(s->ButtonsSlidOut());
  CHowToPlay* book = GetHowToPlay();
  ASSERT_TRUE(book);
  EXPECT_EQ(book->GetPage(), 1);
  s->OnNotify(s->GetHelpButton(), 1293);  // a second press opens nothing more
  RunUntil(now_ + 0.6f);
  EXPECT_GE(s->GetBackButton()->GetScreenRect().top, float(kH) - 1);
  s->OnNotify(book, kCodeBookClosed);
  EXPECT_FALSE(s->ButtonsSlidOut());
  RunUntil(now_ + 0.6f);
  EXPECT_NEAR(s->GetBackButton()->GetScreenRect().top, back.top, 0.5f);
}

}  // namespace
