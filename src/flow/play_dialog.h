// Continue or start over: the choice the Play button offers a player with a game in progress.
// Either choice goes on to the main menu as its command; the dialog then closes with 1366.
#pragma once

#include "ui/dialog_scaled_frame.h"

class CPushbutton;

class CPlayDialog : public CDialogScaledFrame {
 public:
  CPlayDialog(CGameObject* owner, CGameObject* parent);
  ~CPlayDialog() override;

  int GetTypeId() override { return TypeId::kPlayDialog; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // as Cancel

  CPushbutton* GetButton(int id);
};

// The open play dialog (one that is not closing), else a new one; the clock stands still while it
// is built.
CPlayDialog* OpenPlayDialog(CGameObject* owner, CGameObject* parent);
CPlayDialog* GetPlayDialog();  // the open one that is not closing, or null
