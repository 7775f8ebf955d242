// CJewelPuzzleToken: one stone of the jewel setting. It is picked on its opaque pixels and tells
// its scene when the player grips it; where it goes while dragged is the scene's business.
#pragma once

#include "scene/sprite.h"

class CJewelPuzzleEnvironment;

class CJewelPuzzleToken : public CSprite {
 public:
  CJewelPuzzleToken(CJewelPuzzleEnvironment* scene, int index, const ScreenRect& rect, float depth);
  ~CJewelPuzzleToken() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kJewelPuzzleToken; }
  int GetCursorKind() override;
  int HitTest() override;

  int Index() const { return index_; }
  // How many of the chains this stone owns cross another chain (kept by the scene).
  int Crossings() const { return crossings_; }
  void SetCrossings(int n) { crossings_ = n; }

 private:
  CJewelPuzzleEnvironment* scene_;
  int index_;
  int crossings_ = 0;
};
