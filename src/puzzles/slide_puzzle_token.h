// CSlidePuzzleToken: one walnut block of the lockbox. It tells its scene when it is gripped;
// where it lies is the scene's board's business.
#pragma once

#include <string>

#include "scene/sprite.h"

class CSlidePuzzleEnvironment;

class CSlidePuzzleToken : public CSprite {
 public:
  CSlidePuzzleToken(CSlidePuzzleEnvironment* scene, int index, const std::string& picture);
  ~CSlidePuzzleToken() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kSlidePuzzleToken; }
  int GetCursorKind() override;
  int HitTest() override;
  int Index() const { return index_; }

 private:
  CSlidePuzzleEnvironment* scene_;
  int index_;
};
