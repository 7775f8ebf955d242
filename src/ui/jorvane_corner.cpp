#include "ui/jorvane_corner.h"

#include "scene/input.h"
#include "ui/speech_balloon.h"
#include "ui/speech_geometry.h"

namespace {

CJorvaneCorner* g_corner = nullptr;

constexpr const char* kPicture = "GUI\\Characters\\JorvaneCorner.tga";
constexpr float kDepth = 4.99f;

// Her balloons belong to the scene, not to the corner, so they outlive nothing of hers.
CGameObject* BalloonParent(CJorvaneCorner* corner) {
  return corner->GetParent() ? corner->GetParent() : corner;
}

void Anchor(CJorvaneCorner* corner, float& x, float& y) {
  speech::JorvaneAnchor(corner->GetScreenRect(), x, y);
}

}  // namespace

CJorvaneCorner::CJorvaneCorner(CGameObject* environment) {
  texture_ = AcquireTexture(kPicture, kTexHitMask);
  if (environment) Attach(environment, 0);
  SetDepth(kDepth);
  SetScreenRect(speech::JorvaneCornerRect(GetParentRect()));
  naturalAspect_ = 0.644f;
  g_corner = this;  // the newest one speaks
}

CJorvaneCorner::~CJorvaneCorner() {
  if (g_corner == this) g_corner = nullptr;
}

int CJorvaneCorner::HitTest() {
  if (IsHidden() || GetOpacity() != 1.0f) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float lx = 0, ly = 0;
  if (!GetScreenRect().ToLocal(float(x), float(y), lx, ly) || lx < -1 || lx > 1 || ly < -1 || ly > 1)
    return kHitNone;
  // The mask's y axis points up.
  return HitTestMask(texture_, lx, -ly) ? kHitBlocking : kHitNone;
}

CJorvaneCorner* GetJorvaneCorner() {
  return g_corner;
}

CSpeechBalloon* SpeakAsJorvane(const char* key) {
  CJorvaneCorner* corner = g_corner;
  if (!corner) return nullptr;
  float x = 0, y = 0;
  Anchor(corner, x, y);
  return ShowSpeechBalloon(key, x, y, BalloonParent(corner), 0);
}

CSpeechBalloon* SpeakPictureAsJorvane(const char* name, float heightFraction, float aspect) {
  CJorvaneCorner* corner = g_corner;
  if (!corner) return nullptr;
  float x = 0, y = 0;
  Anchor(corner, x, y);
  return ShowPictureBalloon(name, x, y, BalloonParent(corner), heightFraction, aspect);
}
