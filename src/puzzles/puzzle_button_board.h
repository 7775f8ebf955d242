// CPuzzleButtonBoard: the carved bar along the bottom of every puzzle that carries its buttons
// (Back, Skip, Reset, Menu, Help, Shuffle, as the puzzle's option bits ask). The buttons report
// to the puzzle scene, not to the bar.
#pragma once

#include <cstdint>

#include "scene/sprite.h"

class CPushbutton;

class CPuzzleButtonBoard : public CSprite {
 public:
  // The bar on scene with the buttons of options; owner hears their clicks.
  CPuzzleButtonBoard(CSprite* scene, CGameObject* owner, uint32_t options);

  int GetTypeId() override { return TypeId::kPuzzleButtonBoard; }
  // Blocks the pointer over its opaque pixels.
  int HitTest() override;

  // The button of that command, or null.
  CPushbutton* GetButton(int command);
  int ButtonCount();
};
