#include "ui/speech_balloon.h"

#include <algorithm>

#include "audio/sound_effects.h"
#include "data/texture_cache.h"
#include "scene/input.h"
#include "scene/sprite_animator.h"
#include "scene/text_container.h"
#include "ui/balloon_starburst.h"
#include "ui/speech_geometry.h"
#include "ui/speech_keys.h"

namespace {

std::vector<CSpeechBalloon*> g_balloons;

constexpr float kGrowTime = 0.25f;
constexpr const char* kTextFont = "ComicStrip";
constexpr uint32_t kTextColor = 0xFF000000;

}  // namespace

CSpeechBalloon::CSpeechBalloon(const char* key, float anchorX, float anchorY, CGameObject* parent,
                               uint32_t flags, float pictureHeight, float pictureAspect)
    : fade_(GetTime()), key_(key ? key : "") {
  if (parent) Attach(parent, 0);
  SetDepth(GetTopDepth() + 1.0f);
  g_balloons.push_back(this);
  AddFlags(flags);
  SetOpacity(0.0f);
  AcquirePicture();

  const float clientH = float(GetClientHeight());
  speech::BalloonLayout layout;
  if (pictureHeight > 0.0f) {
    RemoveFlags(kSpriteMirror);  // picture balloons always grow to the left
    layout = speech::LayoutPictureBalloon(anchorX, anchorY, pictureHeight, pictureAspect, clientH);
    content_ = new CSprite();
    content_->SetTexture(key_.c_str());
  } else {
    auto* text = new CTextContainer(key_.c_str(), kTextFont);
    text->SetColor(kTextColor);
    layout = speech::LayoutTextBalloon(anchorX, anchorY, text->GetLineCount(), text->GetNaturalAspect(),
                                       clientH, (GetFlags() & kSpriteMirror) != 0);
    content_ = text;
  }
  SetScreenRect(layout.balloon);
  content_->Attach(this, 0);
  content_->SetScreenRect(layout.content);
  content_->CGameObject::SetDepth(GetDepth() + 0.01f);  // the text block passes it to its lines
  content_->SetDepth(GetDepth() + 0.01f);
  Grow(layout.balloon);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSpeechBalloon::~CSpeechBalloon() {
  std::erase(g_balloons, this);
  delete targetRef_;
  targetRef_ = nullptr;
  InvalidateDeviceObjects();
}

void CSpeechBalloon::Grow(const ScreenRect& final) {
  // The children are placed relative to the balloon, so they grow with it.
  SetScreenRect(speech::GrowthStartRect(final, (GetFlags() & kSpriteMirror) != 0));
  new CSpriteAnimator(this, kAnimMove, kGrowTime, kAnimDeleteAnimator, &final);
}

void CSpeechBalloon::SetNotifyTarget(CGameObject* target, int code) {
  delete targetRef_;
  targetRef_ = nullptr;
  CreateWeakRef(target, &targetRef_);
  notifyCode_ = code;
}

void CSpeechBalloon::Update() {
  switch (fade_.Step(GetTime())) {
    case speech::FadeEvent::kBecameShown:
      Pop();
      break;
    case speech::FadeEvent::kFinished:
      delete this;
      return;
    case speech::FadeEvent::kNone:
      break;
  }
  SetOpacity(fade_.Opacity());
  if (fade_.State() != speech::FadeState::kShown || !IsLeftClick()) return;
  const bool hovered = hoveredFrame_ + 1 == int(GetFrameCount());
  if (hovered || !GetNotifyTarget()) Dismiss();
}

void CSpeechBalloon::Pop() {
  SoundParams params;
  params.volume = 1.0f;
  PlaySound(GetSoundEffect("Pop.wav"), params);
  StartBalloonStarburst(this);
}

void CSpeechBalloon::Dismiss() {
  if (fade_.State() == speech::FadeState::kClosing) return;
  fade_.StartClosing(GetTime());
  SetOpacity(fade_.Opacity());
  if (CGameObject* target = GetNotifyTarget()) target->OnNotify(this, notifyCode_);
}

int CSpeechBalloon::HitTest() {
  // Only a fully shown balloon takes the pointer; one that waits for a click takes it anywhere.
  if (!fade_.IsFullyShown() || IsHidden()) return kHitNone;
  if (GetNotifyTarget()) {
    hoveredFrame_ = int(GetFrameCount());
    return kHitHovered;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  return ContainsPoint(float(x), float(y)) ? kHitBlocking : kHitNone;
}

// ---- The balloon list --------------------------------------------------------------------------

const std::vector<CSpeechBalloon*>& AllSpeechBalloons() {
  return g_balloons;
}

bool IsLiveSpeechBalloon(const CSpeechBalloon* balloon) {
  return balloon && std::find(g_balloons.begin(), g_balloons.end(), balloon) != g_balloons.end();
}

namespace {

CSpeechBalloon* FindBalloon(const char* key) {
  for (CSpeechBalloon* b : g_balloons) {
    if (speech::SameKey(b->GetKey(), key)) return b;
  }
  return nullptr;
}

// Every balloon that is not closing starts closing and tells its target. A target may create and
// close balloons while it hears about it, so the walk goes over a copy and skips the dead.
void PushOutBalloons() {
  const std::vector<CSpeechBalloon*> copy = g_balloons;
  for (CSpeechBalloon* b : copy) {
    if (IsLiveSpeechBalloon(b) && b->GetState() != speech::FadeState::kClosing) b->Dismiss();
  }
}

}  // namespace

CSpeechBalloon* ShowSpeechBalloon(const char* key, float anchorX, float anchorY, CGameObject* parent,
                                  uint32_t flags) {
  if (!key || !*key) return nullptr;
  if (CSpeechBalloon* existing = FindBalloon(key)) {
    existing->Reshow();
    return existing;
  }
  PushOutBalloons();
  return new CSpeechBalloon(key, anchorX, anchorY, parent, flags);
}

CSpeechBalloon* ShowPictureBalloon(const char* name, float anchorX, float anchorY, CGameObject* parent,
                                   float heightFraction, float aspect) {
  if (!name || !*name) return nullptr;
  if (CSpeechBalloon* existing = FindBalloon(name)) {
    existing->Reshow();
    return existing;
  }
  PushOutBalloons();
  // A picture balloon needs a positive height to be a picture balloon at all.
  const float h = heightFraction > 0.0f ? heightFraction : 0.01f;
  return new CSpeechBalloon(name, anchorX, anchorY, parent, 0, h, aspect);
}

float GetClickToContinueOpacity() {
  float best = 0.0f;
  for (CSpeechBalloon* b : g_balloons) {
    if (b->GetNotifyCode() != 0) best = std::max(best, b->GetCurrentOpacity());
  }
  return best;
}
