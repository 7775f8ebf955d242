// The per-frame input snapshot and the keyboard path to the focused edit control.
#include "scene/input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/host.h"
#include "scene/edit_focus.h"
#include "scene/game_object.h"

namespace {

class InputTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetInput();
    SetClientSize(800, 600);
    SetFocusedEditControl(nullptr);
  }
  void TearDown() override {
    ResetInput();
    SetFocusedEditControl(nullptr);
  }
  // One frame's snapshot.
  void Frame(int x, int y, bool left, bool right = false, std::vector<int> keys = {}) {
    os::InputSnapshot s;
    s.x = x;
    s.y = y;
    s.left = left;
    s.right = right;
    for (int k : keys) s.keys[k] = 0x80;
    PollInputFrom(s);
  }
};

TEST_F(InputTest, AHeldButtonClicksOnceInTheFrameItWentDown) {
  Frame(100, 100, false);
  EXPECT_FALSE(IsLeftClick());
  Frame(100, 100, true);
  EXPECT_TRUE(IsLeftClick());
  EXPECT_TRUE(IsLeftButtonDown());
  for (int i = 0; i < 3; ++i) {
    Frame(100 + i, 100, true);
    EXPECT_FALSE(IsLeftClick()) << "held frame " << i;
    EXPECT_TRUE(IsLeftButtonDown());
  }
  Frame(100, 100, false);
  EXPECT_FALSE(IsLeftButtonDown());
  Frame(100, 100, true);
  EXPECT_TRUE(IsLeftClick());  // a new press
}

TEST_F(InputTest, RightButtonIsIndependentOfTheLeft) {
  Frame(10, 10, true, false);
  Frame(10, 10, true, true);
  EXPECT_TRUE(IsRightClick());
  EXPECT_FALSE(IsLeftClick());
  EXPECT_TRUE(IsRightButtonDown());
}

TEST_F(InputTest, APressOutsideTheClientAreaIsNoClick) {
  // Edges: left and top inclusive, right and bottom exclusive.
  const struct {
    int x, y;
    bool click;
  } cases[] = {{0, 0, true},      {799, 599, true}, {800, 300, false},
               {300, 600, false}, {-1, 300, false}, {300, -5, false}};
  for (const auto& c : cases) {
    ResetInput();
    Frame(c.x, c.y, false);
    Frame(c.x, c.y, true, true);
    EXPECT_EQ(IsLeftClick(), c.click) << c.x << "," << c.y;
    EXPECT_EQ(IsRightClick(), c.click) << c.x << "," << c.y;
    EXPECT_TRUE(IsLeftButtonDown());  // the button state itself is reported anyway
    int x = 0, y = 0;
    GetPointerPosition(x, y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST_F(InputTest, KeysPressOnTheirDownEdgeOnly) {
  Frame(0, 0, false, false, {os::vk::kReturn});
  EXPECT_TRUE(IsKeyPressed(os::vk::kReturn));
  EXPECT_TRUE(IsKeyDown(os::vk::kReturn));
  Frame(0, 0, false, false, {os::vk::kReturn, 0xFF});
  EXPECT_FALSE(IsKeyPressed(os::vk::kReturn));
  EXPECT_TRUE(IsKeyPressed(0xFF));
  EXPECT_FALSE(IsKeyPressed(-1));
  EXPECT_FALSE(IsKeyPressed(256));
  EXPECT_FALSE(IsKeyDown(1000));
}

TEST_F(InputTest, TheHostSnapshotFeedsPollInput) {
  os::SetHost(os::CreateHeadlessHost(800, 600));
  os::host().InjectPointer(50, 60);
  os::host().InjectButton(false, true);
  PollInput();
  EXPECT_TRUE(IsLeftClick());
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 60);
  os::host().InjectButton(false, false);
  PollInput();
  EXPECT_FALSE(IsLeftButtonDown());
}

// ---- Keyboard forwarding --------------------------------------------------------------------------

struct RecordingControl : CEditKeyTarget {
  std::vector<int> codes;
  void OnKey(int code) override { codes.push_back(code); }
};

os::Event KeyDown(int vk) {
  os::Event e{os::Event::kKeyDown};
  e.key = vk;
  return e;
}
os::Event Char(unsigned char c) {
  os::Event e{os::Event::kChar};
  e.code = c;
  return e;
}

TEST_F(InputTest, EditingKeysAndCharactersReachTheFocusedControl) {
  RecordingControl control;
  // Without a focused control nothing happens.
  EXPECT_FALSE(ForwardKeyboardEvent(Char('a')));
  SetFocusedEditControl(&control);
  for (int vk : {os::vk::kLeft, os::vk::kRight, os::vk::kDelete, os::vk::kUp, os::vk::kF1, os::vk::kReturn})
    ForwardKeyboardEvent(KeyDown(vk));
  // High bytes stay characters: 0xFD..0xFF must never read as -3..-1.
  for (char c : std::string("a\x08\xE9\xFD\xFE\xFF"))
    ForwardKeyboardEvent(Char(static_cast<unsigned char>(c)));
  EXPECT_EQ(control.codes, (std::vector<int>{-1, -2, -3, 'a', 8, 0xE9, 0xFD, 0xFE, 0xFF}));
  EXPECT_FALSE(ForwardCharacter(-1));  // not a byte
  EXPECT_FALSE(ForwardCharacter(256));
}

TEST_F(InputTest, BackspaceFromTheHostArrivesAsCodeEight) {
  os::SetHost(os::CreateHeadlessHost(800, 600));
  RecordingControl control;
  SetFocusedEditControl(&control);
  os::host().InjectKey(os::vk::kBack, true);
  os::host().InjectText("\xFF");
  os::Event ev;
  while (os::host().PollEvent(ev)) ForwardKeyboardEvent(ev);
  EXPECT_EQ(control.codes, (std::vector<int>{8, 0xFF}));
}

TEST_F(InputTest, OnlyTheFocusedControlClearsTheFocus) {
  RecordingControl older, newer;
  SetFocusedEditControl(&older);
  SetFocusedEditControl(&newer);
  ReleaseEditFocus(&older);  // the older control dies after the newer one took the focus
  EXPECT_EQ(GetFocusedEditControl(), &newer);
  ReleaseEditFocus(&newer);
  EXPECT_EQ(GetFocusedEditControl(), nullptr);
}

}  // namespace
