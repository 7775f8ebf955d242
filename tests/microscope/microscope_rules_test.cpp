// The microscope's rules without sprites: the argument, the shared order of samples, matching by
// picture name, the view change that blocks clicks, five matches counted at the click, the layout.
#include "puzzles/microscope_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/random.h"
#include "puzzles/puzzle_rules.h"

using namespace microscope;

namespace {

constexpr float kPi = 3.14159265f;

TEST(MicroscopeArgument, PrintSelectsPrintsAndEverythingElseFibres) {
  const struct {
    const char* argument;
    Variant variant;
  } cases[] = {{nullptr, Variant::Fibre},  {"", Variant::Fibre},      {"Fiber", Variant::Fibre},
               {"Fibre", Variant::Fibre},  {"Print", Variant::Print}, {"PRINT", Variant::Print},
               {"Prints", Variant::Fibre}, {"Prin", Variant::Fibre},  {"Print ", Variant::Fibre}};
  for (const auto& c : cases)
    EXPECT_EQ(VariantFromArgument(c.argument), c.variant) << (c.argument ? c.argument : "(none)");
}

TEST(MicroscopeArgument, EachVariantHasItsFlagsItemPicturesAndMessage) {
  const VariantInfo& f = Info(Variant::Fibre);
  const VariantInfo& p = Info(Variant::Print);
  EXPECT_EQ((std::tuple{f.enteredFlag, f.solvedFlag, f.itemClass}), (std::tuple{92, 77, 11}));
  EXPECT_EQ((std::tuple{p.enteredFlag, p.solvedFlag, p.itemClass}), (std::tuple{91, 51, 14}));
  EXPECT_STREQ(f.helpPicture, "Puzzles\\Microscope\\FiberPuzzleHelp.jpg");
  EXPECT_STREQ(p.helpPicture, "Puzzles\\Microscope\\FingerprintPuzzleHelp.jpg");
  EXPECT_STREQ(f.solvedDialog, "FiberPuzzleDialog");
  EXPECT_STREQ(p.solvedDialog, "FingerprintPuzzleDialog");
  EXPECT_EQ(SampleName(Variant::Fibre, 3), "Puzzles\\Microscope\\Fibre03.jpg");
  EXPECT_EQ(SampleName(Variant::Print, 15), "Puzzles\\Microscope\\Print15.jpg");
  EXPECT_EQ(SampleName(Variant::Print, 16), SampleName(Variant::Print, 0));
  EXPECT_EQ(SampleName(Variant::Fibre, -1), SampleName(Variant::Fibre, 15));
}

TEST(MicroscopeOrder, APermutationWalkedRoundAndRoundTheSameForTheSameSeed) {
  Random r1(42), r2(42);
  SampleOrder a, b;
  std::vector<int> first, again;
  for (int i = 0; i < kSamples; ++i) first.push_back(a.Next(r1));
  for (int i = 0; i < kSamples; ++i) again.push_back(a.Next(r1));
  EXPECT_EQ(std::set<int>(first.begin(), first.end()).size(), size_t(kSamples));
  EXPECT_EQ(*std::min_element(first.begin(), first.end()), 0);
  EXPECT_EQ(*std::max_element(first.begin(), first.end()), kSamples - 1);
  EXPECT_EQ(first, again) << "the order is shuffled once, then repeats";
  EXPECT_NE(first, std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  for (int i = 0; i < kSamples; ++i) EXPECT_EQ(b.Next(r2), first[size_t(i)]);
  // Far more walks than a counter could hold would still be fine: the position stays small.
  for (int i = 0; i < 1000; ++i) a.Next(r1);
  EXPECT_LT(a.Position(), kSamples);
}

TEST(MicroscopeOrder, VisitsAndVariantsContinueOneSharedOrder) {
  ResetSharedSampleOrder();
  SeedRandom(9);
  Game fibres(Variant::Fibre, SharedSampleOrder(), GameRandom());
  const std::array<int, kSamples> order = SharedSampleOrder().Order();
  EXPECT_EQ(fibres.ViewPicture(), SampleName(Variant::Fibre, order[0]));
  fibres.Click("no such picture", 1.0f);  // takes the next sample at once
  // Leaving during the change and opening the prints: the order goes on where it stopped.
  Game prints(Variant::Print, SharedSampleOrder(), GameRandom());
  EXPECT_EQ(prints.ViewPicture(), SampleName(Variant::Print, order[2]));
  prints.Click("no such picture", 0.0f);
  prints.Step(0.5f);
  EXPECT_EQ(prints.ViewPicture(), SampleName(Variant::Print, order[3]));
  ResetSharedSampleOrder();
  EXPECT_FALSE(SharedSampleOrder().Shuffled());
}

class MicroscopeGame : public testing::Test {
 protected:
  void SetUp() override { random_.Seed(3); }
  // The picture that matches the view now, and one that does not.
  std::string Right(const Game& g) { return g.ViewPicture(); }
  std::string Wrong(const Game& g) {
    const std::string first = SampleName(g.GetVariant(), 0);
    return g.ViewPicture() == first ? SampleName(g.GetVariant(), 1) : first;
  }

  Random random_;
  SampleOrder order_;
};

TEST_F(MicroscopeGame, MatchingComparesPictureNamesOnly) {
  Game g(Variant::Print, order_, random_);
  std::string lower = g.ViewPicture();
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(std::tolower(c)); });
  const float offset = g.Offset();
  EXPECT_GE(std::fabs(offset), kPi / 2);
  const ClickResult r = g.Click(lower, 0.0f);  // the view's angle plays no part
  EXPECT_EQ(r.kind, ClickKind::Match);
  EXPECT_EQ(r.box, 0);
  EXPECT_EQ(g.Matches(), 1);
  EXPECT_FALSE(SamePicture("Puzzles\\Microscope\\Print01.jpg", "Puzzles\\Microscope\\Print1.jpg"));
  EXPECT_TRUE(SamePicture("Puzzles\\Microscope\\Print01.jpg", "PUZZLES\\microscope\\print01.JPG"));
}

TEST_F(MicroscopeGame, EveryClickChangesTheViewAndClicksWaitForTheChange) {
  Game g(Variant::Fibre, order_, random_);
  const std::string before = g.ViewPicture();
  const float offset = g.Offset();
  const ClickResult wrong = g.Click(Wrong(g), 10.0f);
  EXPECT_EQ(wrong.kind, ClickKind::NotAMatch);
  EXPECT_EQ(g.Matches(), 0);
  // t after the click: is a click taken, how bright is the view, has the picture changed yet.
  const struct {
    float t;
    bool changing;
    float brightness;
    bool swapped;
  } steps[] = {{0.0f, true, 1.0f, false}, {0.25f, true, 0.5f, false}, {0.49f, true, 0.02f, false},
               {0.5f, true, 0.0f, true},  {0.75f, true, 0.5f, true},  {0.99f, true, 0.98f, true},
               {1.0f, false, 1.0f, true}};
  for (const auto& s : steps) {
    g.Step(10.0f + s.t);
    EXPECT_EQ(g.Changing(10.0f + s.t), s.changing) << s.t;
    EXPECT_NEAR(g.Brightness(10.0f + s.t), s.brightness, 1e-3f) << s.t;
    EXPECT_EQ(g.ViewPicture() != before, s.swapped) << s.t;
    if (s.changing) {
      EXPECT_EQ(g.Click(g.ViewPicture(), 10.0f + s.t).kind, ClickKind::Ignored) << s.t;
    }
  }
  EXPECT_GE(std::fabs(puzzle::WrapAngleDelta(g.Offset() - offset)), kPi / 2 - 1e-4f);
  EXPECT_EQ(g.Matches(), 0);
  // A click after the change, without a Step in between, is taken.
  Game h(Variant::Fibre, order_, random_);
  h.Click(Wrong(h), 0.0f);
  Game ahead = h;
  ahead.Step(1.0f);
  EXPECT_EQ(h.Click(ahead.ViewPicture(), 1.0f).kind, ClickKind::Match)
      << "the swap happens before the match test";
}

TEST_F(MicroscopeGame, TheFifthMatchSolvesAtTheClickAndNothingCountsAfterIt) {
  Game g(Variant::Fibre, order_, random_);
  float t = 0.0f;
  for (int i = 0; i < kMatchesToSolve; ++i) {
    if (i == 2) {  // a wrong click on the way moves on without counting
      EXPECT_EQ(g.Click(Wrong(g), t).kind, ClickKind::NotAMatch);
      t += kChangeTime;
      g.Step(t);
    }
    const ClickResult r = g.Click(Right(g), t);
    ASSERT_EQ(r.kind, ClickKind::Match) << i;
    EXPECT_EQ(r.box, i);
    EXPECT_EQ(r.solved, i == kMatchesToSolve - 1);
    t += kChangeTime;
    g.Step(t);
  }
  EXPECT_TRUE(g.Solved());
  const std::string last = g.ViewPicture();
  EXPECT_FALSE(g.Changing(t - kChangeTime)) << "no change after the solving match";
  EXPECT_EQ(g.Click(Right(g), t).kind, ClickKind::Ignored) << "a sixth match has no box to go to";
  EXPECT_EQ(g.Matches(), kMatchesToSolve);
  EXPECT_EQ(g.ViewPicture(), last);
  Game skipped(Variant::Print, order_, random_);
  skipped.SolveNow();
  EXPECT_TRUE(skipped.Solved());
  EXPECT_EQ(skipped.Click(Right(skipped), 0.0f).kind, ClickKind::Ignored);
}

TEST(MicroscopeLayout, NothingOverlapsAndAllStaysOnTheBench) {
  for (const ScreenRect scene :
       {ScreenRect(0, 0, 1024, 768), ScreenRect(0, 0, 800, 600), ScreenRect(100, 50, 1380, 1010)}) {
    const Layout l = ComputeLayout(scene);
    const float h = scene.Height();
    const float side = l.candidates[0].Width();
    EXPECT_NEAR(l.view.Width(), 0.25f * h, 1e-3f);
    EXPECT_NEAR(l.ring.Width(), 0.25f * h / 0.82f, 1e-3f);
    EXPECT_NEAR(side, 0.6f * l.ring.Width(), 1e-3f);
    EXPECT_NEAR(l.view.CenterX(), scene.CenterX(), 1e-3f);
    // Candidate 0 sits right of the ring, candidate 2 below it, 8 upper right, 12 upper left.
    EXPECT_GT(l.candidates[0].CenterX(), l.ring.right);
    EXPECT_GT(l.candidates[2].CenterY(), l.ring.bottom);
    EXPECT_LT(l.candidates[8].CenterY(), scene.CenterY());
    EXPECT_GT(l.candidates[8].CenterX(), scene.CenterX());
    EXPECT_NEAR(l.candidates[12].CenterX() - scene.CenterX(), scene.CenterX() - l.candidates[8].CenterX(),
                1e-2f);
    const float framed = side * kFrameScale;
    const float bar = scene.bottom - 0.8f * scene.Width() / 13.3f;
    for (int i = 0; i < kSamples; ++i) {
      const ScreenRect& a = l.candidates[size_t(i)];
      const float ax = a.CenterX(), ay = a.CenterY();
      // Framed circles clear of each other, of the ring and of the check boxes.
      for (int j = i + 1; j < kSamples; ++j)
        EXPECT_GE(std::hypot(ax - l.candidates[size_t(j)].CenterX(), ay - l.candidates[size_t(j)].CenterY()),
                  framed)
            << i << " " << j;
      EXPECT_GE(std::hypot(ax - l.ring.CenterX(), ay - l.ring.CenterY()), (framed + l.ring.Width()) / 2) << i;
      for (const ScreenRect& box : l.boxes)
        EXPECT_TRUE(ay - framed / 2 > box.bottom || ax + framed / 2 < box.left) << i;
      EXPECT_GE(ax - framed / 2, scene.left);
      EXPECT_LE(ax + framed / 2, scene.right);
      EXPECT_LE(ay + framed / 2, bar) << i << ": clear of the button bar";
    }
    for (int i = 0; i + 1 < kMatchesToSolve; ++i)
      EXPECT_GT(l.boxes[size_t(i + 1)].left, l.boxes[size_t(i)].right);
    EXPECT_NEAR(l.boxes[0].left, scene.left + 0.45f * scene.Width(), 1e-3f);
    EXPECT_NEAR(l.boxes[0].top, scene.top + 0.03f * h, 1e-3f);
    EXPECT_LE(l.boxes[4].right, scene.right);
  }
}

TEST(MicroscopeRing, GripBandTurnAndViewAngle) {
  const ScreenRect ring = ScreenRect::FromCenter(200, 200, 500, 400);
  const struct {
    float distance;
    bool grips;
  } band[] = {{0.0f, false}, {69.0f, false}, {70.0f, true}, {85.0f, true}, {100.0f, true}, {101.0f, false}};
  for (const auto& b : band) {
    EXPECT_EQ(OnRingBand(ring, 500 + b.distance, 400), b.grips) << b.distance;
    EXPECT_EQ(OnRingBand(ring, 500, 400 - b.distance), b.grips) << b.distance;
  }
  const struct {
    float ringAtGrip, pointerAtGrip, pointerNow, expected;
  } turns[] = {{0.0f, 0.0f, 1.0f, 1.0f},
               {3.0f, 0.0f, 0.5f, 3.5f - 2 * kPi},  // past the half turn it comes round the other side
               {-3.0f, 0.5f, 0.0f, -3.5f + 2 * kPi},
               {1.0f, -3.0f, 3.0f, 1.0f + 6.0f - 2 * kPi},
               {0.0f, 0.0f, kPi, kPi}};
  for (const auto& t : turns)
    EXPECT_NEAR(RingAngle(t.ringAtGrip, t.pointerAtGrip, t.pointerNow), t.expected, 1e-4f) << t.ringAtGrip;
  EXPECT_NEAR(ViewAngle(3.0f, 1.0f), 4.0f - 2 * kPi, 1e-4f);
  EXPECT_NEAR(ViewAngle(-kPi, 0.0f), kPi, 1e-4f) << "kept within (-pi, pi]";
  EXPECT_TRUE(InsideSample(ring, 500 + 99, 400));
  EXPECT_FALSE(InsideSample(ring, 500 + 80, 400 + 80)) << "the square's corner is outside the round picture";
}

TEST(MicroscopeRing, OffsetJumpsAQuarterToAHalfTurnEitherWay) {
  Random r(11);
  bool up = false, down = false;
  for (int i = 0; i < 200; ++i) {
    const float d = RandomOffsetChange(r);
    EXPECT_GE(std::fabs(d), kPi / 2);
    EXPECT_LE(std::fabs(d), kPi);
    (d > 0 ? up : down) = true;
  }
  EXPECT_TRUE(up && down);
}

TEST(MicroscopeWobble, PointsSwimNearTheirRestingPlacesAndARenewalMovesThem) {
  Random r(5);
  Wobble w, resting;
  w.Renew(r);
  float moved = 0;
  for (int i = 0; i < Wobble::kPoints; ++i) {
    float rx = 0, ry = 0;
    resting.Point(i, 0, rx, ry);
    EXPECT_NEAR(std::hypot(rx, ry), i == 0 ? 0.0f : 1.0f, 1e-5f) << i;
    for (float t : {0.0f, 0.7f, 3.1f, 40.0f}) {
      float x = 0, y = 0;
      w.Point(i, t, x, y);
      EXPECT_LE(std::hypot(x - rx, y - ry), Wobble::MaxDrift() + 1e-5f) << i << " at " << t;
      moved = std::max(moved, std::hypot(x - rx, y - ry));
    }
  }
  EXPECT_GT(moved, 0.0f);
  EXPECT_LT(Wobble::MaxDrift(), 0.1f) << "the field stays round enough to compare";
}

}  // namespace
