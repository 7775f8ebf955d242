// How dialogs open, stack, take Esc and close: the in-game menu, message boxes and their
// notifications, the options opened from the menu and the menu's rebuild, the clock while each
// is built, and device failures.
#include <gtest/gtest.h>

#include "core/frame_timer.h"
#include "dialogs_fixture.h"
#include "platform/os/host.h"
#include "ui/game_dialog.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"

namespace dialogstest {
namespace {

using Codes = std::vector<int>;

// Records whether the clock stood still when a dialog was attached to it.
class ClockWatcher : public Listener {
 public:
  void OnChildChanged(CGameObject*, int attached) override {
    if (attached) pausedAtAttach.push_back(IsClockPaused());
  }
  std::vector<bool> pausedAtAttach;
};

TEST_F(DialogsTest, OpeningTheMenuTwiceGivesTheSameMenuUntilItCloses) {
  CGameDialog* menu = OpenGameDialog(scene, 7);
  EXPECT_EQ(OpenGameDialog(scene, 7), menu);
  EXPECT_EQ(GetOpenDialog(), menu);
  EXPECT_EQ(menu->GetTypeId(), TypeId::kGameDialog);
  menu->Close(0);
  // One on its way out is not reopened: the player gets a fresh menu.
  CGameDialog* second = OpenGameDialog(scene, 7);
  EXPECT_NE(second, menu);
  EXPECT_EQ(GetGameDialog(), second);
  EXPECT_EQ(CountDialogs(), 2);
  RunUntil(world.Now() + 0.6f);
  EXPECT_EQ(CountDialogs(), 1);
  EXPECT_EQ(GetGameDialog(), second);
}

TEST_F(DialogsTest, EveryOpenerStopsTheClockWhileItBuilds) {
  FrameTimer clock;
  auto* watcher = new ClockWatcher();
  watcher->Attach(scene, 0);
  OpenGameDialog(watcher, 7);
  new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, watcher, kBoxOk);
  OpenOptionsDialog(watcher, watcher);
  // Each dialog and each weak reference to its owner attached while the clock stood still.
  EXPECT_GE(watcher->pausedAtAttach.size(), 3u);
  for (bool paused : watcher->pausedAtAttach) EXPECT_TRUE(paused);
  EXPECT_FALSE(IsClockPaused());
}

TEST_F(DialogsTest, EscClosesOnlyTheTopDialogAndSkipsDialogsOnTheirWayOut) {
  CGameDialog* menu = OpenGameDialog(scene, 7);
  auto* box = new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, scene, kBoxYesNo);
  EXPECT_EQ(GetOpenDialog(), box);
  EXPECT_EQ(GetBottomDialog(), menu);
  Settle();
  EXPECT_EQ(EscapeOpenDialog(), 1);
  EXPECT_TRUE(box->IsClosing());
  EXPECT_FALSE(menu->IsClosing());
  EXPECT_EQ(scene->codes, Codes{kCodeBoxDismissed});
  // The box is still popping out: the next Esc goes past it to the menu.
  EXPECT_EQ(GetOpenDialog(), box);
  EXPECT_EQ(EscapeOpenDialog(), 1);
  EXPECT_TRUE(menu->IsClosing());
  EXPECT_EQ(scene->codes, (Codes{kCodeBoxDismissed, kCodeMenuDismissed}));
  // Everything is on its way out: Esc is spent on the dialogs and reaches nothing else.
  EXPECT_EQ(EscapeOpenDialog(), 1);
  EXPECT_TRUE(IsDialogOpen());
  EXPECT_EQ(scene->codes.size(), 2u);
  RunUntil(world.Now() + 0.6f);
  EXPECT_FALSE(IsDialogOpen());
  EXPECT_EQ(GetOpenDialog(), nullptr);
  EXPECT_EQ(EscapeOpenDialog(), 0);
}

TEST_F(DialogsTest, ButtonCodeComesFirstThenTheCloseCodeOnce) {
  struct Case {
    int kind;
    int id;     // the box's id (0: none)
    int press;  // the button clicked
    Codes heard;
  };
  const Case cases[] = {
      {kBoxYesNo, 1237, kCmdYes, {kCmdYes, 1237}},
      {kBoxYesNo, 1237, kCmdNo, {kCmdNo, 1237}},
      {kBoxYesNo, 0, kCmdYes, {kCmdYes, kCodeBoxDismissed}},
      {kBoxContinue, 0, kCmdContinue, {kCmdContinue, kCodeBoxDismissed}},
      {kBoxOk, 77, kCmdOk, {kCmdOk, 77}},
      {kBoxStart, 0, kCmdStart, {kCmdStart, kCodeBoxDismissed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press);
    auto* owner = new Listener();
    owner->Attach(scene, 0);
    auto* box = new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, owner, c.kind);
    box->SetId(c.id);
    Settle();
    auto* button = static_cast<CPushbutton*>(box->FindChildById(c.press));
    ASSERT_NE(button, nullptr);
    ClickOn(button);
    EXPECT_EQ(owner->codes, c.heard);
    EXPECT_TRUE(box->IsClosing());
    // Clicks and Esc during the pop-out act no more.
    ClickOn(button);
    box->OnEscape();
    box->Close(5);
    EscapeOpenDialog();
    EXPECT_EQ(owner->codes, c.heard);
    RunUntil(world.Now() + 0.6f);
    EXPECT_FALSE(IsDialogOpen());
    delete owner;
  }
}

TEST_F(DialogsTest, BoxWithoutButtonsLetsThePointerThroughAndClosesOnTheFirstLateClick) {
  auto* below = new CPushbutton("Help", 9, 1, scene, scene);
  below->SetScreenRect(ScreenRect::FromCenter(120, 40, 400, 300));
  below->SetDepth(5);
  auto* owner = new Listener();
  auto* box = new CMessageBox("NotAMatch", "VictorianLET", 0.05f, owner, kBoxClickAnywhere);
  owner->Attach(scene, 0);
  // A click during the pop-in does not close it; what lies below stays hoverable.
  world.Frame(world.Now() + kFrame, 400, 300);
  EXPECT_EQ(FindHoveredObject(), below);
  Click(10, 10);
  EXPECT_FALSE(box->IsClosing());
  Settle();
  Click(10, 10);
  EXPECT_TRUE(box->IsClosing());
  EXPECT_EQ(owner->codes, Codes{kCodeBoxDismissed});
  Click(10, 10);
  EXPECT_EQ(owner->codes.size(), 1u);
  // A box with nothing to press still blocks the pointer.
  auto* blocking = new CMessageBox("NotAMatch", "VictorianLET", 0.05f, owner, kBoxNoButtons);
  Settle();
  world.Frame(world.Now() + kFrame, 400, 300);
  EXPECT_EQ(FindHoveredObject(), nullptr);
  Click(10, 10);
  EXPECT_FALSE(blocking->IsClosing());
}

TEST_F(DialogsTest, OwnerThatEndsTheBoxInItsNotificationIsSafe) {
  // The owner deletes itself, and with it the box hanging on it, when it hears "Yes".
  class Quitter : public CSprite {
   public:
    void OnNotify(CGameObject*, int code) override {
      ++heard;
      if (code == kCmdYes) delete this;
    }
    int& heard;
    explicit Quitter(int& h) : heard(h) {}
  };
  int heard = 0;
  auto* owner = new Quitter(heard);
  owner->Attach(scene, 0);
  auto* box = new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, owner, kBoxYesNo);
  Settle();
  ClickOn(static_cast<CSprite*>(box->FindChildById(kCmdYes)));
  EXPECT_EQ(heard, 1);
  EXPECT_FALSE(IsDialogOpen());
  // An owner gone before the box closes hears nothing.
  class Plain : public CGameObject {};
  auto* gone = new Plain();
  auto* box2 = new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, gone, kBoxOk);
  EXPECT_EQ(box2->GetParent(), scene);  // not a scene object: the box hangs on the scene
  delete gone;
  Settle();
  ClickOn(static_cast<CSprite*>(box2->FindChildById(kCmdOk)));
  EXPECT_TRUE(box2->IsClosing());
}

TEST_F(DialogsTest, MenuButtonsResumeLeaveAndAskForHelp) {
  struct Case {
    int press;
    Codes parentHears;
    std::vector<int> transitions;
  };
  const Case cases[] = {
      {kCmdResumeGame, {kCodeMenuDismissed}, {}},
      {kCmdMainMenu, {}, {29}},
      {kCmdHelp, {kCmdHelp}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press);
    scene->codes.clear();
    world.host.transitions.clear();
    CGameDialog* menu = OpenGameDialog(scene, 23);
    Settle();
    ClickOn(menu->GetButton(c.press));
    EXPECT_TRUE(menu->IsClosing());
    EXPECT_EQ(scene->codes, c.parentHears);
    EXPECT_EQ(world.host.transitions, c.transitions);
    menu->OnEscape();
    RunUntil(world.Now() + 0.6f);
    EXPECT_EQ(scene->codes, c.parentHears);
    EXPECT_EQ(GetGameDialog(), nullptr);
  }
}

TEST_F(DialogsTest, MenuOutlivesItsParentAndHelpThenTellsNobody) {
  auto* parent = new Listener();
  parent->Attach(scene, 0);
  CGameDialog* menu = OpenGameDialog(parent, 23);
  Settle();
  delete parent;
  EXPECT_EQ(GetGameDialog(), menu);
  EXPECT_EQ(menu->GetParent(), nullptr);
  ClickOn(menu->GetButton(kCmdHelp));
  EXPECT_TRUE(menu->IsClosing());
  RunUntil(world.Now() + 0.6f);
  EXPECT_EQ(GetGameDialog(), nullptr);
}

TEST_F(DialogsTest, OptionsFromTheMenuBringTheMenuBackWhenTheyClose) {
  FrameTimer clock;
  CGameDialog* menu = OpenGameDialog(scene, 7);
  Settle();
  ClickOn(menu->GetButton(kCmdOptions));
  COptionsDialog* options = GetOptionsDialog();
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(GetOpenDialog(), options);
  EXPECT_EQ(options->GetParent(), scene);  // not the menu, which is rebuilt
  EXPECT_TRUE(menu->WaitingForOptions());
  EXPECT_FALSE(menu->IsClosing());
  Settle();
  EXPECT_EQ(menu->GetOpacity(), 0.0f);  // popped out, still on the stack
  EXPECT_EQ(CountDialogs(), 2);
  // Esc goes to the options, and their close brings back a new menu with the same buttons.
  EscapeOpenDialog();
  EXPECT_TRUE(options->IsClosing());
  EXPECT_TRUE(menu->RebuildPending());
  EXPECT_EQ(GetGameDialog(), menu);
  world.Frame(world.Now() + kFrame, 1, 1);
  CGameDialog* rebuilt = GetGameDialog();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_NE(rebuilt, menu);
  EXPECT_EQ(rebuilt->GetFlags(), 7u);
  EXPECT_EQ(rebuilt->GetParent(), scene);
  EXPECT_EQ(GetOptionsDialog(), options);  // finishing its pop-out
  RunUntil(world.Now() + 0.6f);
  EXPECT_EQ(GetOptionsDialog(), nullptr);
  EXPECT_EQ(CountDialogs(), 1);
  EXPECT_EQ(GetOpenDialog(), rebuilt);
  EXPECT_EQ(rebuilt->GetOpacity(), 1.0f);
  EXPECT_FALSE(IsClockPaused());
  EXPECT_TRUE(scene->codes.empty());
  // The rebuilt menu works as the first did.
  ClickOn(rebuilt->GetButton(kCmdResumeGame));
  EXPECT_EQ(scene->codes, Codes{kCodeMenuDismissed});
}

TEST_F(DialogsTest, MenuComesBackWhenItsOptionsGoWithTheirScene) {
  CGameDialog* menu = OpenGameDialog(scene, 7);
  Settle();
  ClickOn(menu->GetButton(kCmdOptions));
  ASSERT_NE(GetOptionsDialog(), nullptr);
  auto* next = new Scene();  // the old scene goes, with the options on it
  EXPECT_EQ(GetOptionsDialog(), nullptr);
  world.Frame(world.Now() + kFrame, 1, 1);
  CGameDialog* rebuilt = GetGameDialog();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_NE(rebuilt, menu);
  EXPECT_EQ(rebuilt->GetParent(), next);
  EXPECT_EQ(CountDialogs(), 1);
}

TEST_F(DialogsTest, FrameDrawsWithoutTheBuffersItCouldNotMake) {
  std::vector<std::string> boxes;
  os::SetMessageBoxHook([&](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + "|" + text);
    return int(os::kMsgOk);
  });
  Rec()->FailNextCreations(gfx::NullDevice::ResourceKind::kIndexBuffer, 1);
  auto* box = new CMessageBox("NotAMatch", "VictorianLET", 0.05f, scene, kBoxOk);
  Settle();
  EXPECT_EQ(boxes, std::vector<std::string>{
                       "CDialogScaledFrame::RestoreDeviceObjects()|Failed to create the index buffer"});
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  int indexed = 0, points = 0;
  for (const gfx::NullDraw& d : Rec()->Draws()) {
    indexed += d.indexed;
    points += d.type == gfx::PT_POINTLIST;
  }
  EXPECT_EQ(indexed, 0);  // no border
  EXPECT_EQ(points, 1);   // the sky still twinkles
  // The next device restore makes what is missing.
  box->RestoreDeviceObjects(device_);
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  indexed = 0;
  for (const gfx::NullDraw& d : Rec()->Draws()) indexed += d.indexed && d.primitiveCount == 32;
  EXPECT_EQ(indexed, 1);
  os::SetMessageBoxHook({});
}

}  // namespace
}  // namespace dialogstest
