// The name editor: a new player's name typed into an edit field. OK takes the text without its
// leading and trailing spaces, refuses one that trims to nothing (the editor stays open) and
// otherwise makes that player current. Opened at the very first start it has no Cancel and Esc does
// nothing: the game needs a player before it can go on. It closes with 1240 either way.
#pragma once

#include "ui/dialog_scaled_frame.h"

class CEditControl;
class CPushbutton;

inline constexpr int kPlayerNameLength = 15;

class CPlayerEditbox : public CDialogScaledFrame {
 public:
  CPlayerEditbox(CGameObject* owner, CGameObject* parent, bool canCancel);
  ~CPlayerEditbox() override;

  void Update() override;  // Return acts as OK
  int GetTypeId() override { return TypeId::kPlayerEditbox; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // Cancel, when there is one

  // OK: true when a player was made current and the editor closes.
  bool Accept();
  bool CanCancel() const { return canCancel_; }
  CEditControl* GetEditControl() const { return edit_; }
  CPushbutton* GetButton(int id);

 private:
  CEditControl* edit_ = nullptr;
  bool canCancel_;
};

CPlayerEditbox* OpenPlayerEditbox(CGameObject* owner, CGameObject* parent, bool canCancel);
CPlayerEditbox* GetPlayerEditbox();  // the open one that is not closing, or null
