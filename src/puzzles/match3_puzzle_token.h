// CMatch3PuzzleToken: one food token on the arcade board. Where it lies and whether it falls is
// the board's business; the token draws itself with a soft shadow and wobbles while it belongs to
// the group under the pointer.
#pragma once

#include "scene/sprite.h"

class CMatch3PuzzleToken : public CSprite {
 public:
  static constexpr float kShadowOpacity = 0.6f;
  static constexpr float kShadowDrop = 0.1f;  // of the token's height
  static constexpr float kWobbleAngle = 0.7f;

  CMatch3PuzzleToken(CGameObject* parent, int id, int symbol);

  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kMatch3PuzzleToken; }
  int HitTest() override { return kHitNone; }  // the cell below takes the pointer

  int Id() const { return id_; }
  int Symbol() const { return symbol_; }
  // Starts or stops the wobble; the angle follows from the time it started.
  void SetWobbling(bool wobbling, float now);
  bool IsWobbling() const { return wobbleStart_ >= 0; }

 private:
  int id_, symbol_;
  float wobbleStart_ = -1;
};

// The picture of a symbol (0 pizza, 1 tomato, 2 pepper, 3 mushroom).
const char* Match3SymbolPicture(int symbol);
