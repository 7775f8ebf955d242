// CMatch3PuzzleEnvironment: the arcade cabinet's board of food tokens. Clicking two or more alike
// neighbours clears them and turns their plates green; tokens above fall into the gaps and new
// ones fall in from the top. When every plate is green the board flies apart and the party in the
// back room opens. Shuffle, an automatic shuffle when nothing matches and an idle hint keep play
// moving.
#pragma once

#include <map>
#include <vector>

#include "puzzles/match3_board.h"
#include "puzzles/puzzle_environment.h"

class CMatch3PuzzleToken;
class CMatch3PuzzleBacker;
class CSprite;

class CMatch3PuzzleEnvironment : public CPuzzleEnvironment {
 public:
  static constexpr float kHintIdle = 20.0f;
  static constexpr float kShuffleCooldown = 30.0f;
  static constexpr float kFinalTime = 4.5f;
  static constexpr float kExitWait = 2.0f;  // after the final animation
  static constexpr float kBrightenTime = 3.0f;
  static constexpr float kDimmed = 0.6f;

  explicit CMatch3PuzzleEnvironment(const match3::Match3File& file);
  ~CMatch3PuzzleEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kMatch3PuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const match3::Board& Board() const { return board_; }
  const match3::Layout& Layout() const { return layout_; }
  // The pointer is over a cell this frame: the group on it is counted (once a frame).
  void HoverCell(int cell);
  void ClickCell(int cell);
  int HoverGroupSize() const;
  CMatch3PuzzleToken* GetToken(int id) const;
  CMatch3PuzzleBacker* GetBacker(int cell) const;
  CGameObject* GetHintHalo() const { return WeakTarget(halo_); }
  CGameObject* GetNoMatchBox() const { return WeakTarget(noMatchBox_); }
  bool HasArrived() const { return arrived_; }

 private:
  void Arrive();
  void SyncTokens();
  void StepBoard();
  void AfterLanding();
  void Shuffle();
  void HintStep();
  void Solved();
  void FinalStep();
  void ClearHint();
  ScreenRect CellRect(int cell) const;

  match3::Board board_;
  match3::Layout layout_;
  CXRef* frame_ = nullptr;        // the board: parent of plates and tokens, faded when solved
  std::vector<CXRef*> backers_;   // sized once: weak references write into their slots
  std::map<int, CXRef*> tokens_;  // by token id; map nodes never move
  CXRef* halo_ = nullptr;
  CXRef* noMatchBox_ = nullptr;
  std::vector<int> hoverGroup_;
  int hoverFrame_ = -1;
  float lastActivity_ = 0;
  float finalStart_ = -1;
  bool arrived_ = false;
};

// The factory entry of class 87; null (after a message) when the file cannot be read.
CEnvironment* BuildMatch3Puzzle(const char* fileName);
