// The main menu's rules as pure functions: what each command number does, when the menu slides
// out and back in, where the button bar, the welcome block and the small dialogs' parts go, and
// how the welcome line is made. The scene classes only draw and animate what these decide.
#pragma once

#include <string>
#include <vector>

#include "scene/screen_rect.h"

// Commands and close codes that reach the main menu.
inline constexpr int kCmdMenuOptions = 105, kCmdMenuExit = 107, kCmdChangePlayer = 930, kCmdAddPlayer = 1200,
                     kCmdDeletePlayer = 1201, kCmdSelectPlayer = 1239, kCmdConfirmYes = 1205,
                     kCmdContinueSavedGame = 1221, kCmdPlay = 1232, kCmdTimes = 1249, kCmdCredits = 1256,
                     kCmdCheat = 1298, kCmdStartNewGame = 1330, kCmdStartAtBeginning = 1343;
inline constexpr int kCodeExitBoxClosed = 1237, kCodePlayerListClosed = 1238, kCodeNameEditorClosed = 1240,
                     kCodeTimesClosed = 1248, kCodeModeClosed = 1311, kCodePlayDialogClosed = 1366;

enum class MenuAction {
  kNone,
  kOpenOptions,
  kConfirmExit,
  kOpenPlayerList,
  kAddPlayer,  // the player list's Add: the name editor with Cancel
  kQuit,
  kContinue,
  kPlay,
  kOpenTimes,
  kArrived,  // the transition into the menu finished
  kOpenCredits,
  kCheat,
  kStartNewGame,
  kStartAtBeginning,
  kRebuildWelcomeAndShow,
  kShow,
};
MenuAction MenuActionFor(int code);

// Open dialogs hide the menu. Only the first one to open slides it out and only the last one to
// close slides it back in; a close with nothing open changes nothing.
class MenuSlideCounter {
 public:
  bool Hide() { return ++open_ == 1; }  // true: slide out now
  bool Show() {                         // true: slide in now
    if (open_ == 0) return false;
    return --open_ == 0;
  }
  int Open() const { return open_; }
  bool Hidden() const { return open_ > 0; }

 private:
  int open_ = 0;
};

// The welcome line: the template with its first "%s" replaced by the name as it is. Every other
// "%" shows as itself, except "%%", which shows as one "%" as a printf template means it.
std::string FormatWelcome(const std::string& pattern, const std::string& name);

// The button bar: count slots in one centred row 0.065 x H high, each as wide as the Play button
// (playAspect) at that height, 0.01 x H apart, the row's centre 0.0425 x H below the top.
std::vector<ScreenRect> LayoutButtonBar(int count, float playAspect, float width, float height);
// The rectangle that holds them all.
ScreenRect ButtonBarRect(const std::vector<ScreenRect>& slots);
// The Cheat button: on the left, its centre 0.3 x H below the top, as high as the bar.
ScreenRect CheatButtonRect(float aspect, float width, float height);

// The welcome block: the line (0.042 x H high) above the ChangePlayer button (0.055 x H), as wide as the
// wider of the two, its right edge 0.01 x H from the right and its centre 0.28 x H below the top.
struct WelcomeLayout {
  ScreenRect block, text, button;
};
WelcomeLayout LayoutWelcome(float textAspect, float buttonAspect, float width, float height);

// The play dialog: with U = 0.05 x H, the two choices U high and 1.25 x U apart, Cancel 1.2 x U
// high below them; the frame 0.3 x H + U x the widest aspect wide and 0.3 x H + 3.5 x U high,
// centred.
struct PlayDialogLayout {
  ScreenRect frame;
  ScreenRect buttons[3];
};
PlayDialogLayout LayoutPlayDialog(float widestAspect, float cancelAspect, float width, float height);

// The player list: rows 0.05 x H high, shrunk evenly so that all rows together are at most
// 0.6 x H; the list area is at least 0.3 x the parent's height.
float PlayerRowHeight(int rows, float height);
float PlayerListAreaHeight(int rows, float height, float parentHeight);

// The mode dialog's picture: only the half that selects the other card answers the pointer (the
// right half while the master detective is chosen, the left half otherwise). x runs over the
// picture from 0 (left edge) to 1.
bool ModePictureHalfIsLive(float x, bool rookieChosen);

// The trimmed name the editor accepts, or empty when it trims to nothing.
std::string TrimmedPlayerName(const std::string& text);
