#include "flow/best_time_dialog.h"

#include <algorithm>

#include "core/frame_timer.h"
#include "data/string_table.h"
#include "flow/main_menu_rules.h"
#include "player/game_map.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"

namespace {

constexpr uint32_t kGold = 0xFFFFEA80, kWhite = 0xFFFFFFFF;
constexpr float kTitleH = 0.055f, kRowH = 0.045f, kBackH = 0.06f, kPad = 0.03f, kBorder = 0.05f;
constexpr const char* kOrnament = "GUI\\Decorative ornaments 0838.png";
constexpr float kOrnamentAspect = 2.0f;
CBestTimeDialog* g_times = nullptr;

// Column anchors as shares of the room inside the border: the name starts at the left, the stage is
// centred, the time ends at the right. Each text keeps within its column's width.
enum Align { kLeft, kCentre, kRight };
struct Column {
  float anchor, width;
  Align align;
};
constexpr Column kColumns[3] = {{0.07f, 0.34f, kLeft}, {0.55f, 0.36f, kCentre}, {0.93f, 0.2f, kRight}};

}  // namespace

CBestTimeDialog::CBestTimeDialog(CGameObject* owner, CGameObject* parent) {
  g_times = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  const int stageCount = GameMapStageCount();
  entries_ = BuildBestTimes(ReadAllProfileTimes(), stageCount);

  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const float frameW = std::min(0.85f * W, 1.15f * H);
  const float frameH =
      2 * kBorder * H + 3 * kPad * H + kTitleH * H + kBestTimesShown * kRowH * H + kBackH * H;
  const ScreenRect frame = ScreenRect::FromCenter(frameW, frameH, W / 2, H / 2);
  SetScreenRect(frame);
  const float left = frame.left + kBorder * H, room = frameW - 2 * kBorder * H;

  auto place = [&](CTextSprite* text, const Column& c, float height, float centerY) {
    text->Attach(this, 0);
    const float aspect = text->GetNaturalAspect();
    const float w = std::min(aspect * height, c.width * room), h = aspect > 0 ? w / aspect : height;
    const float x = left + c.anchor * room;
    const float cx = c.align == kLeft ? x + w / 2 : c.align == kRight ? x - w / 2 : x;
    text->SetScreenRect(ScreenRect::FromCenter(w, h, cx, centerY));
  };
  float y = frame.top + (kBorder + kPad) * H;
  const char* titles[3] = {"Name", "Stage", "Time"};
  rows_.emplace_back();
  for (int c = 0; c < 3; ++c) {
    auto* title = new CTextSpriteLocalize(titles[c], "VictorianLET");
    title->SetColor(kGold);
    place(title, kColumns[c], 0.8f * kTitleH * H, y + kTitleH * H / 2);
    rows_.back().push_back(title);
  }
  y += kTitleH * H;
  const std::string complete = LocalizeText("GameComplete");
  for (const BestTimeEntry& e : entries_) {
    const std::string texts[3] = {e.name, StageColumnText(e.stage, stageCount, StageName(e.stage), complete),
                                  FormatBestTime(e.time)};
    rows_.emplace_back();
    for (int c = 0; c < 3; ++c) {
      auto* text = new CTextSprite(texts[c].c_str(), "GoldFlat2");
      text->SetColor(kWhite);
      place(text, kColumns[c], 0.75f * kRowH * H, y + kRowH * H / 2);
      rows_.back().push_back(text);
    }
    y += kRowH * H;
  }

  auto* back = new CPushbutton("Back", kCmdBack, kButtonLarge, this, this);
  const float bh = kBackH * H, bw = back->GetNaturalAspect() * bh,
              by = frame.bottom - (kBorder + kPad) * H - bh / 2;
  back->SetScreenRect(ScreenRect::FromCenter(bw, bh, W / 2, by));
  // Gilt scrolls on either side of Back, the right one mirrored.
  const float ow = kOrnamentAspect * bh, gap = 0.02f * H;
  for (int side = 0; side < 2; ++side) {
    const float cx = side == 0 ? W / 2 - bw / 2 - gap - ow / 2 : W / 2 + bw / 2 + gap + ow / 2;
    auto* ornament = new CSprite(ScreenRect::FromCenter(ow, bh, cx, by), 0, kOrnament, this);
    if (side == 1) ornament->AddFlags(kSpriteMirror);
  }
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CBestTimeDialog::~CBestTimeDialog() {
  if (g_times == this) g_times = nullptr;
}

std::vector<std::string> CBestTimeDialog::RowTexts(int row) const {
  std::vector<std::string> out;
  if (row < 0 || size_t(row) >= rows_.size()) return out;
  for (CTextSprite* t : rows_[size_t(row)]) out.push_back(t->GetText());
  return out;
}

void CBestTimeDialog::OnNotify(CGameObject* sender, int code) {
  (void)sender;
  if (code == kCmdBack) OnEscape();
}

void CBestTimeDialog::OnEscape() {
  Close(kCodeTimesClosed);
}

CBestTimeDialog* OpenBestTimeDialog(CGameObject* owner, CGameObject* parent) {
  if (CBestTimeDialog* open = GetBestTimeDialog()) return open;
  ClockPauseGuard pause;
  return new CBestTimeDialog(owner, parent);
}

CBestTimeDialog* GetBestTimeDialog() {
  return g_times && !g_times->IsClosing() ? g_times : nullptr;
}
