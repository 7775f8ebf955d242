#include "ui/dialog_layouts.h"

#include <algorithm>

std::vector<GameDialogButton> GameDialogButtons(unsigned flags) {
  static const GameDialogButton kAll[] = {
      {kGameDialogOptions, "Options", kCmdOptions},
      {kGameDialogResume, "ResumeGame", kCmdResumeGame},
      {kGameDialogHelp, "Help", kCmdHelp},
      {kGameDialogMainMenu, "MainMenu", kCmdMainMenu},
  };
  std::vector<GameDialogButton> out;
  for (const GameDialogButton& b : kAll)
    if (flags & b.flag) out.push_back(b);
  return out;
}

StackLayout LayoutGameDialog(const std::vector<float>& aspects, float centerX, float centerY,
                             float clientHeight) {
  const float r = 0.075f * clientHeight, m = 0.2f * clientHeight;
  const auto n = float(aspects.size());
  const float stack = n > 0 ? r * (n + 0.25f * (n - 1)) : 0.0f;
  const float widest = aspects.empty() ? 0.0f : *std::max_element(aspects.begin(), aspects.end());
  StackLayout out;
  out.dialog = ScreenRect::FromCenter(2 * m + widest * r, 2 * m + stack, centerX, centerY);
  float y = centerY - stack / 2 + r / 2;
  for (float aspect : aspects) {
    out.buttons.push_back(ScreenRect::FromCenter(aspect * r, r, centerX, y));
    y += 1.25f * r;
  }
  return out;
}

std::vector<BoxButton> MessageBoxButtons(int kind) {
  switch (kind) {
    case kBoxContinue:
      return {{"Continue", kCmdContinue}};
    case kBoxYesNo:
      return {{"Yes", kCmdYes}, {"No", kCmdNo}};
    case kBoxOk:
      return {{"OK", kCmdOk}};
    case kBoxStart:
      return {{"Start", kCmdStart}};
    default:
      return {};
  }
}

MessageBoxLayout LayoutMessageBox(int kind, int lines, float lineHeight, float textAspect, float buttonAspect,
                                  float clientWidth, float clientHeight) {
  const float L = lineHeight * clientHeight;
  const float textH = float(std::max(lines, 1)) * L, textW = textAspect * textH;
  const size_t count = MessageBoxButtons(kind).size();
  const bool buttons = count > 0;
  const float cx = clientWidth / 2, cy = clientHeight / 2;
  MessageBoxLayout out;
  out.text = ScreenRect::FromCenter(textW, textH, cx, cy - (buttons ? L : 0.0f));
  const float bh = 1.5f * L, bw = buttonAspect * bh, gap = 1.5f * L;
  const float rowW = count == 0 ? 0.0f : float(count) * bw + float(count - 1) * gap;
  const float buttonY = out.text.bottom + 0.5f * L + bh / 2;
  for (size_t i = 0; i < count; ++i)
    out.buttons.push_back(
        ScreenRect::FromCenter(bw, bh, cx - rowW / 2 + bw / 2 + float(i) * (bw + gap), buttonY));
  const float margin = 2 * clientHeight / 8;
  out.box = ScreenRect::FromCenter(std::max(textW, rowW) + margin, textH + (buttons ? 2 * L : 0.0f) + margin,
                                   cx, cy);
  return out;
}

OptionsLayout LayoutOptions(const std::vector<OptionsRow>& rows, float clientWidth, float clientHeight) {
  // The sides get a wider margin than top and bottom, so the sliders' end caps clear the border.
  const float gap = 0.02f * clientHeight, margin = 0.1f * clientHeight, side = 0.15f * clientHeight;
  float height = 0, width = 0;
  for (const OptionsRow& r : rows) {
    height += r.height * clientHeight;
    width = std::max(width, r.aspect * r.height * clientHeight);
  }
  if (!rows.empty()) height += gap * float(rows.size() - 1);
  OptionsLayout out;
  out.dialog =
      ScreenRect::FromCenter(width + 2 * side, height + 2 * margin, clientWidth / 2, clientHeight / 2);
  float y = out.dialog.top + margin;
  for (const OptionsRow& r : rows) {
    const float h = r.height * clientHeight;
    out.rows.push_back(ScreenRect::FromCenter(r.aspect * h, h, clientWidth / 2, y + h / 2));
    y += h + gap;
  }
  return out;
}
