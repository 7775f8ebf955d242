#include <gtest/gtest.h>

#include <limits>

#include "player/player_fixture.h"

using ProgressTest = PlayerTest;

TEST_F(ProgressTest, PlayTimeCarriesWholeSecondsAndPenaltiesAddAtOnce) {
  GameState* s = SelectPlayer("Time");
  AddPlayTime(0.7f);
  EXPECT_EQ(s->cumulativeTime, 0.0f);
  AddPlayTime(0.5f);
  EXPECT_EQ(s->cumulativeTime, 1.0f);
  EXPECT_NEAR(s->pendingTime, 0.2f, 1e-6f);

  AddPlayTime(2.9f);  // a long frame moves all its whole seconds
  EXPECT_EQ(s->cumulativeTime, 4.0f);
  EXPECT_NEAR(s->pendingTime, 0.1f, 1e-5f);

  // Nothing a broken clock could hand over disturbs the total.
  for (float bad :
       {-1.0f, 0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    AddPlayTime(bad);
  EXPECT_EQ(s->cumulativeTime, 4.0f);
  EXPECT_NEAR(s->pendingTime, 0.1f, 1e-5f);

  AddTimePenalty(30.0f);
  EXPECT_EQ(s->cumulativeTime, 34.0f);
  AddTimePenalty(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(s->cumulativeTime, 34.0f);
}

TEST_F(ProgressTest, NewGameTransitionsAndResetKeepsOnlyTipsAndBestTime) {
  GameState* s = SelectPlayer("Kim");
  EXPECT_TRUE(IsNewGame());
  AdvanceStage();
  EXPECT_FALSE(IsNewGame());
  SetStage(0);
  EXPECT_TRUE(IsNewGame());
  SetLastVenue("Headquarters_Office");
  EXPECT_FALSE(IsNewGame());

  ClearFlag(0);
  SetFlag(58);
  s->bestGameTime = 500.0f;
  AddTimePenalty(70.0f);
  XmlDocument* doc = nullptr;
  XmlNode root = kNoNode;
  doc = ProfileDocument(&root);
  doc->ReleaseNode(doc->CreateElement(root, "Headquarters_Office"));
  doc->ReleaseNode(root);

  ResetPlayer();
  EXPECT_TRUE(IsNewGame());
  EXPECT_FALSE(TestFlag(0));  // the tips choice survives, cleared as it was
  EXPECT_FALSE(TestFlag(58));
  EXPECT_EQ(s->bestGameTime, 500.0f);
  EXPECT_EQ(s->cumulativeTime, 0.0f);
  EXPECT_FALSE(GetLastVenue().has_value());
  EXPECT_EQ(FindProfileElement("Headquarters_Office"), kNoNode);
  EXPECT_EQ(
      Read("Kim.xml"),
      ProfileText("Flags=\"0,0,0,0\" Stage=\"0\" CumulativeTime=\"0\" BestGameTime=\"500\" ClassID=\"0\""));
  EXPECT_STREQ(CurrentPlayerName(), "Kim");
}

TEST_F(ProgressTest, CompletingTheGameKeepsTheBestTimeAndRaisesTheNoticeOnce) {
  GameState* s = SelectPlayer("Lee");
  s->cumulativeTime = 3600.0f;
  s->pendingTime = 0.9f;  // not counted
  s->bestGameTime = 4000.0f;
  AdvanceStage();
  SetFlag(9);
  CompleteGame();
  EXPECT_EQ(s->bestGameTime, 3600.0f);
  EXPECT_EQ(s->cumulativeTime, 0.0f);
  EXPECT_EQ(s->pendingTime, 0.0f);
  EXPECT_TRUE(IsNewGame());
  EXPECT_FALSE(TestFlag(9));
  EXPECT_TRUE(TestFlag(0));
  EXPECT_NE(Read("Lee.xml").find("BestGameTime=\"3600\""), std::string::npos);
  EXPECT_TRUE(TakeGameCompleteNotice());
  EXPECT_FALSE(TakeGameCompleteNotice());

  // A slower game keeps the old best; the first completed game sets it.
  s->cumulativeTime = 5000.0f;
  CompleteGame();
  EXPECT_EQ(s->bestGameTime, 3600.0f);
  s->bestGameTime = 0.0f;
  s->cumulativeTime = 4321.0f;
  CompleteGame();
  EXPECT_EQ(s->bestGameTime, 4321.0f);
}

TEST_F(ProgressTest, StageArithmeticNeverOverflows) {
  SelectPlayer("Max");
  EXPECT_EQ(AdvanceStage(), 1);
  EXPECT_EQ(AdvanceStage(), 2);
  SetStage(INT32_MAX);
  EXPECT_EQ(AdvanceStage(), INT32_MAX);
}

TEST_F(ProgressTest, ProfileElementsServeAsTheSaveAreaOfVenuesAndTheInventory) {
  Write("Ned.xml",
        "<Player><!-- c --><Shops_Street><ItemBoard ItemSlots=\"6\" UnfoundItems=\"4\"/></Shops_Street>"
        "<Hotel_Lobby/><Warehouse_Yard><ItemBoard/></Warehouse_Yard>"
        "<InventoryBoard><Item Class=\"13\" Slot=\"0\"/>text<Item Slot=\"1\"/><Item Class=\"15\" Slot=\"2\"/>"
        "<Item Class=\"13\" Slot=\"3\"/></InventoryBoard></Player>");
  ASSERT_NE(SelectPlayer("Ned"), nullptr);
  EXPECT_EQ(VenueUnfoundItems("SHOPS_STREET"), 4);
  EXPECT_EQ(VenueUnfoundItems("Hotel_Lobby"), -1);     // no item board
  EXPECT_EQ(VenueUnfoundItems("Warehouse_Yard"), -1);  // no count
  EXPECT_EQ(VenueUnfoundItems("Nowhere"), -1);
  EXPECT_EQ(VenueUnfoundItems(nullptr), -1);
  EXPECT_EQ(FindProfileElement("#comment"), kNoNode);

  XmlDocument* doc = nullptr;
  XmlNode lobby = FindProfileElement("hotel_lobby", &doc);
  ASSERT_NE(lobby, kNoNode);
  ASSERT_NE(doc, nullptr);
  doc->ReleaseNode(lobby);
  RemoveProfileElement("Hotel_Lobby");
  EXPECT_EQ(FindProfileElement("Hotel_Lobby"), kNoNode);

  RemoveSavedInventoryItem(13);  // only the first of its class
  RemoveSavedInventoryItem(99);
  VenueUnfoundItems("Shops_Street");
  EXPECT_EQ(doc->LiveHandleCount(), 0u);  // every handle given out internally came back
  ClosePlayer();
  std::string saved = Read("Ned.xml");
  EXPECT_EQ(saved.find("Slot=\"0\""), std::string::npos);
  for (const char* kept : {"Slot=\"1\"", "Slot=\"2\"", "Slot=\"3\"", "<!-- c -->", "<Shops_Street>"})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  // The record's element is always the root's last child.
  EXPECT_LT(saved.find("</InventoryBoard>"), saved.find("<PlayerAttribs"));
}
