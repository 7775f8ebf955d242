// CCircuitPuzzleWire: one wire tile of the fuse box. It turns when clicked (left forwards, right
// backwards) by asking its scene; its angle and lit picture are the scene's board's business.
#pragma once

#include <string>

#include "puzzles/circuit_board.h"
#include "scene/sprite.h"

class CCircuitPuzzleEnvironment;

class CCircuitPuzzleWire : public CSprite {
 public:
  CCircuitPuzzleWire(CCircuitPuzzleEnvironment* scene, int index, int type);

  void Update() override;
  int GetTypeId() override { return TypeId::kCircuitPuzzleWire; }
  int HitTest() override;
  int Index() const { return index_; }
  // Shows the tile as the board holds it: turned to its angle, lit while powered.
  void Show(const circuit::Tile& tile);

 private:
  CCircuitPuzzleEnvironment* scene_;
  int index_;
  std::string on_, off_;
};

// The picture of a wire type, lit or not ("Puzzles\CircuitPuzzle\ElbowOn.png").
std::string WirePicture(int type, bool powered);
