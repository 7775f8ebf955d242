// CCharacterCorner: the portrait of the other speaker of a conversation in the top-left corner,
// and the balloons that character speaks. At most one exists.
#pragma once

#include "scene/sprite.h"

class CSpeechBalloon;

namespace speech {
constexpr int kCharacterCount = 6;
struct CharacterInfo {
  const char* portrait;    // member of Textures.pak; null for a character without a picture
  float aspect;            // portrait width / height
  float anchorX, anchorY;  // where the balloon starts, as fractions of the portrait
};
// The character table; numbers outside 0..5 give null.
const CharacterInfo* FindCharacter(int character);
}  // namespace speech

class CCharacterCorner : public CSprite {
 public:
  CCharacterCorner(CGameObject* parent, int character);
  ~CCharacterCorner() override;

  int GetTypeId() override { return TypeId::kCharacterCorner; }
  int GetCharacter() const { return character_; }
  // The point the character's balloons grow from, in client pixels.
  void GetSpeechAnchor(float& x, float& y);

 private:
  int character_;
  float anchorX_;
  float anchorY_;
};

CCharacterCorner* GetCharacterCorner();

// A balloon of the corner character, mirrored so it grows to the right; null without a corner.
CSpeechBalloon* SpeakAsCharacter(const char* key);
