// CJorvaneCorner: the lead character peeking into the top-right corner of the scene, and the
// balloons she speaks. At most one exists.
#pragma once

#include "scene/sprite.h"

class CSpeechBalloon;

class CJorvaneCorner : public CSprite {
 public:
  explicit CJorvaneCorner(CGameObject* environment);
  ~CJorvaneCorner() override;

  int GetTypeId() override { return TypeId::kJorvaneCorner; }
  // Blocks the pointer over her opaque pixels while she is fully shown.
  int HitTest() override;
};

// The corner, or null when there is none.
CJorvaneCorner* GetJorvaneCorner();

// A balloon of the lead character with the text of key; null (nothing shown) without her corner.
CSpeechBalloon* SpeakAsJorvane(const char* key);
// A picture balloon of the lead character: the picture named by its full member name,
// heightFraction of the client height high and aspect times that wide.
CSpeechBalloon* SpeakPictureAsJorvane(const char* name, float heightFraction, float aspect);
