// CSpriteAnimator: a companion attached to a sprite that moves, scales, turns or fades it over time
// and then, depending on its options, notifies an owner, hides or deletes the sprite, and deletes
// itself. A second animator on the same sprite replaces the first and starts from the first one's
// starting values, so interrupted animations never drift.
#pragma once

#include <cstdint>

#include "scene/game_object.h"
#include "scene/screen_rect.h"

class CSprite;

// Kinds of animation.
enum : int {
  kAnimSlideInLeft = 0,
  kAnimSlideOutLeft = 1,
  kAnimSlideInRight = 2,
  kAnimSlideOutRight = 3,
  kAnimSlideInTop = 4,
  kAnimSlideOutTop = 5,
  kAnimSlideInBottom = 6,
  kAnimSlideOutBottom = 7,
  kAnimFadeIn = 8,
  kAnimFadeOut = 9,
  kAnimPopIn = 10,
  kAnimPopOut = 11,
  kAnimBounce = 12,
  kAnimWave = 13,
  kAnimMoveEased = 14,
  kAnimMove = 15,
  kAnimSpinAndFly = 16,
  kAnimShrinkFade = 17,
  kAnimThrob = 18,
  kAnimBlink = 19,
  kAnimAppearFlyVanish = 20,
  kAnimKindCount = 21,
};

// Option bits.
enum : uint32_t {
  kAnimDeleteAnimator = 1,  // delete the animator at the end
  kAnimDeleteSprite = 2,    // delete the sprite (and the animator) at the end
  kAnimZeroOpacity = 4,     // opacity 0 at the end
  kAnimEaseIn = 8,          // progress squared
  kAnimHideAtEnd = 16,
  kAnimEndless = 32,
  kAnimKeepAspect = 64,  // leave the aspect ratio alone
};

class CSpriteAnimator : public CGameObject {
 public:
  // The six values an animation moves.
  struct Snapshot {
    float scale = 1, offsetX = 0, offsetY = 0, angle = 0, aspect = 1, opacity = 1;
  };

  // dest: where kinds that move go (null: the sprite's current screen rectangle). The sprite takes
  // the starting state at once; the end steps (notify, hide, delete) run from the next Update, so
  // even a zero-length animation hands back a live animator.
  CSpriteAnimator(CSprite* sprite, int kind, float duration, uint32_t options,
                  const ScreenRect* dest = nullptr);
  ~CSpriteAnimator() override;

  // At the end of the animation target receives OnNotify (animator, code); a target that died
  // before is not notified.
  void SetNotifyTarget(CGameObject* target, int code);

  void Update() override;
  void OnParentDestroyed(CGameObject* parent) override;  // deletes the animator
  int GetTypeId() override { return TypeId::kSpriteAnimator; }

  CSprite* GetSprite() const;
  int GetKind() const { return kind_; }
  uint32_t GetOptions() const { return options_; }
  const Snapshot& GetStartSnapshot() const { return start_; }
  const Snapshot& GetTargetSnapshot() const { return target_; }
  float GetStartTime() const { return startTime_; }
  float GetEndTime() const { return endTime_; }

 private:
  void SetUpKind(CSprite* sprite, const ScreenRect& dest);
  void Apply(CSprite* sprite, float p, float now);
  float Progress(float now) const;

  Snapshot start_;
  Snapshot target_;
  float startTime_ = 0;
  float endTime_ = 0;
  uint32_t options_ = 0;
  int kind_ = 0;
  float amplitude_ = 0;
  float phase_ = 0;
  float fadeFrom_ = 0;
  float fadeTo_ = 1;
  CXRef* notifyRef_ = nullptr;
  int notifyCode_ = 0;
};
