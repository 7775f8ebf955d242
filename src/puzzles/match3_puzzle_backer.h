// CMatch3PuzzleBacker: one enamel plate of the arcade board. It starts red, fades to green once a
// token on it has been cleared, and pulses with a glow while only a few red plates are left. It
// takes the pointer for the board: hovering counts the group on it, a click clears it.
#pragma once

#include "scene/sprite.h"

class CMatch3PuzzleEnvironment;

class CMatch3PuzzleBacker : public CSprite {
 public:
  static constexpr float kGreenFade = 0.5f;
  static constexpr int kPulseBelow = 5;  // plates left red when the pulse starts
  static constexpr float kPulseRate = 3.0f;

  CMatch3PuzzleBacker(CMatch3PuzzleEnvironment* scene, CGameObject* parent, int cell);
  ~CMatch3PuzzleBacker() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kMatch3PuzzleBacker; }
  int GetCursorKind() override;
  int HitTest() override;
  int Cell() const { return cell_; }

 private:
  CMatch3PuzzleEnvironment* scene_;
  int cell_;
  TextureEntry* green_ = nullptr;
  TextureEntry* highlight_ = nullptr;
};

// How green a plate looks: 0 red, 1 green, fading over half a second from the time it turned.
float BackerGreenShare(bool green, float greenTime, float now);
// The glow added over a red plate: sin^2(3 t) while at most five plates are red, else 0.
float BackerPulse(bool green, int redLeft, float now);
