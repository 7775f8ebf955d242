// CCameraPuzzleEnvironment: the code lock of a folding plate camera. A brass keypad (digits, Enter,
// Clear) fills a four-window display; the right code opens the plate box. The rules live in
// cameracode::CodeEntry.
#pragma once

#include <array>

#include "puzzles/code_entry.h"
#include "puzzles/puzzle_environment.h"

class CPushbutton;
class CTextSprite;

namespace cameracode {
// Commands of the keys: the digits 0..9, then Enter and Clear.
inline constexpr int kCmdDigit0 = 1318;
inline constexpr int kCmdEnter = 1328;
inline constexpr int kCmdClear = 1329;

// Where the keys and the display windows sit in a scene of width w and height h (scene-relative).
ScreenRect KeyRect(int command, float w, float h);
ScreenRect SlotRect(int slot, float w, float h);
}  // namespace cameracode

class CCameraPuzzleEnvironment : public CPuzzleEnvironment {
 public:
  CCameraPuzzleEnvironment();
  ~CCameraPuzzleEnvironment() override;

  int GetTypeId() override { return TypeId::kCameraPuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  // The code appears in the windows, then the box opens as after Enter.
  void SolveNow() override;
  void ShowHelp() override;

  const cameracode::CodeEntry& Entry() const { return entry_; }
  CPushbutton* Key(int command) const;
  CTextSprite* Slot(int slot) const;

 private:
  void ShowSlots();
  void Solved();

  cameracode::CodeEntry entry_;
  std::array<CXRef*, 12> keys_{};
  std::array<CXRef*, cameracode::kSlots> slots_{};
};

// The factory entry of class 62 (no data file).
CEnvironment* BuildCameraPuzzle(const char* fileName);
