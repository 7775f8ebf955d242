#include "puzzles/circuit_puzzle_wire.h"

#include "puzzles/circuit_puzzle_environment.h"
#include "scene/input.h"
#include "ui/control_hover.h"

std::string WirePicture(int type, bool powered) {
  static const char* const kNames[] = {"Elbow", "Fork", "Straight", "Cross"};
  if (type < circuit::kElbow || type > circuit::kCross) return {};
  return std::string("Puzzles\\CircuitPuzzle\\") + kNames[type - 1] + (powered ? "On.png" : "Off.png");
}

CCircuitPuzzleWire::CCircuitPuzzleWire(CCircuitPuzzleEnvironment* scene, int index, int type)
    : scene_(scene), index_(index), on_(WirePicture(type, true)), off_(WirePicture(type, false)) {
  if (scene) Attach(scene, 0);
  SetTexture(off_.c_str());
}

int CCircuitPuzzleWire::HitTest() {
  if (IsHidden()) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!GetScreenRect().ContainsPoint(float(x), float(y))) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CCircuitPuzzleWire::Update() {
  if (!scene_ || !HoveredThisFrame(this)) return;
  if (IsLeftClick())
    scene_->TurnWire(this, true);
  else if (IsRightClick())
    scene_->TurnWire(this, false);
}

void CCircuitPuzzleWire::Show(const circuit::Tile& tile) {
  SetAngle(tile.angle);
  SetTexture(tile.powered ? on_.c_str() : off_.c_str());
}
