// CRoomLockPuzzleEnvironment: the house detective's door. Three number wheels open on the
// locksmith's code; behind them a code panel takes rows of four guessed figures, judges each
// figure green, yellow or red, and starts the rows over after seven wrong tries.
#pragma once

#include <array>

#include "puzzles/puzzle_environment.h"
#include "puzzles/room_lock.h"

class CPushbutton;
class CRoomLockRow;
class CTextSprite;

class CRoomLockPuzzleEnvironment : public CPuzzleEnvironment {
 public:
  explicit CRoomLockPuzzleEnvironment(const roomlock::Code& secret);
  ~CRoomLockPuzzleEnvironment() override;

  int GetTypeId() override { return TypeId::kRoomLockPuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const roomlock::Lock& Lock() const { return lock_; }
  // From the open row: a digit turned, the row submitted.
  void TurnDigit(int digit, int step);
  void Submit();

  CRoomLockRow* Row(int n) const;
  CPushbutton* WheelButton(int wheel, bool up) const;
  CTextSprite* WheelText(int wheel) const;

 private:
  void ShowWheels();
  void RemoveWheelButtons();
  void ShowRows();
  void Solved();

  roomlock::Lock lock_;
  std::array<CXRef*, roomlock::kWheels> texts_{};
  std::array<CXRef*, 2 * roomlock::kWheels> wheelButtons_{};  // up 0..2, then down 0..2
  std::array<CXRef*, roomlock::kMaxRows> rows_{};             // slots never move
};

// The factory entry of class 97 (no data file): a fresh secret from the game's generator.
CEnvironment* BuildRoomLockPuzzle(const char* argument);
