// The difficulty choice before a new game: two cards in one picture, master detective and rookie
// constable. The picture is a two-position switch: only the half showing the other card answers
// the pointer, and a click there swaps the pictures. OK stores the choice as the rookie flag and
// tells the main menu to start the game; the dialog slides in from above and leaves upwards.
#pragma once

#include "ui/dialog_scaled_frame.h"

class CPushbutton;

inline constexpr int kRookieModeFlag = 58;

class CModeDialog : public CDialogScaledFrame {
 public:
  CModeDialog(CGameObject* owner, CGameObject* parent);
  ~CModeDialog() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kModeDialog; }
  int GetCursorKind() override { return 2; }
  // 1 over the live half of the picture, else 2 (nothing below a dialog is hovered).
  int HitTest() override;
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // closes with 1311, nothing chosen
  void ShowAnimated() override;

  bool RookieChosen() const { return rookie_; }
  // Swaps the two pictures, as a click on the live half does.
  void Toggle();
  CSprite* GetPicture(bool rookie) const { return rookie ? rookiePicture_ : masterPicture_; }
  CPushbutton* GetOkButton() const { return ok_; }

 private:
  CSprite* masterPicture_ = nullptr;
  CSprite* rookiePicture_ = nullptr;
  CPushbutton* ok_ = nullptr;
  bool rookie_ = false;
  bool rolloverDue_ = false;
};

CModeDialog* OpenModeDialog(CGameObject* owner, CGameObject* parent);
CModeDialog* GetModeDialog();  // the open one that is not closing, or null
