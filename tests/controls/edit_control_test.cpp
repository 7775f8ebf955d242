// The edit field: which keys do what to the text and caret, the focus it takes and gives back,
// and the typed text the window delivers only while it has the focus.
#include "ui/edit_control.h"

#include <gtest/gtest.h>

#include "controls/controls_test_fixture.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "ui/edit_line.h"

namespace controlstest {
namespace {

TEST(EditLine, KeysTextAndCaret) {
  struct Row {
    const char* start;
    int caret, max;
    std::vector<int> keys;
    const char* text;
    int wantCaret;
  };
  const int L = kEditKeyLeft, R = kEditKeyRight, D = kEditKeyDelete, B = kEditKeyBackspace;
  const Row rows[] = {
      {"", 0, 15, {'A', 'n', 'n', 'a'}, "Anna", 4},
      {"Anna", 4, 15, {'!', '.', '/', 0, 0xE9, 0xFF, '\n'}, "Anna", 4},  // outside the set
      {"Anna", 4, 15, {' ', '_', '-', '7'}, "Anna _-7", 8},
      {"Anna", 4, 15, {L, L, 'x'}, "Anxna", 3},
      {"Anna", 0, 15, {L, B, D}, "nna", 0},  // Left and Backspace at 0 change nothing
      {"Anna", 4, 15, {R, D, B}, "Ann", 3},  // Right and Delete at the end change nothing
      {"Anna", 2, 15, {D, D, D}, "An", 2},
      {"ab", 2, 3, {'c', 'd'}, "abd", 2},  // a full field: the last character is replaced
      {"abc", 3, 3, {'d', 'e', 'f'}, "abf", 2},
      {"abc", 0, 3, {'x'}, "xab", 1},   // inserting in front cuts the end
      {"abcdef", 6, 3, {R}, "abc", 2},  // an initial text beyond the maximum is cut
      {"ab", 9, 5, {'c'}, "abc", 3},    // a caret past the end is clamped first
      {"ab", 2, 0, {'c', B}, "", 0},    // no room at all
  };
  for (const Row& r : rows) {
    EditLine line{r.start, r.caret, r.max};
    for (int k : r.keys) ApplyEditKey(line, k);
    EXPECT_EQ(line.text, r.text) << r.start;
    EXPECT_EQ(line.caret, r.wantCaret) << r.start;
  }
}

using EditControlTest = ControlsTest;

TEST_F(EditControlTest, TakesTheFocusAndTextInputAndGivesThemBack) {
  EXPECT_FALSE(os::host().TextInputActive());
  auto* first = new CEditControl("Anna", "GoldFlat", 15);
  EXPECT_EQ(GetFocusedEditControl(), first);
  EXPECT_TRUE(os::host().TextInputActive());
  EXPECT_EQ(first->GetCaret(), 4);
  EXPECT_FLOAT_EQ(first->GetNaturalAspect(), 4.85f);

  EXPECT_TRUE(ForwardCharacter('b'));
  EXPECT_TRUE(ForwardKeyDown(os::vk::kLeft));
  EXPECT_TRUE(ForwardCharacter('X'));
  EXPECT_EQ(first->GetText(), "AnnaXb");
  EXPECT_EQ(first->GetInitialText(), "Anna");
  EXPECT_GT(first->GetVertexCount(), 0);

  auto* second = new CEditControl("", "GoldFlat", 15);
  EXPECT_EQ(GetFocusedEditControl(), second);
  delete first;  // the older one goes: the newer keeps the focus
  EXPECT_EQ(GetFocusedEditControl(), second);
  EXPECT_TRUE(os::host().TextInputActive());
  delete second;
  EXPECT_EQ(GetFocusedEditControl(), nullptr);
  EXPECT_FALSE(os::host().TextInputActive());
}

TEST_F(EditControlTest, CaretSitsAfterTheCharacterBeforeIt) {
  auto* edit = new CEditControl("Hello", "GoldFlat", 15);
  edit->SetScreenRect(ScreenRect(100, 100, 585, 200));
  const ScreenRect text = edit->TextRect();
  EXPECT_NEAR(text.Height(), 50, 1e-3f);
  EXPECT_NEAR(text.CenterX(), 342.5f, 1e-3f);
  EXPECT_NEAR(edit->CaretX(), text.right, 0.5f);
  float previous = edit->CaretX();
  for (int i = 0; i < 5; ++i) {
    edit->OnKey(kEditKeyLeft);
    EXPECT_LT(edit->CaretX(), previous);
    previous = edit->CaretX();
  }
  EXPECT_NEAR(edit->CaretX(), text.left, 1e-3f);
  // A long text shrinks whole to 0.8 of the width.
  for (int i = 0; i < 10; ++i) edit->OnKey('W');
  EXPECT_LE(edit->TextRect().Width(), 0.8f * 485 + 1e-3f);
}

}  // namespace
}  // namespace controlstest
