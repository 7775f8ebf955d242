#include "scene/sprite_animator.h"

#include <algorithm>
#include <cmath>

#include "scene/sprite.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kPopArc = 2.1991148f;  // 0.7 pi: overshoots to about 1.24 and settles at 1
constexpr float kThreeTurns = 18.849556f;

float Lerp(float a, float b, float p) {
  return a * (1 - p) + b * p;
}

CSpriteAnimator::Snapshot TakeSnapshot(const CSprite* s) {
  return {s->GetScale(), s->GetOffsetX(),     s->GetOffsetY(),
          s->GetAngle(), s->GetAspectRatio(), s->GetOpacity()};
}

// The placement that puts the sprite at rect inside its parent (the same frame SetScreenRect uses),
// keeping the opacity of base.
CSpriteAnimator::Snapshot PlacementFor(CSprite* sprite, const ScreenRect& rect,
                                       const CSpriteAnimator::Snapshot& base) {
  const ScreenRect p = sprite->GetParentRect();
  const float pw = p.Width(), ph = p.Height();
  float dx = rect.CenterX() - p.CenterX(), dy = rect.CenterY() - p.CenterY();
  if (p.angle != 0) {
    const float c = std::cos(p.angle), s = std::sin(p.angle);
    const float rx = dx * c + dy * s;
    dy = -dx * s + dy * c;
    dx = rx;
  }
  CSpriteAnimator::Snapshot t = base;
  t.offsetX = pw != 0 ? dx / pw : 0.0f;
  t.offsetY = ph != 0 ? dy / ph : 0.0f;
  t.scale = ph != 0 ? rect.Height() / ph : 0.0f;
  t.angle = rect.angle - p.angle;
  t.aspect = rect.Aspect();
  return t;
}

ScreenRect Moved(const ScreenRect& r, float left, float top) {
  return ScreenRect(left, top, left + r.Width(), top + r.Height(), r.angle);
}

}  // namespace

CSpriteAnimator::CSpriteAnimator(CSprite* sprite, int kind, float duration, uint32_t options,
                                 const ScreenRect* dest)
    : options_(options), kind_(std::clamp(kind, 0, kAnimKindCount - 1)) {
  const float now = GetTime();
  startTime_ = now;
  endTime_ = now + duration;
  if (!sprite) return;  // an orphan removes itself on its first update

  if (auto* previous = static_cast<CSpriteAnimator*>(sprite->FindChild(TypeId::kSpriteAnimator))) {
    start_ = previous->start_;
    delete previous;
  } else {
    start_ = TakeSnapshot(sprite);
  }
  Attach(sprite, 0);
  target_ = start_;
  SetUpKind(sprite, dest ? *dest : sprite->GetScreenRect());

  // Show the starting state at once. The end steps wait for the frame loop: an animator that
  // finished here would delete itself before its creator got the pointer back.
  Apply(sprite, Progress(now), now);
}

CSpriteAnimator::~CSpriteAnimator() {
  delete notifyRef_;
}

void CSpriteAnimator::SetUpKind(CSprite* sprite, const ScreenRect& d) {
  const float w = float(GetClientWidth()), h = float(GetClientHeight());
  static const uint32_t kAddedOptions[kAnimKindCount] = {
      kAnimDeleteAnimator,
      kAnimZeroOpacity,
      kAnimDeleteAnimator,
      kAnimZeroOpacity,
      kAnimDeleteAnimator,
      kAnimZeroOpacity,
      kAnimDeleteAnimator,
      kAnimZeroOpacity,
      kAnimDeleteAnimator,
      0,
      kAnimDeleteAnimator,
      0,
      kAnimDeleteAnimator,
      0,
      kAnimDeleteAnimator | kAnimEaseIn,
      kAnimDeleteAnimator,
      kAnimDeleteSprite,
      kAnimDeleteAnimator,
      kAnimEndless,
      kAnimEndless,
      kAnimDeleteSprite,
  };
  options_ |= kAddedOptions[kind_];
  switch (kind_) {
    case kAnimSlideInLeft:
    case kAnimSlideOutLeft:
      target_ = PlacementFor(sprite, Moved(d, -d.Width(), d.top), start_);
      break;
    case kAnimSlideInRight:
    case kAnimSlideOutRight:
      target_ = PlacementFor(sprite, Moved(d, w, d.top), start_);
      break;
    case kAnimSlideInTop:
    case kAnimSlideOutTop:
      target_ = PlacementFor(sprite, Moved(d, d.left, -d.Height()), start_);
      break;
    case kAnimSlideInBottom:
    case kAnimSlideOutBottom:
      target_ = PlacementFor(sprite, Moved(d, d.left, h), start_);
      break;
    case kAnimFadeIn:
      fadeFrom_ = 0, fadeTo_ = 1;
      break;
    case kAnimFadeOut:
      fadeFrom_ = 1, fadeTo_ = 0;
      break;
    case kAnimBounce: {
      const float ph = sprite->GetParentRect().Height();
      amplitude_ = ph != 0 ? 0.02f * sprite->GetScreenRect().Height() / ph : 0.0f;
      break;
    }
    case kAnimWave: {
      const ScreenRect p = sprite->GetParentRect();
      phase_ = p.Width() != 0 ? (sprite->GetScreenRect().CenterX() - p.left) / p.Width() : 0.0f;
      break;
    }
    case kAnimMoveEased:
    case kAnimMove:
    case kAnimSpinAndFly:
    case kAnimAppearFlyVanish:
      target_ = PlacementFor(sprite, d, start_);
      break;
    default:
      break;
  }
}

void CSpriteAnimator::SetNotifyTarget(CGameObject* target, int code) {
  delete notifyRef_;  // its destructor nulls the slot
  notifyRef_ = nullptr;
  CreateWeakRef(target, &notifyRef_);
  notifyCode_ = code;
}

CSprite* CSpriteAnimator::GetSprite() const {
  CGameObject* parent = GetParent();
  return parent && (parent->GetTypeFlags() & kTypeFlagSprite) ? static_cast<CSprite*>(parent) : nullptr;
}

float CSpriteAnimator::Progress(float now) const {
  float p =
      endTime_ <= startTime_ ? 1.0f : std::clamp((now - startTime_) / (endTime_ - startTime_), 0.0f, 1.0f);
  if (options_ & kAnimEaseIn) p *= p;
  return p;
}

void CSpriteAnimator::Apply(CSprite* sprite, float p, float now) {
  const Snapshot& s = start_;
  const Snapshot& t = target_;
  auto moveBetween = [&](const Snapshot& a, const Snapshot& b) {
    sprite->SetScale(Lerp(a.scale, b.scale, p));
    sprite->SetOffset(Lerp(a.offsetX, b.offsetX, p), Lerp(a.offsetY, b.offsetY, p));
    sprite->SetAngle(Lerp(a.angle, b.angle, p));
    sprite->SetOpacity(Lerp(a.opacity, b.opacity, p));
    if (!(options_ & kAnimKeepAspect)) sprite->SetAspectRatio(Lerp(a.aspect, b.aspect, p));
  };
  switch (kind_) {
    case kAnimSlideOutLeft:
    case kAnimSlideOutRight:
    case kAnimSlideOutTop:
    case kAnimSlideOutBottom:
    case kAnimMoveEased:
    case kAnimMove:
      moveBetween(s, t);
      break;
    case kAnimSlideInLeft:
    case kAnimSlideInRight:
    case kAnimSlideInTop:
    case kAnimSlideInBottom:
      moveBetween(t, s);
      break;
    case kAnimFadeIn:
    case kAnimFadeOut:
      sprite->SetOpacity(Lerp(fadeFrom_, fadeTo_, p));
      break;
    case kAnimPopIn:
    case kAnimPopOut: {
      const float q = kind_ == kAnimPopIn ? p : 1 - p;
      sprite->SetScale(s.scale * std::sin(kPopArc * q) / std::sin(kPopArc));
      sprite->SetOpacity(q);
      break;
    }
    case kAnimBounce:
      sprite->SetOffset(sprite->GetOffsetX(), s.offsetY + (1 - p) * amplitude_ * std::sin(12 * kPi * p));
      break;
    case kAnimWave: {
      const float f = phase_;
      const float a = std::sin(f * kPi * 0.5f + 6 * p * kPi);
      const float b = std::max(0.0f, (1 - 6 * p / (f + 0.25f)) * 3);
      const float c = std::min(0.0f, (p - (0.02f * f + 0.8f)) * -30);
      const float m = a + b + c;
      const float k1 = std::max(0.0f, 0.25f * m + 1), k2 = std::max(0.0f, 0.35f * m + 1);
      sprite->SetScale(s.scale * k1);
      sprite->SetOffset(s.offsetX * k2, sprite->GetOffsetY());
      sprite->SetOpacity(std::clamp(2 - 0.8f * k1, 0.0f, 1.0f));
      break;
    }
    case kAnimSpinAndFly:
      if (p < 0.5f) {
        sprite->SetAngle(s.angle - (1 - 2 * p) * kThreeTurns);
        sprite->SetScale(2 * p * s.scale);
      } else if (p <= 0.8f) {
        sprite->SetAngle(s.angle);
        sprite->SetScale(s.scale);
      } else {
        const float e = (p - 0.8f) / 0.2f;
        sprite->SetOffset(Lerp(s.offsetX, t.offsetX, e), Lerp(s.offsetY, t.offsetY, e));
      }
      break;
    case kAnimShrinkFade:
      sprite->SetScale(std::max(0.0f, 1 - p) * s.scale);
      sprite->SetOpacity(std::max(0.0f, 1 - p) * s.opacity);
      break;
    case kAnimThrob: {
      const float period = endTime_ - startTime_;
      const float phase = period > 0 ? (now - startTime_) / period : 0.0f;
      sprite->SetOpacity(0.5f + 0.5f * s.opacity * std::sin(2 * kPi * phase));
      break;
    }
    case kAnimBlink:
      sprite->SetOpacity(std::fmod(now - startTime_, 1.0f) > 0.5f ? s.opacity : 0.0f);
      break;
    case kAnimAppearFlyVanish: {
      const float opacity = p < 0.25f ? 4 * p : p > 0.75f ? 1 - 4 * (p - 0.75f) : 1.0f;
      sprite->SetOpacity(opacity);
      const float e = p * p;
      sprite->SetScale(Lerp(s.scale, t.scale, e));
      sprite->SetOffset(Lerp(s.offsetX, t.offsetX, e), Lerp(s.offsetY, t.offsetY, e));
      break;
    }
    default:
      break;
  }
}

void CSpriteAnimator::Update() {
  CSprite* sprite = GetSprite();
  if (!sprite) {
    delete this;
    return;
  }
  const float now = GetTime();
  if (now < startTime_) return;
  const float p = Progress(now);
  Apply(sprite, p, now);
  if (p < 1 || (options_ & kAnimEndless)) return;

  // The notified owner may delete the sprite (and with it this animator) or this animator; a weak
  // reference to ourselves tells whether the remaining end steps still have anything to act on.
  if (CGameObject* target = WeakTarget(notifyRef_)) {
    CXRef* self = nullptr;
    CreateWeakRef(this, &self);
    target->OnNotify(this, notifyCode_);
    if (!self) return;
    delete self;
    sprite = GetSprite();
    if (!sprite) return;
  }
  if (options_ & kAnimZeroOpacity) sprite->SetOpacity(0);
  if (options_ & kAnimHideAtEnd) sprite->SetVisible(false);
  if (options_ & kAnimDeleteSprite) {
    Detach();
    delete sprite;
    delete this;
    return;
  }
  if (options_ & kAnimDeleteAnimator) delete this;
}

void CSpriteAnimator::OnParentDestroyed(CGameObject*) {
  delete this;
}
