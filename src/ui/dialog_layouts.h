// Where the parts of the in-game menu, the message box and the options dialog go, as pure
// functions of the client size and the parts' natural aspects.
#pragma once

#include <vector>

#include "scene/screen_rect.h"

// ---- In-game menu ----
// Buttons for the menu's flags, in the order they are stacked.
struct GameDialogButton {
  unsigned flag;
  const char* key;
  int id;
};
inline constexpr unsigned kGameDialogOptions = 1, kGameDialogResume = 2, kGameDialogMainMenu = 4,
                          kGameDialogHelp = 16;
inline constexpr int kCmdOptions = 105, kCmdResumeGame = 106, kCmdMainMenu = 116, kCmdHelp = 1293;
std::vector<GameDialogButton> GameDialogButtons(unsigned flags);

struct StackLayout {
  ScreenRect dialog;
  std::vector<ScreenRect> buttons;
};
// Rows 0.075 x H high, 1.25 rows apart, in a frame with a margin of 0.2 x H round the stack and
// as wide as the widest button; centred on (centerX, centerY).
StackLayout LayoutGameDialog(const std::vector<float>& aspects, float centerX, float centerY,
                             float clientHeight);

// ---- Message box ----
enum : int {
  kBoxClickAnywhere = 0,
  kBoxContinue = 1,
  kBoxYesNo = 2,
  kBoxOk = 3,
  kBoxNoButtons = 4,
  kBoxStart = 5,
};
inline constexpr int kCmdContinue = 1221, kCmdYes = 1205, kCmdNo = 1206, kCmdOk = 1204, kCmdStart = 1334;
struct BoxButton {
  const char* key;
  int id;
};
std::vector<BoxButton> MessageBoxButtons(int kind);

struct MessageBoxLayout {
  ScreenRect box;
  ScreenRect text;
  std::vector<ScreenRect> buttons;
};
// lines of text lineHeight (a fraction of H) high with the given block aspect, and buttons of
// buttonAspect, on a client of W x H.
MessageBoxLayout LayoutMessageBox(int kind, int lines, float lineHeight, float textAspect, float buttonAspect,
                                  float clientWidth, float clientHeight);

// ---- Options dialog ----
// The rows top to bottom: each with its height (a fraction of H) and natural aspect.
struct OptionsRow {
  float height;
  float aspect;
};
struct OptionsLayout {
  ScreenRect dialog;
  std::vector<ScreenRect> rows;  // each centred horizontally at its own width
};
// Rows 0.02 x H apart inside margins of 0.1 x H above and below and 0.15 x H at the sides,
// centred on the client.
OptionsLayout LayoutOptions(const std::vector<OptionsRow>& rows, float clientWidth, float clientHeight);
