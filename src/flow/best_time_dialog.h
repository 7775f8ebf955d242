// The times list: the ten fastest games of every player on this computer, finished or in progress,
// in three columns (name, stage, time). It is built from the profiles on disk when it opens and
// closes with 1248 on Back or Esc.
#pragma once

#include <vector>

#include "flow/best_times.h"
#include "ui/dialog_scaled_frame.h"

class CTextSprite;

class CBestTimeDialog : public CDialogScaledFrame {
 public:
  CBestTimeDialog(CGameObject* owner, CGameObject* parent);
  ~CBestTimeDialog() override;

  int GetTypeId() override { return TypeId::kBestTimeDialog; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;

  const std::vector<BestTimeEntry>& Entries() const { return entries_; }
  // The texts of row i (0 = the column titles), left to right.
  std::vector<std::string> RowTexts(int row) const;

 private:
  std::vector<BestTimeEntry> entries_;
  std::vector<std::vector<CTextSprite*>> rows_;
};

CBestTimeDialog* OpenBestTimeDialog(CGameObject* owner, CGameObject* parent);
CBestTimeDialog* GetBestTimeDialog();  // the open one that is not closing, or null
