#include "search/status_board.h"

#include <algorithm>

#include "scene/input.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"
#include "search/hidden_object_rules.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

namespace {
constexpr const char* kPicture = "Search\\SearchStatusBoard.tga";
constexpr const char* kLabelFont = "GoldFlat2";
constexpr const char* kNumberFont = "VictorianLET";
constexpr uint32_t kTextColor = 0xFFFFFF80;
constexpr float kDepth = 4.99f, kTextDepth = 0.1f;
constexpr int kMenuId = 104, kCheatId = 1298;
}  // namespace

CSearchStatusBoard::CSearchStatusBoard(CSprite* venue, const ScreenRect& rect, bool cheat) {
  texture_ = AcquireTexture(kPicture, kTexHitMask);
  Attach(venue, 0);
  SetDepth(kDepth);
  SetScreenRect(rect);
  const float a = rect.Height(), w = rect.Width();
  const float buttonHeight = 0.31f * a;
  menu_ = new CPushbutton("Menu", kMenuId, kButtonLarge, venue, this);
  const float menuTop = rect.top + (cheat ? 0.3f : 0.45f) * a;
  const float left = rect.left + 0.11f * w;
  menu_->SetScreenRect(
      ScreenRect(left, menuTop, left + menu_->GetNaturalAspect() * buttonHeight, menuTop + buttonHeight));
  if (cheat) {
    cheat_ = new CPushbutton("Cheat", kCheatId, kButtonLarge, venue, this);
    const float top = rect.bottom - 0.07f * a - buttonHeight;
    cheat_->SetScreenRect(
        ScreenRect(left, top, left + cheat_->GetNaturalAspect() * buttonHeight, top + buttonHeight));
    cheat_->SetTooltip("CheatButtonTooltip1", 0x10000);
  }
}

CSearchStatusBoard::~CSearchStatusBoard() = default;

int CSearchStatusBoard::HitTest() {
  if (IsHidden() || GetOpacity() != 1.0f) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float mx = 0, my = 0;
  if (!hidden::MaskPoint(GetScreenRect(), 0, float(x), float(y), mx, my)) return kHitNone;
  return HitTestMask(texture_, mx, my) ? kHitBlocking : kHitNone;
}

void CSearchStatusBoard::SetCount(int n) {
  if (n == shown_) return;
  const ScreenRect board = GetScreenRect();
  const float bw = board.Width(), bh = board.Height();
  const float band = 0.42f * bh, bandTop = board.top + 0.42f * bh;
  const float rightLimit = board.right - 0.1f * bw;
  const float menuRight = menu_->GetScreenRect().right;
  const float space = rightLimit - menuRight;
  const float depth = GetDepth() + kTextDepth;
  auto place = [&](CSprite* s) {
    s->Attach(this, 0);
    s->SetDepth(depth);
    s->SetColor(kTextColor);
  };
  // Words longer than the plaque's space between the button and its margin are drawn smaller,
  // centred in the same band, instead of running over the button.
  auto fitted = [&](float widthPerHeight, float gap) {
    const float h = widthPerHeight > 0 ? std::min(band, (space - gap) / widthPerHeight) : band;
    return std::max(h, 0.0f);
  };
  if (!allFound_) {
    allFound_ = new CTextContainer("AllItemsFound", kLabelFont);
    place(allFound_);
    const float h = fitted(allFound_->GetNaturalAspect(), 0);
    const float width = allFound_->GetNaturalAspect() * h, top = bandTop + (band - h) / 2;
    const float cx = (menuRight + rightLimit) / 2;
    allFound_->SetScreenRect(ScreenRect(cx - width / 2, top, cx + width / 2, top + h));
  }
  if (!label_ || (n == 1) != (shown_ == 1)) {
    delete label_;
    label_ = new CTextContainer(n == 1 ? "ItemLeft" : "ItemsLeft", kLabelFont);
    place(label_);
  }
  delete number_;
  number_ = new CTextSprite(n, kNumberFont);
  place(number_);
  const float gap = 0.05f * bh;
  const float h = fitted(label_->GetNaturalAspect() + 1.15f * number_->GetNaturalAspect(), gap);
  const float top = bandTop + (band - h) / 2, labelWidth = label_->GetNaturalAspect() * h;
  label_->SetScreenRect(ScreenRect(rightLimit - labelWidth, top, rightLimit, top + h));
  const ScreenRect label = label_->GetScreenRect();
  const float nh = 1.15f * label.Height(), nw = number_->GetNaturalAspect() * nh;
  const float nright = label.left - gap, ncy = label.CenterY() + 0.1f * nh;
  number_->SetScreenRect(ScreenRect(nright - nw, ncy - nh / 2, nright, ncy + nh / 2));

  // Centre the pair between the button and the right margin.
  const ScreenRect numberRect = number_->GetScreenRect(), labelRect = label_->GetScreenRect();
  const float gapLeft = numberRect.left - menuRight, gapRight = rightLimit - labelRect.right;
  const float shift = (gapLeft - gapRight) / 2;
  auto moveLeft = [shift](CSprite* s) {
    ScreenRect r = s->GetScreenRect();
    r.left -= shift;
    r.right -= shift;
    s->SetScreenRect(r);
  };
  moveLeft(label_);
  moveLeft(number_);

  allFound_->SetOpacity(n == 0 ? 1.0f : 0.0f);
  label_->SetOpacity(n != 0 ? 1.0f : 0.0f);
  number_->SetOpacity(n != 0 ? 1.0f : 0.0f);
  shown_ = n;
}
