// The main menu on the null device: the first start's name editor, the recent player, the bar and
// the welcome block sliding with the dialogs, the player list, the play and mode dialogs, the times
// list, the picture book, the link icon, the exit question and the Cheat button.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "flow/best_time_dialog.h"
#include "flow/environment_factory.h"
#include "flow/mode_dialog.h"
#include "flow/play_dialog.h"
#include "flow/player_editbox.h"
#include "flow/player_listbox.h"
#include "flow/portal_link.h"
#include "flow/shutter.h"
#include "menu/menu_fixture.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "scene/input.h"
#include "ui/dialog_layouts.h"
#include "ui/edit_control.h"
#include "ui/how_to_play.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"

namespace menutest {
namespace {

void Type(CEditControl* edit, const std::string& text) {
  for (int i = 0; i < 20; ++i) edit->OnKey(kEditKeyBackspace);
  for (char c : text) edit->OnKey(int(static_cast<unsigned char>(c)));
}

CMessageBox* OpenBox() {
  CDialogBackground* top = GetOpenDialog();
  return top && top->GetTypeId() == TypeId::kMessageBox ? static_cast<CMessageBox*>(top) : nullptr;
}

bool OnScreen(CSprite* s) {
  const ScreenRect r = s->GetScreenRect();
  return s->GetEffectiveOpacity() > 0 && r.right > 0 && r.left < 800 && r.bottom > 0 && r.top < 600;
}

TEST_F(MenuTest, FirstStartAsksForANameWithoutCancelAndTheMenuSlidesInAfterOk) {
  CMainEnvironment* menu = BuildMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(host.titles, std::vector<std::string>{"Vardell"});
  CPlayerEditbox* editor = GetPlayerEditbox();
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->CanCancel());
  EXPECT_EQ(editor->GetButton(1203), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 1);
  Frame();
  EXPECT_FALSE(OnScreen(menu->GetButtonBar()));  // hidden at once, no slide
  EXPECT_FALSE(OnScreen(menu->GetWelcomeBlock()));
  Settle();
  // Esc does nothing, and names that trim to nothing are refused.
  EscapeOpenDialog();
  for (const char* refused : {"", "    "}) {
    Type(editor->GetEditControl(), refused);
    EXPECT_FALSE(editor->Accept());
  }
  EXPECT_EQ(GetPlayerEditbox(), editor);
  EXPECT_EQ(CurrentPlayerName(), nullptr);
  Type(editor->GetEditControl(), "  Holmes ");
  Click(editor->GetButton(kCmdOk));
  ASSERT_NE(CurrentPlayerName(), nullptr);
  EXPECT_STREQ(CurrentPlayerName(), "Holmes");
  EXPECT_TRUE(os::FileExists(os::JoinPath(PlayersFolder(), "Holmes.xml")));
  EXPECT_EQ(menu->WelcomeText(), "Welcome, Detective Holmes!");
  EXPECT_EQ(menu->Slides().Open(), 0);
  Settle();
  EXPECT_TRUE(OnScreen(menu->GetButtonBar()));
  EXPECT_TRUE(OnScreen(menu->GetWelcomeBlock()));
  EXPECT_FALSE(IsDialogOpen());
}

TEST_F(MenuTest, TheRecentPlayerComesBackAndAStoredNameThatIsNoPlayerAsksAgain) {
  SetSettingString("Players", "Recent Player", "Watson");
  CMainEnvironment* menu = BuildMenu();
  EXPECT_STREQ(CurrentPlayerName(), "Watson");
  EXPECT_EQ(GetPlayerEditbox(), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 0);
  EXPECT_EQ(menu->WelcomeText(), "Welcome, Detective Watson!");
  DestroyAllObjects();
  ResetPlayerModuleForTests();
  SetSettingString("Players", "Recent Player", "../etc");
  BuildMenu();
  EXPECT_EQ(CurrentPlayerName(), nullptr);
  EXPECT_NE(GetPlayerEditbox(), nullptr);
}

TEST_F(MenuTest, PlayOpensTheModeDialogForANewGameAndOkStartsAtStageZeroInTheChosenMode) {
  SelectPlayer("Ann");
  SetFlag(7);  // flags alone do not make a game in progress
  CMainEnvironment* menu = BuildMenu();
  EXPECT_EQ(menu->GetPlayButton()->GetTooltipKey().value_or(""), "StartNewGameTooltip");
  Click(menu->GetPlayButton());
  CModeDialog* mode = GetModeDialog();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(GetPlayDialog(), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 1);
  Settle();
  // The left half (the chosen card) is dead; the right half swaps to the rookie.
  const ScreenRect pic = mode->GetPicture(false)->GetScreenRect();
  const int y = int(pic.CenterY());
  Frame(int(pic.left + 0.25f * pic.Width()), y, false);
  Frame(int(pic.left + 0.25f * pic.Width()), y, true);
  EXPECT_FALSE(mode->RookieChosen());
  Frame(int(pic.left + 0.75f * pic.Width()), y, false);
  Frame(int(pic.left + 0.75f * pic.Width()), y, true);
  Frame(int(pic.left + 0.75f * pic.Width()), y, false);
  EXPECT_TRUE(mode->RookieChosen());
  EXPECT_TRUE(mode->GetPicture(false)->IsHidden());
  Click(mode->GetOkButton());
  EXPECT_TRUE(TestFlag(kRookieModeFlag));
  EXPECT_EQ(ShutterTarget(), "43 Alpha_Start.xml");
  EXPECT_EQ(menu->Slides().Open(), 0);  // balanced: a fade back would find the menu shown
}

TEST_F(MenuTest, AGameInProgressOffersContinueOrStartOver) {
  SelectPlayer("Ann");
  SetStage(1);
  SetLastVenue("Beta_Yard");
  CMainEnvironment* menu = BuildMenu();
  EXPECT_EQ(menu->GetPlayButton()->GetTooltipKey().value_or(""), "ContinueSavedGameTooltip");
  Click(menu->GetPlayButton());
  CPlayDialog* play = GetPlayDialog();
  ASSERT_NE(play, nullptr);
  Settle();
  Click(play->GetButton(kCmdContinueSavedGame));
  EXPECT_EQ(ShutterTarget(), "43 Beta_Yard.xml");
  EXPECT_EQ(menu->Slides().Open(), 0);
  DestroyAllObjects();

  // Start over: the progress goes and the mode is asked; Esc there brings the menu back.
  menu = BuildMenu();
  Click(menu->GetPlayButton());
  Settle();
  Click(GetPlayDialog()->GetButton(kCmdStartNewGame));
  EXPECT_EQ(GetStage(), 0);
  EXPECT_TRUE(IsNewGame());
  ASSERT_NE(GetModeDialog(), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 1);
  Settle();
  EscapeOpenDialog();
  EXPECT_EQ(menu->Slides().Open(), 0);
  EXPECT_EQ(GetShutter(), nullptr);
}

TEST_F(MenuTest, ContinueWithoutASavedVenueStartsTheCurrentStage) {
  SelectPlayer("Ann");
  SetStage(2);
  CMainEnvironment* menu = BuildMenu();
  menu->OnNotify(nullptr, kCmdContinueSavedGame);
  EXPECT_EQ(ShutterTarget(), "43 Gamma_Yard.xml");
}

TEST_F(MenuTest, PlayerListSelectsIgnoringCaseDeletesWithConfirmationAndKeepsTheLastPlayer) {
  for (const char* name : {"Alder", "Birch", "Cedar"}) WriteProfile(name, 0, 0, 0);
  SelectPlayer("birch");  // any case finds the profile
  EXPECT_STREQ(CurrentPlayerName(), "Birch");
  CMainEnvironment* menu = BuildMenu();
  Click(static_cast<CSprite*>(menu->GetWelcomeBlock()->FindChildById(kCmdChangePlayer)));
  CPlayerListbox* list = GetPlayerListbox();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Names().size(), 3u);
  ASSERT_NE(HighlightedPlayerName(), nullptr);
  EXPECT_EQ(HighlightedPlayerName()->GetText(), "Birch");
  Settle();

  // Yes deletes the highlighted name; the names below move up and the first becomes current.
  Click(list->Names()[2]);
  EXPECT_EQ(HighlightedPlayerName()->GetText(), "Cedar");
  const float cedarRow = list->Names()[1]->GetScreenRect().CenterY();
  Click(list->GetButton(kCmdDeletePlayer));
  ASSERT_NE(OpenBox(), nullptr);
  EXPECT_TRUE(list->IsAskingToDelete());
  Settle();
  Click(static_cast<CSprite*>(OpenBox()->FindChildById(kCmdYes)));
  EXPECT_FALSE(os::FileExists(os::JoinPath(PlayersFolder(), "Cedar.xml")));
  ASSERT_EQ(list->Names().size(), 2u);
  EXPECT_STREQ(CurrentPlayerName(), "Alder");
  EXPECT_EQ(HighlightedPlayerName()->GetText(), "Alder");
  Settle();
  EXPECT_NEAR(list->Names()[1]->GetScreenRect().CenterY(), cedarRow, 0.5f);  // back in place

  // No answers Yes to nothing; with one name left Delete only explains.
  Click(list->GetButton(kCmdDeletePlayer));
  Settle();
  Click(static_cast<CSprite*>(OpenBox()->FindChildById(kCmdNo)));
  Settle();
  EXPECT_EQ(ListPlayers().size(), 2u);
  DeletePlayer("Birch");
  DestroyAllObjects();
  menu = BuildMenu();
  menu->OnNotify(nullptr, kCmdChangePlayer);
  list = GetPlayerListbox();
  Settle();
  Click(list->GetButton(kCmdDeletePlayer));
  ASSERT_NE(OpenBox(), nullptr);
  EXPECT_FALSE(list->IsAskingToDelete());
  Settle();
  Click(static_cast<CSprite*>(OpenBox()->FindChildById(kCmdOk)));
  Settle();
  EXPECT_EQ(ListPlayers(), std::vector<std::string>{"Alder"});
  EXPECT_NE(GetPlayerListbox(), nullptr);
}

TEST_F(MenuTest, SelectAndDeleteWithoutAHighlightDoNothing) {
  WriteProfile("Alder", 0, 0, 0);
  WriteProfile("Birch", 0, 0, 0);
  SelectPlayer("Zed");  // not in the list until saved
  ClosePlayer();
  DeletePlayer("Zed");
  SelectPlayer("Alder");
  CMainEnvironment* menu = BuildMenu();
  menu->OnNotify(nullptr, kCmdChangePlayer);
  CPlayerListbox* list = GetPlayerListbox();
  Settle();
  HighlightedPlayerName()->SetColor(0xFFFFFFFF);
  delete list->Names()[0];  // the highlighted entry goes: nothing is highlighted now
  ASSERT_EQ(HighlightedPlayerName(), nullptr);
  Click(list->GetButton(kCmdSelectPlayer));
  Click(list->GetButton(kCmdDeletePlayer));
  EXPECT_EQ(GetPlayerListbox(), list);
  EXPECT_EQ(OpenBox(), nullptr);
  EXPECT_EQ(ListPlayers().size(), 2u);
  EXPECT_STREQ(CurrentPlayerName(), "Alder");
}

TEST_F(MenuTest, SelectSwitchesPlayersAndAddOpensTheEditorBeforeTheListCloses) {
  WriteProfile("Alder", 0, 0, 0);
  WriteProfile("Birch", 300, 0, 1);
  SelectPlayer("Alder");
  CMainEnvironment* menu = BuildMenu();
  menu->OnNotify(nullptr, kCmdChangePlayer);
  Settle();
  Click(GetPlayerListbox()->Names()[1]);
  Click(GetPlayerListbox()->GetButton(kCmdSelectPlayer));
  EXPECT_STREQ(CurrentPlayerName(), "Birch");
  EXPECT_EQ(menu->WelcomeText(), "Welcome, Detective Birch!");
  // The welcome's rebuild refreshes the Play button's promise for the new player.
  EXPECT_EQ(menu->GetPlayButton()->GetTooltipKey().value_or(""), "ContinueSavedGameTooltip");
  EXPECT_EQ(menu->Slides().Open(), 0);
  Settle();

  menu->OnNotify(nullptr, kCmdChangePlayer);
  Settle();
  Click(GetPlayerListbox()->GetButton(kCmdAddPlayer));
  CPlayerEditbox* editor = GetPlayerEditbox();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->CanCancel());
  EXPECT_EQ(GetPlayerListbox(), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 1);  // still hidden under the editor
  Settle();
  EXPECT_FALSE(OnScreen(menu->GetWelcomeBlock()));
  EscapeOpenDialog();  // Cancel
  EXPECT_EQ(menu->Slides().Open(), 0);
  EXPECT_STREQ(CurrentPlayerName(), "Birch");
  Settle();
  EXPECT_TRUE(OnScreen(menu->GetWelcomeBlock()));
}

TEST_F(MenuTest, TheTimesListReadsEveryProfileAndOpensByItselfAfterAFinishedGame) {
  WriteProfile("Fast", 0, 500, 0);
  WriteProfile("Slow", 9000, 0, 1);
  WriteProfile("Broken", 0, 0, 0);
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(PlayersFolder(), "Broken.xml"), std::string("<Player")));
  SelectPlayer("Fresh");
  CompleteGame();  // a finished game without time: best time stays 0, the notice is raised
  CMainEnvironment* menu = BuildMenu();
  EXPECT_EQ(GetBestTimeDialog(), nullptr);
  menu->OnNotify(nullptr, kCodeTransitionDone);
  CBestTimeDialog* times = GetBestTimeDialog();
  ASSERT_NE(times, nullptr);
  EXPECT_EQ(times->RowTexts(0), (std::vector<std::string>{"Name", "Chapter", "Time"}));
  EXPECT_EQ(times->RowTexts(1), (std::vector<std::string>{"Fresh", "The Parcel", "00:00:00"}));
  EXPECT_EQ(times->RowTexts(2), (std::vector<std::string>{"Fast", "Case closed", "00:08:20"}));
  EXPECT_EQ(times->RowTexts(3), (std::vector<std::string>{"Slow", "Dock Four", "02:30:00"}));
  EXPECT_EQ(times->Entries().size(), 3u);  // the unreadable profile is skipped
  EXPECT_EQ(menu->Slides().Open(), 1);
  menu->OnNotify(nullptr, kCodeTransitionDone);  // the notice is taken once
  Settle();
  EscapeOpenDialog();
  EXPECT_EQ(menu->Slides().Open(), 0);
}

TEST_F(MenuTest, TheCreditsTurnBetweenTheirTwoPagesAndClose) {
  SelectPlayer("Ann");
  CMainEnvironment* menu = BuildMenu();
  Click(menu->GetBarButton(kCmdCredits));
  CHowToPlay* book = GetHowToPlay();
  ASSERT_NE(book, nullptr);
  Settle();
  EXPECT_EQ(book->GetPage(), 2);
  EXPECT_TRUE(book->GetButton(kCmdBookBack)->IsHidden());
  EXPECT_FALSE(book->GetButton(kCmdBookNext)->IsHidden());
  EXPECT_EQ(book->GetButton(kCmdBookClose)->GetLabelText(), "Close");
  Click(book->GetButton(kCmdBookNext));
  EXPECT_EQ(book->GetPage(), 3);
  EXPECT_EQ(book->Pages().size(), 2u);  // the new page fades in over the old one
  EXPECT_STREQ(GetTextureName(book->Pages().back()->GetTexture()), "HowToPlay\\Page 3.jpg");
  Settle();
  EXPECT_EQ(book->Pages().size(), 1u);
  EXPECT_TRUE(book->GetButton(kCmdBookNext)->IsHidden());
  EXPECT_FALSE(book->TurnTo(4));
  Click(book->GetButton(kCmdBookBack));
  EXPECT_EQ(book->GetPage(), 2);
  Settle();
  Click(book->GetButton(kCmdBookClose));
  EXPECT_EQ(GetHowToPlay(), nullptr);
  EXPECT_EQ(menu->Slides().Open(), 0);
}

TEST_F(MenuTest, EscAsksToQuitAndYesAsksTheShell) {
  SelectPlayer("Ann");
  CMainEnvironment* menu = BuildMenu();
  EXPECT_EQ(EscapeCurrentEnvironment(), 1);
  menu->OnNotify(nullptr, kCmdMenuExit);  // a second question is never stacked
  EXPECT_EQ(CountDialogs(), 1);
  EXPECT_EQ(menu->Slides().Open(), 1);
  Settle();
  Click(static_cast<CSprite*>(OpenBox()->FindChildById(kCmdNo)));
  EXPECT_EQ(host.quits, 0);
  EXPECT_EQ(menu->Slides().Open(), 0);
  Settle();
  Click(menu->GetBarButton(kCmdMenuExit));
  Settle();
  Click(static_cast<CSprite*>(OpenBox()->FindChildById(kCmdYes)));
  EXPECT_EQ(host.quits, 1);
}

TEST_F(MenuTest, TheCheatButtonShowsOnlyInCheatModeAndWaitsForTheSlides) {
  SelectPlayer("Ann");
  SetStage(2);
  CMainEnvironment* menu = BuildMenu();
  EXPECT_EQ(menu->GetCheatButton(), nullptr);
  DestroyAllObjects();
  host.cheat = true;
  menu = BuildMenu();
  ASSERT_NE(menu->GetCheatButton(), nullptr);
  SetReturnToCheat(true);
  menu->OnNotify(nullptr, kCmdCheat);
  EXPECT_EQ(GetShutter(), nullptr);
  SetReturnToCheat(false);
  menu->OnNotify(nullptr, kCmdTimes);
  EscapeOpenDialog();  // the menu is sliding back in
  menu->OnNotify(nullptr, kCmdCheat);
  EXPECT_EQ(GetShutter(), nullptr);
  Settle();
  Settle();
  menu->OnNotify(nullptr, kCmdCheat);
  EXPECT_EQ(ShutterTarget(), "5");
  EXPECT_EQ(GetStage(), 0);  // the developer screen starts from a fresh game
}

TEST_F(MenuTest, TheLinkIconOpensOnlyAUsableLink) {
  const std::string portal = os::JoinPath(os::DataRoot(), "Portal.xml");
  const std::string icon = os::JoinPath(os::DataRoot(), "PortalIcon.png");
  ASSERT_TRUE(os::WriteFileAtomic(
      icon, std::string("\x89PNG\r\n\x1a\n", 8)));  // unreadable as a picture: the icon still answers
  std::vector<std::string> opened;
  os::SetUrlHook([&](const std::string& url) {
    opened.push_back(url);
    return true;
  });
  SelectPlayer("Ann");
  const std::pair<const char*, bool> links[] = {{"https://example.org/more", true},
                                                {"javascript:alert(1)", false}};
  for (auto [url, opens] : links) {
    ASSERT_TRUE(os::WriteFileAtomic(portal, std::string("<Portal URL=\"") + url +
                                                "\"><Icon Left=\"0.8\" Top=\"0.85\" Right=\"0.95\" "
                                                "Bottom=\"0.98\"/></Portal>"));
    LoadPortalDescription();
    BuildMenu();
    CSprite* link = static_cast<CSprite*>(CurrentScene()->FindChild(TypeId::kPortalIcon));
    ASSERT_NE(link, nullptr);
    Click(link);
    EXPECT_EQ(opened.size(), opens ? 1u : 0u) << url;
    opened.clear();
    DestroyAllObjects();
  }
  os::RemoveFile(portal);
  os::RemoveFile(icon);
  FreePortalDescription();
}

}  // namespace
}  // namespace menutest
