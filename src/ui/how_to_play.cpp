#include "ui/how_to_play.h"

#include <algorithm>
#include <string>

#include "core/frame_timer.h"
#include "scene/sprite_animator.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

namespace {

constexpr int kCodePageShown = 1224;  // a page's fade-in ended
constexpr float kPageFade = 0.5f;
constexpr float kRefW = 1024, kRefH = 768;
const ScreenRect kPageRef(177, 95, 845, 688);
constexpr float kButtonY = 728, kButtonH = 0.06f;  // the buttons' row on the book, and their height
CHowToPlay* g_book = nullptr;

std::string PagePicture(int page) {
  return "HowToPlay\\Page " + std::to_string(page) + ".jpg";
}

}  // namespace

CHowToPlay::CHowToPlay(CGameObject* owner, CGameObject* parent, int firstPage, int lastPage, unsigned options)
    : first_(firstPage), last_(std::max(firstPage, lastPage)), page_(firstPage) {
  g_book = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  SetTexture("HowToPlay\\Background.png");
  const ScreenRect area = (parent && (parent->GetTypeFlags() & kTypeFlagSprite))
                              ? static_cast<CSprite*>(parent)->GetScreenRect()
                              : ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
  const ScreenRect book = area.Scale(0.9f);
  SetScreenRect(book);
  pageRect_ = ScreenRect::MapFromReference(kPageRef, kRefW, kRefH, book);
  pages_.push_back(new CSprite(pageRect_, 0, PagePicture(page_).c_str(), this));

  const char* closeKey = (options & kBookBeginButton)      ? "Begin"
                         : (options & kBookContinueButton) ? "Continue"
                                                           : "Close";
  const float h = kButtonH * book.Height(), y = book.top + kButtonY / kRefH * book.Height();
  struct Slot {
    const char* key;
    int id;
    float x;
  };
  for (const Slot& s : {Slot{"Back", kCmdBookBack, 300}, Slot{closeKey, kCmdBookClose, 512},
                        Slot{"Next", kCmdBookNext, 724}}) {
    auto* button = new CPushbutton(s.key, s.id, kButtonLarge, this, this);
    const float w = button->GetNaturalAspect() * h;
    button->SetScreenRect(ScreenRect::FromCenter(w, h, book.left + s.x / kRefW * book.Width(), y));
  }
  SetDepthRecursive(GetTopDepth() + 1.0f);
  // Pages lie between the book and its buttons.
  pages_.front()->SetDepth(GetDepth() + 0.5f);
  UpdateButtons();
  ShowAnimated();
}

CHowToPlay::~CHowToPlay() {
  if (g_book == this) g_book = nullptr;
}

void CHowToPlay::Render(gfx::Device* device) {
  CSprite::Render(device);
}

CPushbutton* CHowToPlay::GetButton(int id) {
  return static_cast<CPushbutton*>(FindChildById(id));
}

void CHowToPlay::UpdateButtons() {
  if (CPushbutton* back = GetButton(kCmdBookBack)) back->SetVisible(page_ > first_);
  if (CPushbutton* next = GetButton(kCmdBookNext)) next->SetVisible(page_ < last_);
}

bool CHowToPlay::TurnTo(int page) {
  if (page < first_ || page > last_ || page == page_ || IsClosing()) return false;
  page_ = page;
  auto* sprite = new CSprite(pageRect_, 0, PagePicture(page).c_str(), this);
  // Over the old page and still under the buttons (one whole depth above the book).
  turns_ = std::min(turns_ + 1, 400);
  sprite->SetDepth(GetDepth() + 0.5f + 0.001f * float(turns_));
  pages_.push_back(sprite);
  auto* fade = new CSpriteAnimator(sprite, kAnimFadeIn, kPageFade, kAnimDeleteAnimator);
  fade->SetNotifyTarget(this, kCodePageShown);
  UpdateButtons();
  return true;
}

void CHowToPlay::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCodePageShown: {
      // Every page under the one that just finished fading in is covered now.
      auto* animator = static_cast<CSpriteAnimator*>(sender);
      CSprite* shown = animator ? animator->GetSprite() : nullptr;
      auto at = std::find(pages_.begin(), pages_.end(), shown);
      if (at == pages_.end()) return;
      for (auto it = pages_.begin(); it != at; ++it) delete *it;
      pages_.erase(pages_.begin(), at);
      break;
    }
    case kCmdBookBack:
      TurnTo(page_ - 1);
      break;
    case kCmdBookNext:
      TurnTo(page_ + 1);
      break;
    case kCmdBookClose:
      OnEscape();
      break;
    default:
      break;
  }
}

void CHowToPlay::OnEscape() {
  Close(kCodeBookClosed);
}

CHowToPlay* OpenHowToPlay(CGameObject* owner, CGameObject* parent, int firstPage, int lastPage,
                          unsigned options) {
  if (CHowToPlay* open = GetHowToPlay()) return open;
  ClockPauseGuard pause;
  return new CHowToPlay(owner, parent, firstPage, lastPage, options);
}

CHowToPlay* GetHowToPlay() {
  return g_book && !g_book->IsClosing() ? g_book : nullptr;
}
