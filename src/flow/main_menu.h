// The main menu: the lamplit office behind the button bar, the welcome block with the current
// player's name, the window's night sky and the lamps' glow. Every dialog it opens hides the bar
// and the block (they slide out) until the last one closes again; every command from its buttons
// and dialogs goes through one router.
#pragma once

#include "flow/environment.h"
#include "flow/main_menu_rules.h"

class CPushbutton;

class CMainEnvironment : public CEnvironment {
 public:
  CMainEnvironment();
  ~CMainEnvironment() override;

  int GetTypeId() override { return TypeId::kMainEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // asks whether to quit

  // One more dialog open (the first slides the menu out over duration seconds) / one fewer (the
  // last slides it back in).
  void HideMenu(float duration);
  void ShowMenu();
  const MenuSlideCounter& Slides() const { return slides_; }
  float LastDialogChange() const { return lastDialogChange_; }

  CPushbutton* GetBarButton(int id);
  CPushbutton* GetPlayButton() const { return play_; }
  CSprite* GetButtonBar() const;
  CSprite* GetWelcomeBlock() const;
  CPushbutton* GetCheatButton() const;
  // The welcome line as shown.
  std::string WelcomeText() const;
  // Builds the welcome block again for the current player (and the Play button's tooltip with it).
  void RebuildWelcome();

 private:
  void Act(CGameObject* sender, MenuAction action);
  void OpenExitQuestion();
  void StartAtBeginning();
  void Continue();
  bool Sliding();

  CPushbutton* play_ = nullptr;
  CXRef* welcome_ = nullptr;
  CXRef* bar_ = nullptr;
  CXRef* cheat_ = nullptr;
  MenuSlideCounter slides_;
  float lastDialogChange_ = 0;
};

// The factory entry of class 29; it also selects the menu's music.
CEnvironment* BuildMainMenu(const char* argument);
