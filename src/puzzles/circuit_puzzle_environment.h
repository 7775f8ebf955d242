// CCircuitPuzzleEnvironment: the fuse box. Wire tiles start turned at random; clicks turn them a
// quarter at a time, power floods from the cable on the left, and the box is solved when every
// tile carries it. Reset turns the tiles back to their first turns, Skip to the file's solution.
#pragma once

#include <vector>

#include "puzzles/circuit_board.h"
#include "puzzles/puzzle_environment.h"

class CCircuitPuzzleWire;

class CCircuitPuzzleEnvironment : public CPuzzleEnvironment {
 public:
  explicit CCircuitPuzzleEnvironment(const circuit::CircuitFile& file);
  ~CCircuitPuzzleEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kCircuitPuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const circuit::Board& Board() const { return board_; }
  CCircuitPuzzleWire* GetWire(int index) const;
  int CableCount() const { return cables_; }
  // A click on a tile: a quarter forwards or backwards, when the puzzle takes input.
  void TurnWire(CCircuitPuzzleWire* wire, bool forwards);

 private:
  void Sync();
  void Solved();

  circuit::Board board_;
  std::vector<CXRef*> wires_;
  int cables_ = 0;
};

// The factory entry of class 73; null (after a message) when the file cannot be read.
CEnvironment* BuildCircuitPuzzle(const char* fileName);
