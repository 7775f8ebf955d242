// The in-game menu: a framed night-sky window with a stack of label buttons (Options, Resume,
// Help, Main menu, as its flags ask). At most one exists. It outlives a deleted parent and stays
// until one of its buttons or Esc closes it.
#pragma once

#include "ui/dialog_layouts.h"
#include "ui/dialog_scaled_frame.h"

class CPushbutton;

class CGameDialog : public CDialogScaledFrame {
 public:
  CGameDialog(CGameObject* parent, unsigned flags);
  ~CGameDialog() override;

  void OnParentDestroyed(CGameObject*) override {}
  void Update() override;  // a rebuild asked for by the closing options dialog
  int GetTypeId() override { return TypeId::kGameDialog; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // closes with 1229 to the parent

  unsigned GetFlags() const { return flags_; }
  CPushbutton* GetButton(int id);
  // Whether the options dialog opened from here is still up (the menu waits, popped out).
  bool WaitingForOptions() const { return waitingForOptions_; }
  bool RebuildPending() const { return rebuildPending_; }

 private:
  void OpenOptions();

  unsigned flags_;
  CXRef* options_ = nullptr;
  bool waitingForOptions_ = false;
  bool rebuildPending_ = false;
};

// The open in-game menu (one that is not closing), else a new one on parent; the clock stands
// still while it is built.
CGameDialog* OpenGameDialog(CGameObject* parent, unsigned flags);
CGameDialog* GetGameDialog();  // the live one, closing or not
