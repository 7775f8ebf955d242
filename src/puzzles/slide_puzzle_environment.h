// CSlidePuzzleEnvironment: the lockbox of sliding walnut blocks. Blocks slide along their length
// as far as the others and the tray allow; the prize block leaving by the slot on the right opens
// the box, the prize slides out and its item joins the strip.
#pragma once

#include <vector>

#include "puzzles/puzzle_environment.h"
#include "puzzles/slide_board.h"

class CSlidePuzzleToken;
class CSprite;

class CSlidePuzzleEnvironment : public CPuzzleEnvironment {
 public:
  explicit CSlidePuzzleEnvironment(const slide::SlideFile& file);
  ~CSlidePuzzleEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kSlidePuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const slide::Board& Board() const { return board_; }
  CSlidePuzzleToken* GetToken(int index) const;
  void GripToken(CSlidePuzzleToken* token);

 private:
  void DragStep();
  void SyncTokens();
  void Solved();
  void Reset();

  slide::SlideFile file_;
  slide::Board board_;
  std::vector<CXRef*> tokens_;
  CXRef* prize_ = nullptr;  // the picture laid over the prize block
  int prizeIndex_ = -1;
  float slideStart_ = -1, slideFromX_ = 0;
};

// The factory entry of class 84; null (after a message) when the file cannot be read.
CEnvironment* BuildSlidePuzzle(const char* fileName);
