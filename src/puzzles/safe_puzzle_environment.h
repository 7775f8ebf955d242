// CSafePuzzleEnvironment: the foreman's safe seen close, with its combination dial. Four steps
// dialled in order, each in its own sense and without running on too far, open it and lead
// inside the safe.
#pragma once

#include "puzzles/puzzle_environment.h"

class CSafeDial;

// The dial tells its scene that the last step was dialled.
inline constexpr int kCmdSafeOpened = 1345;

class CSafePuzzleEnvironment : public CPuzzleEnvironment {
 public:
  CSafePuzzleEnvironment();
  ~CSafePuzzleEnvironment() override;

  int GetTypeId() override { return TypeId::kSafePuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  CSafeDial* GetDial() const;
  // The dial ran on past a step: the wheels dropped.
  void Overshot();

 private:
  void Solved();
  CXRef* dial_ = nullptr;
};

// The factory entry of class 94 (no data file).
CEnvironment* BuildSafePuzzle(const char* argument);
