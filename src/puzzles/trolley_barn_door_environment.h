// CTrolleyBarnDoorEnvironment: the keypad on the barn door post. Eight brass buttons, a row of call
// lamps that blink the column to answer and a row of progress lamps, all pieces of the lit picture
// over the dark one. The hidden order lives in barndoor::DoorSequence.
#pragma once

#include <array>

#include "puzzles/door_sequence.h"
#include "puzzles/puzzle_environment.h"

class CPuzzlePatch;

class CTrolleyBarnDoorEnvironment : public CPuzzleEnvironment {
 public:
  CTrolleyBarnDoorEnvironment();
  ~CTrolleyBarnDoorEnvironment() override;

  int GetTypeId() override { return TypeId::kTrolleyBarnDoorEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  // The four answers lit, then the door opens as after the fourth right press.
  void SolveNow() override;
  void ShowHelp() override;

  const barndoor::DoorSequence& Sequence() const { return sequence_; }
  CPuzzlePatch* CallLamp(int column) const;
  CPuzzlePatch* ProgressLamp(int column) const;
  CPuzzlePatch* Button(int value) const;

 private:
  void Press(CGameObject* sender);
  void Sync();
  void Solved();

  barndoor::DoorSequence sequence_;
  std::array<CXRef*, barndoor::kColumns> calls_{};
  std::array<CXRef*, barndoor::kColumns> progress_{};
  std::array<CXRef*, barndoor::kColumns> buttons_{};
};

// The factory entry of class 93 (no data file).
CEnvironment* BuildTrolleyBarnDoor(const char* fileName);
