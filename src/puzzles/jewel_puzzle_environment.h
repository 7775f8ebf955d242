// CJewelPuzzleEnvironment: the empty setting of the parure. Thirteen stones joined by chains lie
// tangled; the player drags stones until no chain crosses another (crossing chains show red, clear
// ones green). Reset scatters them back, Skip lays them in their ring. Solving uses up the stones.
#pragma once

#include <array>

#include "puzzles/jewel_graph.h"
#include "puzzles/puzzle_environment.h"

class CJewelPuzzleToken;
class CSprite;

class CJewelPuzzleEnvironment : public CPuzzleEnvironment {
 public:
  CJewelPuzzleEnvironment();
  ~CJewelPuzzleEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kJewelPuzzleEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  CJewelPuzzleToken* GetToken(int index) const;
  CSprite* GetChain(int index) const;
  // Where the stones are now, in fractions of the scene.
  jewel::Layout CurrentLayout() const;
  const jewel::Layout& StartLayout() const { return start_; }
  const jewel::Layout& SolvedLayout() const { return home_; }
  int CrossingChains() const { return crossingChains_; }
  // A press on a stone: it follows the pointer until the button is let go.
  void GripToken(CJewelPuzzleToken* token);

 private:
  bool AnyAnimating() const;
  void DragStep();
  void UpdateChains();
  void MoveAll(const jewel::Layout& to);
  void Reset();
  void Solved();

  jewel::Layout home_{}, start_{};
  std::array<CXRef*, jewel::kStones> tokens_{};
  std::array<CXRef*, jewel::kChains> chains_{};
  int crossingChains_ = 0;
};

// The factory entry of class 99 (no data file).
CEnvironment* BuildJewelPuzzle(const char* argument);
