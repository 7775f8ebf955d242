// CCheatEnvironment: the developer screen of "/Cheat". It lists the whole story map (stages,
// venues, differences scenes, puzzles) as coloured labels; a click sets the player's stage and
// opens the scene at once. While it is up, every way back to the main menu comes back here,
// until its own Back or Esc.
#pragma once

#include "devtools/cheat_listing.h"
#include "flow/environment.h"

class CPushbutton;

class CCheatEnvironment : public CEnvironment {
 public:
  CCheatEnvironment();
  ~CCheatEnvironment() override;

  int GetTypeId() override { return TypeId::kCheatEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  // Back to the real main menu.
  void OnEscape() override;

  const cheat::Listing& GetListing() const { return listing_; }
  // The button of entry i of the listing, or null.
  CPushbutton* EntryButton(size_t i) const;
  CPushbutton* GetBackButton() const;
  CPushbutton* GetHelpButton() const;
  bool ButtonsSlidOut() const { return slidOut_; }

 private:
  void OpenEntry(const cheat::Entry& entry);

  cheat::Listing listing_;  // the entries belong to the screen; buttons point into it
  std::vector<CXRef*> entryButtons_;
  CXRef* back_ = nullptr;
  CXRef* help_ = nullptr;
  bool slidOut_ = false;
};

// The factory entry of class 5.
CEnvironment* BuildCheatScreen(const char* argument);
