#include "scene/sprite_animator.h"

#include <gtest/gtest.h>

#include <functional>

#include "scene/sprite.h"
#include "sprites/sprite_fixture.h"

using spritetest::RectNear;
using spritetest::SpriteTest;

namespace {

constexpr float kT0 = 10.0f;
constexpr float kDuration = 2.0f;
const ScreenRect kStart(200, 150, 400, 300);  // scale 0.25, offset (-0.125, -0.125), aspect 4/3
const ScreenRect kDest(500, 400, 700, 550);

// Records notifications.
class Listener : public CGameObject {
 public:
  void OnNotify(CGameObject* sender, int code) override {
    senders.push_back(sender);
    codes.push_back(code);
    if (onNotify) onNotify();
  }
  std::vector<CGameObject*> senders;
  std::vector<int> codes;
  std::function<void()> onNotify;
};

class AnimatorTest : public SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    RunFrameAt(kT0);
    sprite = new CSprite(kStart, 0, "Art\\White.tga", nullptr);
    CreateWeakRef(sprite, &spriteRef);
  }
  CSpriteAnimator* Animator() {
    return sprite && spriteRef ? static_cast<CSpriteAnimator*>(sprite->FindChild(TypeId::kSpriteAnimator))
                               : nullptr;
  }
  bool SpriteAlive() const { return spriteRef != nullptr; }
  float Cx() { return sprite->GetScreenRect().CenterX(); }
  float Cy() { return sprite->GetScreenRect().CenterY(); }

  CSprite* sprite = nullptr;
  CXRef* spriteRef = nullptr;
};

}  // namespace

// Every kind at the start, the middle and the end of a two-second run.
TEST_F(AnimatorTest, SlidesRunBetweenTheScreenEdgesAndTheRectangle) {
  struct Case {
    int kind;
    float x0, y0, xHalf, yHalf, x1, y1;
    bool leavesAnimator;
  };
  const Case cases[] = {
      {kAnimSlideInLeft, -100, 225, 100, 225, 300, 225, false},
      {kAnimSlideOutLeft, 300, 225, 100, 225, -100, 225, true},
      {kAnimSlideInRight, 900, 225, 600, 225, 300, 225, false},
      {kAnimSlideOutRight, 300, 225, 600, 225, 900, 225, true},
      {kAnimSlideInTop, 300, -75, 300, 75, 300, 225, false},
      {kAnimSlideOutTop, 300, 225, 300, 75, 300, -75, true},
      {kAnimSlideInBottom, 300, 675, 300, 450, 300, 225, false},
      {kAnimSlideOutBottom, 300, 225, 300, 450, 300, 675, true},
  };
  float t = kT0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    sprite->SetScreenRect(kStart);
    sprite->SetOpacity(1);
    sprite->StopAnimation();
    new CSpriteAnimator(sprite, c.kind, kDuration, 0);
    EXPECT_NEAR(Cx(), c.x0, 1e-3);
    EXPECT_NEAR(Cy(), c.y0, 1e-3);
    RunFrameAt(t + 1);
    EXPECT_NEAR(Cx(), c.xHalf, 1e-3);
    EXPECT_NEAR(Cy(), c.yHalf, 1e-3);
    RunFrameAt(t + 2);
    EXPECT_NEAR(Cx(), c.x1, 1e-3);
    EXPECT_NEAR(Cy(), c.y1, 1e-3);
    EXPECT_EQ(sprite->IsAnimating(), c.leavesAnimator ? 1 : 0);
    EXPECT_FLOAT_EQ(sprite->GetOpacity(), c.leavesAnimator ? 0.0f : 1.0f);
    EXPECT_NEAR(sprite->GetScreenRect().Width(), 200, 1e-3);
    t += 2;
    RunFrameAt(t);
  }
}

TEST_F(AnimatorTest, FadesPopsAndShrinks) {
  struct Case {
    int kind;
    float op0, opHalf, op1, scale0, scaleHalf, scale1;
    bool leavesAnimator;
  };
  const float popHalf = 0.25f * 0.8910065f / 0.8090170f;  // sin(0.35 pi) / sin(0.7 pi)
  const Case cases[] = {
      {kAnimFadeIn, 0, 0.5f, 1, 0.25f, 0.25f, 0.25f, false},
      {kAnimFadeOut, 1, 0.5f, 0, 0.25f, 0.25f, 0.25f, true},
      {kAnimPopIn, 0, 0.5f, 1, 0, popHalf, 0.25f, false},
      {kAnimPopOut, 1, 0.5f, 0, 0.25f, popHalf, 0, true},
      {kAnimShrinkFade, 1, 0.5f, 0, 0.25f, 0.125f, 0, false},
  };
  float t = kT0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    sprite->SetScreenRect(kStart);
    sprite->SetOpacity(1);
    sprite->StopAnimation();
    new CSpriteAnimator(sprite, c.kind, kDuration, 0);
    EXPECT_NEAR(sprite->GetOpacity(), c.op0, 1e-5);
    EXPECT_NEAR(sprite->GetScale(), c.scale0, 1e-5);
    RunFrameAt(t + 1);
    EXPECT_NEAR(sprite->GetOpacity(), c.opHalf, 1e-5);
    EXPECT_NEAR(sprite->GetScale(), c.scaleHalf, 1e-5);
    RunFrameAt(t + 2);
    EXPECT_NEAR(sprite->GetOpacity(), c.op1, 1e-5);
    EXPECT_NEAR(sprite->GetScale(), c.scale1, 1e-5);
    EXPECT_EQ(sprite->IsAnimating(), c.leavesAnimator ? 1 : 0);
    EXPECT_TRUE(SpriteAlive());
    t += 2;
    RunFrameAt(t);
  }
  // The pop overshoots on its way: the largest scale lies above the final one.
  sprite->StopAnimation();
  sprite->SetScreenRect(kStart);
  new CSpriteAnimator(sprite, kAnimPopIn, kDuration, 0);
  RunFrameAt(t + 2 * 0.7142857f);  // where 0.7 pi p reaches pi / 2
  EXPECT_NEAR(sprite->GetScale(), 0.25f / 0.8090170f, 1e-4);
}

TEST_F(AnimatorTest, BounceAndWave) {
  new CSpriteAnimator(sprite, kAnimBounce, kDuration, 0);
  EXPECT_NEAR(sprite->GetOffsetY(), -0.125f, 1e-6);
  RunFrameAt(kT0 + kDuration / 24);  // the first crest
  EXPECT_NEAR(sprite->GetOffsetY(), -0.125f + (23.0f / 24) * 0.02f * 150 / 600, 1e-5);
  EXPECT_FLOAT_EQ(sprite->GetOffsetX(), -0.125f);
  RunFrameAt(kT0 + 1);
  EXPECT_NEAR(sprite->GetOffsetY(), -0.125f, 1e-5);
  RunFrameAt(kT0 + 2);
  EXPECT_NEAR(sprite->GetOffsetY(), -0.125f, 1e-5);
  EXPECT_EQ(sprite->IsAnimating(), 0);

  // The wave swells, dips below the starting size and finally shrinks the sprite away.
  RunFrameAt(kT0 + 3);
  new CSpriteAnimator(sprite, kAnimWave, kDuration, 0);
  EXPECT_GT(sprite->GetScale(), 0.25f * 1.8f);
  EXPECT_LT(sprite->GetOpacity(), 0.6f);
  EXPECT_LT(sprite->GetOffsetX(), -0.125f * 2);  // pushed outwards from the parent's centre
  RunFrameAt(kT0 + 4);
  EXPECT_NEAR(sprite->GetScale(), 0.25f * 0.8611f, 1e-3);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 1.0f);
  RunFrameAt(kT0 + 5);
  EXPECT_EQ(sprite->GetScale(), 0.0f);
  EXPECT_EQ(sprite->GetOffsetX(), 0.0f);
  EXPECT_EQ(sprite->IsAnimating(), 1);  // no end option: it stays
}

TEST_F(AnimatorTest, MovesToADestination) {
  // Linear, eased and the appear-fly-vanish path, each towards kDest.
  new CSpriteAnimator(sprite, kAnimMove, kDuration, 0, &kDest);
  RunFrameAt(kT0 + 1);
  EXPECT_NEAR(Cx(), 450, 1e-3);
  EXPECT_NEAR(Cy(), 350, 1e-3);
  RunFrameAt(kT0 + 2);
  EXPECT_TRUE(RectNear(sprite->GetScreenRect(), kDest));
  EXPECT_EQ(sprite->IsAnimating(), 0);

  sprite->SetScreenRect(kStart);
  new CSpriteAnimator(sprite, kAnimMoveEased, kDuration, 0, &kDest);
  EXPECT_TRUE(RectNear(sprite->GetScreenRect(), kStart));
  RunFrameAt(kT0 + 3);
  EXPECT_NEAR(Cx(), 375, 1e-3);  // a quarter of the way at half time
  EXPECT_NEAR(Cy(), 287.5, 1e-3);
  RunFrameAt(kT0 + 4);
  EXPECT_TRUE(RectNear(sprite->GetScreenRect(), kDest));
  EXPECT_EQ(sprite->IsAnimating(), 0);

  sprite->SetScreenRect(kStart);
  auto* fly = new CSpriteAnimator(sprite, kAnimAppearFlyVanish, kDuration, 0, &kDest);
  EXPECT_TRUE(fly->GetOptions() & kAnimDeleteSprite);
  EXPECT_EQ(sprite->GetOpacity(), 0.0f);
  RunFrameAt(kT0 + 5);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 1.0f);
  EXPECT_NEAR(Cx(), 375, 1e-3);
  RunFrameAt(kT0 + 6);
  EXPECT_FALSE(SpriteAlive());
}

TEST_F(AnimatorTest, SpinThenFlyDeletesTheSprite) {
  new CSpriteAnimator(sprite, kAnimSpinAndFly, kDuration, 0, &kDest);
  EXPECT_NEAR(sprite->GetAngle(), -18.849556f, 1e-4);  // three turns back
  EXPECT_EQ(sprite->GetScale(), 0.0f);
  RunFrameAt(kT0 + 1);
  EXPECT_NEAR(sprite->GetAngle(), 0.0f, 1e-6);
  EXPECT_NEAR(sprite->GetScale(), 0.25f, 1e-6);
  EXPECT_NEAR(Cx(), 300, 1e-3);
  RunFrameAt(kT0 + 1.8f);  // half of the flight
  EXPECT_NEAR(Cx(), 450, 1e-2);
  EXPECT_NEAR(Cy(), 350, 1e-2);
  RunFrameAt(kT0 + 2);
  EXPECT_FALSE(SpriteAlive());
}

TEST_F(AnimatorTest, ThrobAndBlinkNeverEnd) {
  sprite->SetOpacity(0.8f);
  new CSpriteAnimator(sprite, kAnimThrob, kDuration, 0);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 0.5f);
  RunFrameAt(kT0 + 0.5f);
  EXPECT_NEAR(sprite->GetOpacity(), 0.5f + 0.5f * 0.8f, 1e-5);
  RunFrameAt(kT0 + 1);
  EXPECT_NEAR(sprite->GetOpacity(), 0.5f, 1e-5);
  RunFrameAt(kT0 + 2);
  EXPECT_NEAR(sprite->GetOpacity(), 0.5f, 1e-5);
  RunFrameAt(kT0 + 30);
  EXPECT_EQ(sprite->IsAnimating(), 1);

  sprite->SetOpacity(0.8f);
  new CSpriteAnimator(sprite, kAnimBlink, kDuration, 0);  // replaces the throb, keeps its start values
  EXPECT_EQ(sprite->GetOpacity(), 0.0f);
  RunFrameAt(kT0 + 30.75f);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 0.8f);
  RunFrameAt(kT0 + 31.25f);
  EXPECT_EQ(sprite->GetOpacity(), 0.0f);
  RunFrameAt(kT0 + 60.75f);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 0.8f);
  EXPECT_EQ(sprite->IsAnimating(), 1);
}

TEST_F(AnimatorTest, ASecondAnimatorStartsFromTheFirstOnesStartValues) {
  CSpriteAnimator* first = new CSpriteAnimator(sprite, kAnimMove, kDuration, 0, &kDest);
  CXRef* firstRef = nullptr;
  CreateWeakRef(first, &firstRef);
  RunFrameAt(kT0 + 1);  // half way to kDest
  EXPECT_NEAR(Cx(), 450, 1e-3);
  auto* second = new CSpriteAnimator(sprite, kAnimFadeOut, kDuration, 0);
  EXPECT_EQ(firstRef, nullptr);  // replaced
  EXPECT_EQ(sprite->FindChild(TypeId::kSpriteAnimator), second);
  EXPECT_FLOAT_EQ(second->GetStartSnapshot().offsetX, -0.125f);
  EXPECT_FLOAT_EQ(second->GetStartSnapshot().scale, 0.25f);
  // A sliding kind continues from the first animator's start, not from the in-between state.
  auto* third = new CSpriteAnimator(sprite, kAnimSlideOutLeft, kDuration, 0);
  EXPECT_NEAR(Cx(), 300, 1e-3);
  EXPECT_EQ(third->GetStartSnapshot().offsetX, -0.125f);
}

TEST_F(AnimatorTest, EndStepsNotifyThenApplyOptionsInOrder) {
  auto* listener = new Listener();
  auto* fade = new CSpriteAnimator(sprite, kAnimFadeIn, kDuration, kAnimHideAtEnd);
  fade->SetNotifyTarget(listener, 77);
  RunFrameAt(kT0 + 1);
  EXPECT_TRUE(listener->codes.empty());
  RunFrameAt(kT0 + 2);
  ASSERT_EQ(listener->codes.size(), 1u);
  EXPECT_EQ(listener->codes[0], 77);
  EXPECT_EQ(listener->senders[0], fade);
  EXPECT_TRUE(sprite->IsHidden());
  EXPECT_EQ(sprite->IsAnimating(), 0);

  // Without delete options the end steps repeat every later frame.
  sprite->SetVisible(true);
  auto* out = new CSpriteAnimator(sprite, kAnimSlideOutLeft, kDuration, 0);
  out->SetNotifyTarget(listener, 78);
  RunFrameAt(kT0 + 4);
  RunFrameAt(kT0 + 5);
  EXPECT_EQ(listener->codes, (std::vector<int>{77, 78, 78}));
  EXPECT_EQ(sprite->GetOpacity(), 0.0f);
  sprite->StopAnimation();

  // Option 64 leaves the aspect ratio alone.
  sprite->SetScreenRect(kStart);
  const ScreenRect square(500, 400, 600, 500);
  new CSpriteAnimator(sprite, kAnimMove, kDuration, kAnimKeepAspect, &square);
  RunFrameAt(kT0 + 7);
  EXPECT_FLOAT_EQ(sprite->GetAspectRatio(), 4.0f / 3.0f);
  delete listener;
}

TEST_F(AnimatorTest, DeleteSpriteOptionRemovesBothAndNullsReferences) {
  auto* listener = new Listener();
  auto* a = new CSpriteAnimator(sprite, kAnimFadeOut, kDuration, kAnimDeleteSprite);
  a->SetNotifyTarget(listener, 5);
  CXRef* animatorRef = nullptr;
  CreateWeakRef(a, &animatorRef);
  auto* child = new CSprite(ScreenRect(0, 0, 1, 1), 0, nullptr, sprite);
  CXRef* childRef = nullptr;
  CreateWeakRef(child, &childRef);
  RunFrameAt(kT0 + 2);
  EXPECT_EQ(spriteRef, nullptr);
  EXPECT_EQ(animatorRef, nullptr);
  EXPECT_EQ(childRef, nullptr);
  EXPECT_EQ(listener->codes.size(), 1u);
  EXPECT_EQ(CSprite::LiveCount(), 0);
  delete listener;
}

TEST_F(AnimatorTest, AnAnimatorWhoseSpriteDiesNeverNotifies) {
  auto* listener = new Listener();
  auto* a = new CSpriteAnimator(sprite, kAnimFadeIn, kDuration, 0);
  a->SetNotifyTarget(listener, 9);
  CXRef* animatorRef = nullptr;
  CreateWeakRef(a, &animatorRef);
  delete sprite;
  EXPECT_EQ(animatorRef, nullptr);
  RunFrameAt(kT0 + 5);
  EXPECT_TRUE(listener->codes.empty());
  EXPECT_EQ(CountObjects(), 1);  // only the listener is left
  delete listener;
}

TEST_F(AnimatorTest, ANotifiedOwnerMayDeleteTheSpriteOrTheTarget) {
  // The owner deletes the sprite (and with it the animator) from inside the notification.
  auto* listener = new Listener();
  listener->onNotify = [&] { delete sprite; };
  auto* a = new CSpriteAnimator(sprite, kAnimFadeOut, kDuration, kAnimZeroOpacity | kAnimHideAtEnd);
  a->SetNotifyTarget(listener, 1);
  RunFrameAt(kT0 + 2);
  EXPECT_FALSE(SpriteAlive());
  EXPECT_EQ(listener->codes.size(), 1u);

  // A target that died before the end is simply not notified.
  RunFrameAt(kT0 + 3);
  sprite = new CSprite(kStart, 0, nullptr, nullptr);
  CreateWeakRef(sprite, &spriteRef);
  auto* gone = new Listener();
  auto* b = new CSpriteAnimator(sprite, kAnimFadeIn, kDuration, 0);
  b->SetNotifyTarget(gone, 2);
  delete gone;
  RunFrameAt(kT0 + 6);
  EXPECT_EQ(sprite->IsAnimating(), 0);
  delete listener;
}

TEST_F(AnimatorTest, AZeroLengthAnimationHandsBackALiveAnimator) {
  auto* listener = new Listener();
  auto* a = new CSpriteAnimator(sprite, kAnimFadeIn, 0.0f, 0);
  EXPECT_FLOAT_EQ(sprite->GetOpacity(), 1.0f);  // already at its end state
  EXPECT_EQ(sprite->FindChild(TypeId::kSpriteAnimator), a);
  a->SetNotifyTarget(listener, 3);  // still safe to use
  RunFrameAt(kT0 + 0.01f);
  EXPECT_EQ(listener->codes, std::vector<int>{3});
  EXPECT_EQ(sprite->IsAnimating(), 0);

  // An animator without a sprite removes itself on the next frame.
  new CSpriteAnimator(nullptr, kAnimFadeIn, 1.0f, 0);
  const int before = CountObjects();
  RunFrameAt(kT0 + 0.02f);
  EXPECT_EQ(CountObjects(), before - 1);
  delete listener;
}
