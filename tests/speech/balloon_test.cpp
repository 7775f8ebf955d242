// Balloons on the null device: growth, the pop, waiting for a click, reuse by key and pushing out.
#include <gtest/gtest.h>

#include <cmath>

#include "data/texture_cache.h"
#include "scene/sprite_animator.h"
#include "speech/speech_fixture.h"
#include "ui/character_corner.h"
#include "ui/click_to_continue.h"
#include "ui/jorvane_corner.h"
#include "ui/speech_balloon.h"
#include "ui/speech_geometry.h"

namespace speechtest {
namespace {

using speech::FadeState;

testing::AssertionResult Near(const ScreenRect& got, const ScreenRect& want, float tol = 0.01f) {
  if (std::fabs(got.left - want.left) <= tol && std::fabs(got.top - want.top) <= tol &&
      std::fabs(got.right - want.right) <= tol && std::fabs(got.bottom - want.bottom) <= tol)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "got (" << got.left << ", " << got.top << ", " << got.right << ", "
                                     << got.bottom << ") want (" << want.left << ", " << want.top << ", "
                                     << want.right << ", " << want.bottom << ")";
}

using BalloonTest = SpeechTest;

TEST_F(BalloonTest, GrowsFromItsAnchorPopsAndSettles) {
  CSpeechBalloon* b = ShowSpeechBalloon("Two", 700, 100, env_, 0);
  ASSERT_NE(b, nullptr);
  const float lines = 2, aspect = b->GetContent()->GetNaturalAspect();
  const speech::BalloonLayout want = speech::LayoutTextBalloon(700, 100, int(lines), aspect, kClientH, false);
  EXPECT_TRUE(Near(b->GetScreenRect(), speech::GrowthStartRect(want.balloon, false)));
  EXPECT_GT(b->GetDepth(), env_->GetDepth());
  EXPECT_FLOAT_EQ(b->GetContent()->GetDepth(), b->GetDepth() + 0.01f);

  struct Step {
    float t;
    float opacity;
    FadeState state;
    int starbursts;
  };
  const Step steps[] = {{0.1f, 0.4f, FadeState::kAppearing, 0},
                        {0.2f, 0.8f, FadeState::kAppearing, 0},
                        {0.26f, 1.0f, FadeState::kShown, 1},
                        {0.4f, 1.0f, FadeState::kShown, 1}};
  for (const Step& s : steps) {
    Frame(s.t);
    EXPECT_NEAR(b->GetOpacity(), s.opacity, 1e-4f) << s.t;
    EXPECT_EQ(b->GetState(), s.state) << s.t;
    EXPECT_EQ(CountOfType(TypeId::kStarburst), s.starbursts) << s.t;
  }
  EXPECT_TRUE(Near(b->GetScreenRect(), want.balloon));
  EXPECT_TRUE(Near(b->GetContent()->GetScreenRect(), want.content));
  EXPECT_FALSE(b->IsAnimating());
  // The sparks sit just behind the balloon.
  EXPECT_FLOAT_EQ(FindOfType(TypeId::kStarburst)->GetDepth(), b->GetDepth() - 0.01f);
}

TEST_F(BalloonTest, HitTestFollowsOpacityAndTarget) {
  Listener target;
  CSpeechBalloon* b = ShowSpeechBalloon("One", 700, 100, env_, 0);
  const ScreenRect r =
      speech::LayoutTextBalloon(700, 100, 1, b->GetContent()->GetNaturalAspect(), kClientH, false).balloon;
  const int inX = int(r.CenterX()), inY = int(r.CenterY());
  struct Case {
    float t;
    bool withTarget;
    int x, y;
    int hit;
  };
  const Case cases[] = {
      {0.1f, true, inX, inY, kHitNone},       // not yet fully there
      {0.5f, false, inX, inY, kHitBlocking},  // shown, nobody waiting: blocks over itself only
      {0.5f, false, 10, 590, kHitNone},
      {0.5f, true, 10, 590, kHitHovered},  // waiting: takes the pointer anywhere
  };
  for (const Case& c : cases) {
    b->SetNotifyTarget(c.withTarget ? &target : nullptr, c.withTarget ? 5 : 0);
    Frame(c.t, false, c.x, c.y);
    EXPECT_EQ(b->HitTest(), c.hit) << c.t << " " << c.withTarget << " at " << c.x << "," << c.y;
  }
}

TEST_F(BalloonTest, AClickAnywhereClosesAWaitingBalloonAndTellsItsTargetOnce) {
  Listener target;
  CSpeechBalloon* b = ShowSpeechBalloon("One", 700, 100, env_, 0);
  b->SetNotifyTarget(&target, 77);
  Click(0.1f, 5, 590);  // too early: nothing happens
  EXPECT_TRUE(target.heard.empty());
  RunUntil(0.5f);
  EXPECT_NEAR(GetClickToContinueOpacity(), 1.0f, 1e-5f);
  Click(0.6f, 5, 590);
  ASSERT_EQ(target.heard.size(), 1u);
  EXPECT_EQ(target.heard[0], std::make_pair(static_cast<CGameObject*>(b), 77));
  EXPECT_EQ(b->GetState(), FadeState::kClosing);
  Click(0.7f, 5, 590);  // closing balloons take no clicks
  EXPECT_EQ(target.heard.size(), 1u);
  RunUntil(0.85f);
  EXPECT_NEAR(b->GetOpacity(), 0.5f, 0.05f);
  RunUntil(1.2f);
  EXPECT_FALSE(IsLiveSpeechBalloon(b));
  EXPECT_EQ(GetClickToContinueOpacity(), 0.0f);
}

TEST_F(BalloonTest, ABalloonWithoutTargetClosesOnAnyClick) {
  CSpeechBalloon* b = ShowSpeechBalloon("One", 700, 100, env_, 0);
  RunUntil(0.4f);
  Click(0.5f, 5, 590);
  EXPECT_EQ(b->GetState(), FadeState::kClosing);
}

TEST_F(BalloonTest, SameKeyIsReusedWithoutRestart) {
  Listener target;
  CSpeechBalloon* b = ShowSpeechBalloon("One", 700, 100, env_, 0);
  b->SetNotifyTarget(&target, 9);
  const float growStart =
      static_cast<CSpriteAnimator*>(b->FindChild(TypeId::kSpriteAnimator))->GetStartTime();
  Frame(0.1f);
  EXPECT_EQ(ShowSpeechBalloon("ONE", 10, 10, env_, 0), b);
  EXPECT_EQ(static_cast<CSpriteAnimator*>(b->FindChild(TypeId::kSpriteAnimator))->GetStartTime(), growStart);
  Frame(0.2f);
  EXPECT_NEAR(b->GetOpacity(), 0.8f, 1e-4f);
  EXPECT_TRUE(target.heard.empty());
  EXPECT_EQ(AllSpeechBalloons().size(), 1u);

  // A closing balloon asked for again is shown again.
  RunUntil(0.5f);
  Click(0.6f);
  RunUntil(0.7f);
  EXPECT_EQ(ShowSpeechBalloon("one", 700, 100, env_, 0), b);
  Frame(0.72f);
  EXPECT_EQ(b->GetState(), FadeState::kShown);
  EXPECT_FLOAT_EQ(b->GetOpacity(), 1.0f);
}

TEST_F(BalloonTest, ANewBalloonPushesOutTheOlderOneFromItsCurrentOpacity) {
  Listener target;
  CSpeechBalloon* first = ShowSpeechBalloon("One", 700, 100, env_, 0);
  first->SetNotifyTarget(&target, 31);
  Frame(0.1f);  // opacity 0.4
  CSpeechBalloon* second = ShowSpeechBalloon("Two", 700, 100, env_, 0);
  ASSERT_NE(second, first);
  ASSERT_EQ(target.heard.size(), 1u);
  EXPECT_EQ(target.heard[0].second, 31);
  EXPECT_EQ(first->GetState(), FadeState::kClosing);
  EXPECT_GT(second->GetDepth(), first->GetDepth());
  Frame(0.2f);
  EXPECT_NEAR(first->GetOpacity(), 0.2f, 1e-3f);
  RunUntil(0.32f);
  EXPECT_FALSE(IsLiveSpeechBalloon(first));
  EXPECT_TRUE(IsLiveSpeechBalloon(second));
}

TEST_F(BalloonTest, PushingOutSurvivesTargetsThatMakeAndDeleteBalloons) {
  Listener target;
  auto* a = new CSpeechBalloon("One", 700, 100, env_, 0);
  auto* b = new CSpeechBalloon("Two", 700, 200, env_, 0);
  a->SetNotifyTarget(&target, 1);
  b->SetNotifyTarget(&target, 2);
  target.hook = [&](CGameObject* sender, int) {
    if (sender != a) return;
    delete b;  // the walk must skip it
    ShowSpeechBalloon("Three", 700, 300, env_, 0);
  };
  CSpeechBalloon* four = ShowSpeechBalloon("Four", 700, 400, env_, 0);
  ASSERT_EQ(target.heard.size(), 1u);
  EXPECT_TRUE(IsLiveSpeechBalloon(four));
  EXPECT_EQ(AllSpeechBalloons().size(), 3u);  // One closing, Three, Four
}

TEST_F(BalloonTest, NoTextNoBalloon) {
  const int before = CountObjects();
  for (const char* key : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(ShowSpeechBalloon(key, 1, 1, env_, 0), nullptr);
    EXPECT_EQ(ShowPictureBalloon(key, 1, 1, env_, 0.2f, 1), nullptr);
  }
  // No corners: nobody to speak.
  EXPECT_EQ(SpeakAsJorvane("One"), nullptr);
  EXPECT_EQ(SpeakAsCharacter("One"), nullptr);
  EXPECT_EQ(SpeakPictureAsJorvane("Art\\Pic.jpg", 0.2f, 1), nullptr);
  EXPECT_EQ(CountObjects(), before);
}

TEST_F(BalloonTest, SpeakersPlaceTheirBalloons) {
  auto* jorvane = new CJorvaneCorner(env_);
  EXPECT_EQ(GetJorvaneCorner(), jorvane);
  EXPECT_TRUE(Near(jorvane->GetScreenRect(), speech::JorvaneCornerRect(env_->GetScreenRect())));
  EXPECT_FLOAT_EQ(jorvane->GetDepth(), 4.99f);
  float jx = 0, jy = 0;
  speech::JorvaneAnchor(jorvane->GetScreenRect(), jx, jy);
  CSpeechBalloon* lead = SpeakAsJorvane("One");
  ASSERT_NE(lead, nullptr);
  RunUntil(0.3f);
  EXPECT_NEAR(lead->GetScreenRect().right, jx, 0.01f);
  EXPECT_NEAR(lead->GetScreenRect().top, jy, 0.01f);
  EXPECT_FALSE(lead->GetFlags() & kSpriteMirror);
  EXPECT_EQ(lead->GetParent(), env_);

  auto* corner = new CCharacterCorner(env_, 2);
  EXPECT_TRUE(Near(corner->GetScreenRect(), speech::CharacterCornerRect(kClientH, 0.792f)));
  CSpeechBalloon* other = SpeakAsCharacter("Two");
  ASSERT_NE(other, nullptr);
  RunUntil(0.6f);
  const ScreenRect c = corner->GetScreenRect();
  EXPECT_NEAR(other->GetScreenRect().left, c.left + 0.916f * c.Width(), 0.01f);
  EXPECT_NEAR(other->GetScreenRect().top, c.top + 0.722f * c.Height(), 0.01f);
  EXPECT_TRUE(other->GetFlags() & kSpriteMirror);
  EXPECT_EQ(lead->GetState(), FadeState::kClosing);  // only one balloon stays shown

  // A picture balloon: the picture (by its full name) inside, never mirrored.
  CSpeechBalloon* pic = SpeakPictureAsJorvane("Puzzles\\Help.jpg", 0.25f, 1.6f);
  ASSERT_NE(pic, nullptr);
  RunUntil(1.0f);
  const speech::BalloonLayout want = speech::LayoutPictureBalloon(jx, jy, 0.25f, 1.6f, kClientH);
  EXPECT_TRUE(Near(pic->GetScreenRect(), want.balloon));
  EXPECT_TRUE(Near(pic->GetContent()->GetScreenRect(), want.content));
  EXPECT_STREQ(GetTextureName(pic->GetContent()->GetTexture()), "Puzzles\\Help.jpg");
  EXPECT_EQ(pic->GetKey(), "Puzzles\\Help.jpg");

  delete jorvane;
  EXPECT_EQ(GetJorvaneCorner(), nullptr);
  EXPECT_EQ(SpeakAsJorvane("Three"), nullptr);
}

TEST_F(BalloonTest, ClickToContinueFollowsTheStrongestWaitingBalloon) {
  EXPECT_EQ(GetClickToContinueOpacity(), 0.0f);
  Listener target;
  auto* plain = new CSpeechBalloon("One", 700, 100, env_, 0);
  auto* waiting = new CSpeechBalloon("Two", 700, 300, env_, 0);
  Frame(0.1f);
  EXPECT_EQ(GetClickToContinueOpacity(), 0.0f);  // nobody waits for a click yet
  waiting->SetNotifyTarget(&target, 4);
  EXPECT_NEAR(GetClickToContinueOpacity(), 0.4f, 1e-4f);
  plain->SetNotifyTarget(&target, 3);
  Frame(0.15f);
  EXPECT_NEAR(GetClickToContinueOpacity(), 0.6f, 1e-4f);

  const ScreenRect m = CClickToContinue::PlacementFor(800, 600);
  EXPECT_TRUE(Near(m, ScreenRect::FromCenter(503.4f, 60, 400, 420)));
}

}  // namespace
}  // namespace speechtest

namespace speechtest {
namespace {

TEST_F(BalloonTest, TheSharedPictureOutlivesACacheWideDestroy) {
  // The shell (and tests) may empty the texture cache before the shared resources are released.
  DestroyAllTextures();
  InvalidateSpeechBalloonResources();
  RestoreSpeechBalloonResources(device_);
  DestroyAllTextures();
  ShowSpeechBalloon("One", 700, 100, env_, 0);
  RunUntil(0.4f);  // draws, taking the picture again
  EXPECT_GE(CountTextures(), 1);
  InvalidateSpeechBalloonResources();
  RestoreSpeechBalloonResources(device_);
}

}  // namespace
}  // namespace speechtest
