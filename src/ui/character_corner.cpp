#include "ui/character_corner.h"

#include <algorithm>

#include "ui/speech_balloon.h"
#include "ui/speech_geometry.h"

namespace speech {

const CharacterInfo* FindCharacter(int character) {
  static const CharacterInfo kTable[kCharacterCount] = {
      {"GUI\\Characters\\Portrait0.png", 0.614f, 0.784f, 0.827f},
      {"GUI\\Characters\\Portrait1.png", 0.614f, 0.838f, 0.864f},
      {"GUI\\Characters\\Portrait2.png", 0.792f, 0.916f, 0.722f},
      {"GUI\\Characters\\Portrait3.png", 0.78f, 0.725f, 0.688f},
      {"GUI\\Characters\\Portrait4.png", 0.737f, 0.826f, 0.816f},
      {nullptr, 0.682f, 0.72f, 0.84f},
  };
  return character >= 0 && character < kCharacterCount ? &kTable[character] : nullptr;
}

}  // namespace speech

namespace {

CCharacterCorner* g_corner = nullptr;
constexpr float kDepth = 4.99f;

}  // namespace

CCharacterCorner::CCharacterCorner(CGameObject* parent, int character)
    : character_(std::clamp(character, 0, speech::kCharacterCount - 1)) {
  const speech::CharacterInfo* info = speech::FindCharacter(character_);
  anchorX_ = info->anchorX;
  anchorY_ = info->anchorY;
  if (info->portrait) texture_ = AcquireTexture(info->portrait, 0);
  if (parent) Attach(parent, 0);
  SetDepth(kDepth);
  SetScreenRect(speech::CharacterCornerRect(GetParentRect().Height(), info->aspect));
  naturalAspect_ = info->aspect;
  g_corner = this;
}

CCharacterCorner::~CCharacterCorner() {
  if (g_corner == this) g_corner = nullptr;
}

void CCharacterCorner::GetSpeechAnchor(float& x, float& y) {
  const ScreenRect r = GetScreenRect();
  x = r.left + anchorX_ * r.Width();
  y = r.top + anchorY_ * r.Height();
}

CCharacterCorner* GetCharacterCorner() {
  return g_corner;
}

CSpeechBalloon* SpeakAsCharacter(const char* key) {
  CCharacterCorner* corner = g_corner;
  if (!corner) return nullptr;
  float x = 0, y = 0;
  corner->GetSpeechAnchor(x, y);
  CGameObject* parent = corner->GetParent() ? corner->GetParent() : corner;
  return ShowSpeechBalloon(key, x, y, parent, kSpriteMirror);
}
