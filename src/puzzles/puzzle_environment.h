// CPuzzleEnvironment: the frame every mini-puzzle shares. By its option bits it shows the lead
// character in the corner, the inventory strip (restored from the profile and written back when
// the puzzle closes) and the button bar. It answers the shared commands (Menu, Back, Skip with its
// confirmation and penalty, Help), knows whether the puzzle is solved, and offers the arrival
// help and the solved step the puzzles build on.
#pragma once

#include <cstdint>

#include "flow/environment.h"

class CInventoryBoard;
class CJorvaneCorner;
class CPuzzleButtonBoard;
class CSpeechBalloon;

class CPuzzleEnvironment : public CEnvironment {
 public:
  CPuzzleEnvironment(uint32_t options, const char* background);
  ~CPuzzleEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kPuzzleEnvironment; }
  // The shared commands; puzzles pass on what they do not handle.
  void OnNotify(CGameObject* sender, int code) override;
  // Esc opens the in-game menu.
  void OnEscape() override;
  // Play time runs until the puzzle is solved.
  int CountsPlayTime() override { return solved_ ? 0 : 1; }
  // The puzzle's own solution, used by Skip. Each puzzle solves itself as the player would, so
  // flags, speech and the way out are the same.
  virtual void SolveNow() {}
  // The puzzle's help (speech or picture); the base has none.
  virtual void ShowHelp() {}

  // The shared solved step: false (nothing happens) when already solved; otherwise the puzzle is
  // solved from now, play time stops and the button bar slides away.
  bool MarkSolved();
  bool IsSolved() const { return solved_; }
  float GetSolvedTime() const { return solvedTime_; }
  float GetArrivalTime() const { return arrivalTime_; }
  uint32_t GetOptions() const { return options_; }
  // No puzzle input once solved, nor while an animated solve-now runs.
  bool AcceptsInput() const { return !solved_ && !solvingNow_; }
  void SetSolvingNow(bool running) { solvingNow_ = running; }
  bool IsSolvingNow() const { return solvingNow_; }
  bool SkipReady() const;

  CJorvaneCorner* GetCorner() const;
  CInventoryBoard* GetInventory() const;
  CPuzzleButtonBoard* GetButtonBoard() const;

  // Arrival: sets the entered flag and shows the help when it was clear (a negative flag: on every
  // arrival). Returns whether this was the first arrival.
  bool ArriveWithHelp(int enteredFlag);
  // The lead character says key; code reaches this scene when the balloon closes. Without a
  // balloon to show (no key, no corner) the code still arrives, on the next frame.
  CSpeechBalloon* Say(const char* key, int code = 0);
  // Back to the venue the player came from (the main menu without one), delay seconds later.
  void ReturnToVenue(float delay);
  // The button bar slides out of the way (under a help picture) and back in when it closes.
  void HideButtons();
  void ShowButtons();

 private:
  void AskSkip();
  bool IsSkipBox(CGameObject* sender) const;

  uint32_t options_;
  bool solved_ = false;
  bool solvingNow_ = false;
  float solvedTime_ = 0;
  float arrivalTime_ = 0;
  int deferredCode_ = 0;
  CXRef* corner_ = nullptr;
  CXRef* inventory_ = nullptr;
  CXRef* board_ = nullptr;
  CXRef* skipBox_ = nullptr;
};

// The current scene when it is a puzzle, else null.
CPuzzleEnvironment* CurrentPuzzle();
