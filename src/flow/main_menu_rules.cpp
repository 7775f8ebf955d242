#include "flow/main_menu_rules.h"

#include <algorithm>

#include "flow/shutter.h"
#include "ui/dialog_background.h"
#include "ui/how_to_play.h"

MenuAction MenuActionFor(int code) {
  switch (code) {
    case kCmdMenuOptions:
      return MenuAction::kOpenOptions;
    case kCmdMenuExit:
      return MenuAction::kConfirmExit;
    case kCmdChangePlayer:
      return MenuAction::kOpenPlayerList;
    case kCmdAddPlayer:
      return MenuAction::kAddPlayer;
    case kCmdConfirmYes:
      return MenuAction::kQuit;
    case kCmdContinueSavedGame:
      return MenuAction::kContinue;
    case kCmdPlay:
      return MenuAction::kPlay;
    case kCmdTimes:
      return MenuAction::kOpenTimes;
    case kCodeTransitionDone:
      return MenuAction::kArrived;
    case kCmdCredits:
      return MenuAction::kOpenCredits;
    case kCmdCheat:
      return MenuAction::kCheat;
    case kCmdStartNewGame:
      return MenuAction::kStartNewGame;
    case kCmdStartAtBeginning:
      return MenuAction::kStartAtBeginning;
    case kCodePlayerListClosed:
    case kCodeNameEditorClosed:
      return MenuAction::kRebuildWelcomeAndShow;
    case kCodeOptionsClosed:
    case kCodeExitBoxClosed:
    case kCodeTimesClosed:
    case kCodeBookClosed:
    case 1255:
    case kCodeModeClosed:
    case kCodePlayDialogClosed:
      return MenuAction::kShow;
    default:
      return MenuAction::kNone;
  }
}

std::string FormatWelcome(const std::string& pattern, const std::string& name) {
  std::string out;
  bool named = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '%' && next == 's' && !named) {
      out += name;
      named = true;
      ++i;
    } else if (c == '%' && next == '%') {
      out += '%';
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<ScreenRect> LayoutButtonBar(int count, float playAspect, float width, float height) {
  std::vector<ScreenRect> slots;
  if (count <= 0) return slots;
  const float h = 0.065f * height, w = playAspect * h, gap = 0.01f * height;
  const float total = float(count) * w + float(count - 1) * gap;
  const float cy = 0.0425f * height;
  float left = (width - total) / 2;
  for (int i = 0; i < count; ++i, left += w + gap)
    slots.push_back(ScreenRect(left, cy - h / 2, left + w, cy + h / 2));
  return slots;
}

ScreenRect ButtonBarRect(const std::vector<ScreenRect>& slots) {
  if (slots.empty()) return ScreenRect();
  ScreenRect r = slots.front();
  for (const ScreenRect& s : slots) {
    r.left = std::min(r.left, s.left), r.top = std::min(r.top, s.top);
    r.right = std::max(r.right, s.right), r.bottom = std::max(r.bottom, s.bottom);
  }
  return r;
}

ScreenRect CheatButtonRect(float aspect, float width, float height) {
  (void)width;
  const float h = 0.065f * height, w = aspect * h, left = 0.01f * height;
  return ScreenRect(left, 0.3f * height - h / 2, left + w, 0.3f * height + h / 2);
}

WelcomeLayout LayoutWelcome(float textAspect, float buttonAspect, float width, float height) {
  const float textH = 0.042f * height, buttonH = 0.055f * height, gap = 0.01f * height;
  const float textW = textAspect * textH, buttonW = buttonAspect * buttonH;
  const float blockW = std::max(textW, buttonW), blockH = textH + gap + buttonH;
  const float right = width - 0.01f * height, cx = right - blockW / 2, cy = 0.28f * height;
  WelcomeLayout l;
  l.block = ScreenRect::FromCenter(blockW, blockH, cx, cy);
  l.text = ScreenRect::FromCenter(textW, textH, cx, l.block.top + textH / 2);
  l.button = ScreenRect::FromCenter(buttonW, buttonH, cx, l.block.bottom - buttonH / 2);
  return l;
}

PlayDialogLayout LayoutPlayDialog(float widestAspect, float cancelAspect, float width, float height) {
  const float u = 0.05f * height;
  PlayDialogLayout l;
  l.frame = ScreenRect::FromCenter(0.3f * height + u * widestAspect, 0.3f * height + 3.5f * u, width / 2,
                                   height / 2);
  const float cx = width / 2, first = height / 2 - 1.35f * u;
  l.buttons[0] = ScreenRect::FromCenter(widestAspect * u, u, cx, first);
  l.buttons[1] = ScreenRect::FromCenter(widestAspect * u, u, cx, first + 1.25f * u);
  l.buttons[2] = ScreenRect::FromCenter(cancelAspect * 1.2f * u, 1.2f * u, cx, first + 2.7f * u);
  return l;
}

float PlayerRowHeight(int rows, float height) {
  const float row = 0.05f * height;
  if (rows <= 0) return row;
  return std::min(row, 0.6f * height / float(rows));
}

float PlayerListAreaHeight(int rows, float height, float parentHeight) {
  return std::max(float(std::max(rows, 0)) * PlayerRowHeight(rows, height), 0.3f * parentHeight);
}

bool ModePictureHalfIsLive(float x, bool rookieChosen) {
  if (!(x >= 0 && x <= 1)) return false;
  return rookieChosen ? x < 0.5f : x >= 0.5f;
}

std::string TrimmedPlayerName(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}
