// The picture book: a leather case book with one page picture at a time, turned with Back and Next
// (the new page fades in over the old one), and a closing button. The main menu shows the credits
// in it; the developer screen its page on the meaning of its colours. Closes with 1253.
#pragma once

#include <vector>

#include "ui/dialog_background.h"

class CPushbutton;

// Option bits: the closing button's label.
inline constexpr unsigned kBookBeginButton = 2, kBookContinueButton = 4;
inline constexpr int kCmdBookBack = 108, kCmdBookNext = 1223, kCmdBookClose = 1220, kCodeBookClosed = 1253;

class CHowToPlay : public CDialogBackground {
 public:
  // Pages first to last ("HowToPlay\Page %d.jpg"); the book opens on the first.
  CHowToPlay(CGameObject* owner, CGameObject* parent, int firstPage, int lastPage, unsigned options);
  ~CHowToPlay() override;

  void Render(gfx::Device* device) override;  // the book's own picture, no night sky
  int GetTypeId() override { return TypeId::kHowToPlay; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;

  int GetPage() const { return page_; }
  // Turns to the page (within first..last) with a fade; false when it is out of range.
  bool TurnTo(int page);
  CPushbutton* GetButton(int id);
  // The page pictures now on the book, oldest first (more than one while a page fades in).
  const std::vector<CSprite*>& Pages() const { return pages_; }

 private:
  void UpdateButtons();

  int first_, last_, page_;
  int turns_ = 0;
  ScreenRect pageRect_;
  std::vector<CSprite*> pages_;
};

CHowToPlay* OpenHowToPlay(CGameObject* owner, CGameObject* parent, int firstPage, int lastPage,
                          unsigned options);
CHowToPlay* GetHowToPlay();  // the open one that is not closing, or null
