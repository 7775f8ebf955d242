#include <gtest/gtest.h>

#include "player/player_fixture.h"

using ProfileTest = PlayerTest;

TEST_F(ProfileTest, NewPlayerFileHoldsDefaultsAndFlagsWrittenAsSignedWords) {
  GameState* s = SelectPlayer("Alice");
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(CurrentPlayerName(), "Alice");
  EXPECT_EQ(
      Read("Alice.xml"),
      ProfileText("Flags=\"1,0,0,0\" Stage=\"0\" CumulativeTime=\"0\" BestGameTime=\"0\" ClassID=\"0\""));

  EXPECT_FALSE(SetFlag(58));
  EXPECT_TRUE(SetFlag(58));
  SetFlag(31);
  AddTimePenalty(12.5f);
  AdvanceStage();
  SetLastVenue("Warehouse_Yard");
  EXPECT_EQ(SavePlayer(), 0);
  EXPECT_EQ(
      Read("Alice.xml"),
      ProfileText("Flags=\"-2147483647,67108864,0,0\" Stage=\"1\" CumulativeTime=\"12.5\" BestGameTime=\"0\" "
                  "ClassID=\"43\" LastKnownVenue=\"Warehouse_Yard\""));

  // Everything comes back on the next load; pending frame time was folded into the total.
  AddPlayTime(0.25f);
  ClosePlayer();
  EXPECT_EQ(CurrentPlayerName(), nullptr);
  s = SelectPlayer("Alice");
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(TestFlag(0) && TestFlag(31) && TestFlag(58));
  EXPECT_FALSE(TestFlag(1));
  EXPECT_EQ(GetStage(), 1);
  EXPECT_FLOAT_EQ(s->cumulativeTime, 12.75f);
  EXPECT_EQ(s->pendingTime, 0.0f);
  int classId = 0;
  EXPECT_EQ(GetLastVenue(&classId), "Warehouse_Yard");
  EXPECT_EQ(classId, 43);
}

TEST_F(ProfileTest, LoadingReadsWhatIsValidAndIgnoresADamagedFlagList) {
  auto load = [&](const std::string& attribs) {
    ResetPlayerModuleForTests();
    Write("P.xml", "<?xml version=\"1.0\"?><Player><PlayerAttribs " + attribs + "/></Player>");
    return SelectPlayer("P");
  };
  GameState* s =
      load("Flags=\"5,-1,7,8,9\" Stage=\"2\" ClassID=\"43\" CumulativeTime=\"99.5\" BestGameTime=\"1e3\"");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->flags.ToText(), "5,-1,7,8");
  EXPECT_EQ(s->stage, 2);
  EXPECT_FLOAT_EQ(s->cumulativeTime, 99.5f);
  EXPECT_FLOAT_EQ(s->bestGameTime, 1000.0f);
  EXPECT_FALSE(IsNewGame());

  EXPECT_EQ(load("Flags=\"6\"")->flags.ToText(), "6,0,0,0");  // the other words keep their defaults
  // A list that fails anywhere, including an item out of range, is ignored whole.
  for (const char* bad : {"Flags=\"2,x,3,4\"", "Flags=\"\"", "Flags=\"2,4294967296,3,4\"",
                          "Flags=\"2,0,0,-2147483649\"", "Flags=\"2,,3\""})
    EXPECT_EQ(load(bad)->flags.ToText(), "1,0,0,0") << bad;
  EXPECT_EQ(load("Flags=\"2,0,0,-2147483648\"")->flags.ToText(), "2,0,0,-2147483648");

  // Times the game cannot have written count as none; an empty venue is no venue.
  s = load("CumulativeTime=\"nan\" BestGameTime=\"-5\" LastKnownVenue=\"\" Stage=\"abc\"");
  EXPECT_EQ(s->cumulativeTime, 0.0f);
  EXPECT_EQ(s->bestGameTime, 0.0f);
  EXPECT_EQ(s->stage, 0);
  EXPECT_FALSE(GetLastVenue().has_value());
  EXPECT_TRUE(IsNewGame());

  // Without "PlayerAttribs" everything keeps its default, and other elements are kept.
  ResetPlayerModuleForTests();
  Write("Q.xml", "<Player><Venue1><ItemBoard UnfoundItems=\"3\"/></Venue1></Player>");
  s = SelectPlayer("q");
  EXPECT_EQ(s->flags.ToText(), "1,0,0,0");
  EXPECT_EQ(VenueUnfoundItems("venue1"), 3);
}

TEST_F(ProfileTest, ASecondRecordElementNeverHidesLaterSaves) {
  Write("Rae.xml", "<Player><PlayerAttribs Stage=\"1\"/><X/><PlayerAttribs Stage=\"7\"/></Player>");
  ASSERT_NE(SelectPlayer("Rae"), nullptr);
  EXPECT_EQ(GetStage(), 1);  // the first one counts
  AdvanceStage();
  ClosePlayer();
  std::string saved = Read("Rae.xml");
  EXPECT_EQ(saved.find("PlayerAttribs"), saved.rfind("PlayerAttribs"));
  SelectPlayer("Rae");
  EXPECT_EQ(GetStage(), 2);
}

TEST_F(ProfileTest, DamagedProfileIsKeptAsideBeforeTheFreshRecordIsSaved) {
  const std::string damaged = "<Player><PlayerAttribs Stage=\"3\"";
  Write("Carl.xml", damaged);
  GameState* s = SelectPlayer("Carl");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->stage, 0);
  EXPECT_EQ(Read("Carl.xml.bad"), damaged);
  EXPECT_EQ(
      Read("Carl.xml"),
      ProfileText("Flags=\"1,0,0,0\" Stage=\"0\" CumulativeTime=\"0\" BestGameTime=\"0\" ClassID=\"0\""));

  // A document without any element would lose every later save the same way.
  ResetPlayerModuleForTests();
  Write("Dora.xml", "<?xml version=\"1.0\"?><!-- nothing -->");
  ASSERT_NE(SelectPlayer("Dora"), nullptr);
  EXPECT_TRUE(Exists("Dora.xml.bad"));
  EXPECT_NE(Read("Dora.xml").find("<PlayerAttribs"), std::string::npos);
}

TEST_F(ProfileTest, ReselectingInAnotherCaseKeepsTheRecordWithoutReloadOrSave) {
  GameState* s = SelectPlayer("Bob");
  SetFlag(7);
  Write("Bob.xml", "sentinel");
  EXPECT_EQ(SelectPlayer("bOB"), s);
  EXPECT_TRUE(TestFlag(7));
  EXPECT_EQ(Read("Bob.xml"), "sentinel");

  // Another player closes (and saves) the current one first.
  GameState* other = SelectPlayer("Eve");
  ASSERT_NE(other, nullptr);
  EXPECT_STREQ(CurrentPlayerName(), "Eve");
  EXPECT_NE(Read("Bob.xml").find("Flags=\"129,0,0,0\""), std::string::npos);
}

TEST_F(ProfileTest, ProfilesAreFoundWhateverTheCaseOnDisk) {
  Write("bob.xml", ProfileText("Flags=\"1,0,0,0\" Stage=\"2\""));
  GameState* s = SelectPlayer("Bob");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->stage, 2);
  EXPECT_STREQ(CurrentPlayerName(), "bob");  // the name as it is on disk
  AdvanceStage();
  ClosePlayer();
  EXPECT_FALSE(Exists("Bob.xml"));  // one file per player
  EXPECT_NE(Read("bob.xml").find("Stage=\"3\""), std::string::npos);
  EXPECT_EQ(ListPlayers(), std::vector<std::string>{"bob"});

  EXPECT_TRUE(DeletePlayer("BOB"));
  EXPECT_FALSE(Exists("bob.xml"));
  EXPECT_FALSE(DeletePlayer("BOB"));
}

TEST_F(ProfileTest, DeletingTheCurrentPlayerSavesItFirstAndLeavesNoPlayer) {
  SelectPlayer("Fay");
  std::filesystem::remove(PathOf("Fay.xml"));
  Write("Gus.xml", ProfileText("Stage=\"1\""));
  // The close saves the file again, and the delete removes what the save wrote.
  EXPECT_TRUE(DeletePlayer("FAY"));
  EXPECT_EQ(CurrentPlayerName(), nullptr);
  EXPECT_FALSE(Exists("Fay.xml"));
  EXPECT_FALSE(TestFlag(0));

  // Any other player may be deleted while one is current.
  SelectPlayer("Hal");
  EXPECT_TRUE(DeletePlayer("gus"));
  EXPECT_STREQ(CurrentPlayerName(), "Hal");
  EXPECT_FALSE(Exists("Gus.xml"));
}

TEST_F(ProfileTest, HostileNamesTouchNothingOutsideThePlayersFolder) {
  // A file beside the players folder that "../x" would reach.
  std::string outside = std::filesystem::path(folder_).parent_path().string() + "/x.xml";
  std::ofstream(outside) << "<Player/>";
  SelectPlayer("Ivy");
  size_t files = FileCount();

  for (const char* name :
       {"../x", "a/b", "", "   ", "1234567890123456", "B\xe9la", "..", "/tmp/x", "Ivy\n"}) {
    EXPECT_EQ(SelectPlayer(name), nullptr) << name;
    EXPECT_FALSE(DeletePlayer(name)) << name;
  }
  EXPECT_EQ(SelectPlayer(nullptr), nullptr);
  EXPECT_FALSE(DeletePlayer(nullptr));
  EXPECT_STREQ(CurrentPlayerName(), "Ivy");  // the current player stays
  EXPECT_EQ(FileCount(), files);
  EXPECT_TRUE(std::filesystem::exists(outside));
}

TEST_F(ProfileTest, NoPlayerMeansEveryOperationDoesNothing) {
  EXPECT_EQ(CurrentPlayerName(), nullptr);
  EXPECT_FALSE(SetFlag(3));
  EXPECT_FALSE(TestFlag(0));
  ClearFlag(0);
  EXPECT_EQ(AdvanceStage(), 0);
  EXPECT_EQ(GetStage(), 0);
  EXPECT_TRUE(IsNewGame());
  AddPlayTime(5.0f);
  AddTimePenalty(5.0f);
  CompleteGame();
  EXPECT_FALSE(TakeGameCompleteNotice());
  SetLastVenue("X");
  int classId = 7;
  EXPECT_FALSE(GetLastVenue(&classId).has_value());
  EXPECT_EQ(classId, 0);
  XmlNode root = 5;
  EXPECT_EQ(ProfileDocument(&root), nullptr);
  EXPECT_EQ(root, kNoNode);
  EXPECT_EQ(FindProfileElement("X"), kNoNode);
  EXPECT_EQ(VenueUnfoundItems("X"), -1);
  RemoveProfileElement("X");
  RemoveSavedInventoryItem(1);
  ResetPlayer();
  ClosePlayer();
  EXPECT_EQ(SavePlayer(), 0);
  EXPECT_EQ(FileCount(), 0u);
}

TEST_F(ProfileTest, SaveReportsAFailedWriteAndMakesAMissingFolderAgain) {
  SelectPlayer("Jo");
  std::filesystem::remove_all(folder_);
  EXPECT_EQ(SavePlayer(), 0);
  EXPECT_TRUE(Exists("Jo.xml"));

  // A folder where the file should be cannot be replaced by a file.
  std::filesystem::remove(PathOf("Jo.xml"));
  std::filesystem::create_directories(PathOf("Jo.xml/inner"));
  EXPECT_EQ(SavePlayer(), -1);
  EXPECT_TRUE(std::filesystem::is_directory(PathOf("Jo.xml/inner")));
}
