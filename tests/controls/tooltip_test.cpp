// Tooltips: layout, growth and the nine-patch, and their life: refresh by text, fading, sticky and
// close-on-click ones, placement without a scene, and the tooltip at the cursor.
#include "ui/tooltip.h"

#include <gtest/gtest.h>

#include <set>

#include "controls/controls_test_fixture.h"
#include "scene/cursor.h"
#include "scene/scene_context.h"
#include "ui/button_resources.h"
#include "ui/button_style.h"
#include "ui/tooltip_layout.h"

namespace controlstest {
namespace {

TEST(TooltipLayout, TextKeepsItsAspectAndFollowsTheAlignment) {
  const ScreenRect asked(100, 100, 500, 140);  // inner 380 x 20 with border 10
  struct Row {
    float aspect;
    uint32_t flags;
    float textLeft, textW, textH;
  };
  const Row rows[] = {
      {5.0f, 0, 250, 100, 20},                     // short text: inner height, centred
      {5.0f, kTooltipLeftAligned, 110, 100, 20},   // at the inner left
      {5.0f, kTooltipRightAligned, 390, 100, 20},  // at the inner right
      {38.0f, 0, 110, 380, 10},                    // long text: inner width
      {0.0f, 0, 110, 380, 20},                     // no font: the inner rectangle
  };
  for (const Row& r : rows) {
    const TooltipLayout l = LayoutTooltip(asked, r.aspect, r.flags, 10);
    EXPECT_NEAR(l.text.left, r.textLeft, 1e-3f) << r.aspect << " " << r.flags;
    EXPECT_NEAR(l.text.Width(), r.textW, 1e-3f);
    EXPECT_NEAR(l.text.Height(), r.textH, 1e-3f);
    EXPECT_NEAR(l.text.CenterY(), 120, 1e-3f);
    EXPECT_NEAR(l.frame.left, l.text.left - 10, 1e-3f);
    EXPECT_NEAR(l.frame.bottom, l.text.bottom + 10, 1e-3f);
  }
}

TEST(TooltipLayout, FrameGrowsFromItsAnchorAndStaysOnScreen) {
  const ScreenRect frame(100, 100, 300, 140);
  struct Row {
    uint32_t flags;
    float opacity;
    ScreenRect want;
  };
  const Row rows[] = {
      {0, 0.5f, ScreenRect(150, 110, 250, 130)},
      {kTooltipLeftAligned, 0.5f, ScreenRect(100, 110, 200, 130)},
      {kTooltipRightAligned, 0.5f, ScreenRect(200, 110, 300, 130)},
      {kTooltipSticky, 0.0f, frame},  // sticky never grows
      {0, 1.0f, frame},
  };
  for (const Row& r : rows) {
    const ScreenRect got = TooltipFrameAt(frame, r.flags, r.opacity, 800, 600);
    EXPECT_NEAR(got.left, r.want.left, 1e-3f) << std::hex << r.flags;
    EXPECT_NEAR(got.top, r.want.top, 1e-3f);
    EXPECT_NEAR(got.right, r.want.right, 1e-3f);
    EXPECT_NEAR(got.bottom, r.want.bottom, 1e-3f);
  }
  const ScreenRect pushed = TooltipFrameAt(ScreenRect(700, 580, 900, 620), 0, 1, 800, 600);
  EXPECT_NEAR(pushed.right, 800, 1e-3f);
  EXPECT_NEAR(pushed.bottom, 600, 1e-3f);
  const ScreenRect tooWide = TooltipFrameAt(ScreenRect(-50, -10, 950, 20), 0, 1, 800, 600);
  EXPECT_NEAR(tooWide.left, 0, 1e-3f);
  EXPECT_NEAR(tooWide.top, 0, 1e-3f);
}

TEST(TooltipLayout, OpacityStatesAndNinePatch) {
  EXPECT_FLOAT_EQ(TooltipOpacity(kTooltipAppearing, 0.125f), 0.5f);
  EXPECT_FLOAT_EQ(TooltipOpacity(kTooltipAppearing, 1.0f), 1.0f);
  EXPECT_FLOAT_EQ(TooltipOpacity(kTooltipDisappearing, 0.0625f), 0.75f);
  EXPECT_FLOAT_EQ(TooltipOpacity(kTooltipShown, -3.0f), 1.0f);
  // A new state begins where the old one stood.
  for (float o : {0.0f, 0.3f, 1.0f}) {
    EXPECT_NEAR(TooltipOpacity(kTooltipDisappearing, 5 - TooltipStartFor(kTooltipDisappearing, 5, o)), o,
                1e-5f);
    EXPECT_NEAR(TooltipOpacity(kTooltipAppearing, 5 - TooltipStartFor(kTooltipAppearing, 5, o)), o, 1e-5f);
  }
  const auto v = NinePatchVertices(0.2f, 0.5f);
  EXPECT_FLOAT_EQ(v[5].x, -0.8f);
  EXPECT_FLOAT_EQ(v[5].y, -0.5f);
  EXPECT_FLOAT_EQ(v[5].u, 0.039f);
  EXPECT_FLOAT_EQ(v[10].v, 0.849f);
  EXPECT_FLOAT_EQ(v[15].u, 1.0f);
  EXPECT_FLOAT_EQ(NinePatchVertices(3.0f, 3.0f)[5].x, 0.0f);  // borders never cross
  const auto& idx = NinePatchIndices();
  std::set<int> used(idx.begin(), idx.end());
  EXPECT_EQ(used.size(), 16u);
  EXPECT_EQ(*used.rbegin(), 15);
}

TEST(TooltipLayout, ObjectExplanationGoesToTheOtherHalf) {
  const ObjectTooltipPlace left = ObjectTooltipRect(ScreenRect(100, 100, 200, 200), 2, 800, 600);
  EXPECT_EQ(left.flags, kTooltipCloseOnClick | kTooltipLeftAligned);
  EXPECT_NEAR(left.rect.left, 400, 1e-3f);
  EXPECT_NEAR(left.rect.right, 800, 1e-3f);
  EXPECT_NEAR(left.rect.top, 230, 1e-3f);
  EXPECT_NEAR(left.rect.Height(), (2 * 0.67f + 0.33f) * 30, 1e-3f);
  const ObjectTooltipPlace right = ObjectTooltipRect(ScreenRect(600, 100, 700, 200), 1, 800, 600);
  EXPECT_EQ(right.flags, kTooltipCloseOnClick | kTooltipRightAligned);
  EXPECT_NEAR(right.rect.left, 0, 1e-3f);
  EXPECT_NEAR(right.rect.right, 400, 1e-3f);
}

using TooltipTest = ControlsTest;

TEST_F(TooltipTest, ShownEveryFrameItStaysOneAndFadesOutWhenNoLongerAsked) {
  EXPECT_EQ(ShowTooltip(ScreenRect(10, 10, 300, 40), nullptr, 0), nullptr);
  EXPECT_EQ(ShowTooltip(ScreenRect(10, 10, 300, 40), "", kTooltipOneLine), nullptr);
  EXPECT_EQ(CountTooltips(), 0);

  CTooltip* tip = nullptr;
  for (int i = 0; i < 30; ++i) {
    CTooltip* t = ShowTooltip(ScreenRect(10, 10, 300, 40), i % 2 ? "Lantern Street" : "LANTERN street",
                              kTooltipOneLine);
    if (!tip) tip = t;
    EXPECT_EQ(t, tip);
    world.Frame(world.Now() + kFrame, 600, 500);
  }
  EXPECT_EQ(CountTooltips(), 1);
  EXPECT_EQ(tip->GetState(), kTooltipShown);
  EXPECT_EQ(tip->GetText(), "LANTERN street");
  const float stop = world.Now();
  RunUntil(stop + 0.2f, 600, 500);
  ASSERT_EQ(CountTooltips(), 1);
  EXPECT_EQ(tip->GetState(), kTooltipDisappearing);
  EXPECT_LT(tip->GetOpacity(), 0.5f);
  // Asked again while fading: it turns back from where it stood.
  const float before = tip->GetOpacity();
  ShowTooltip(ScreenRect(10, 60, 300, 90), "Lantern Street", kTooltipOneLine);
  EXPECT_EQ(tip->GetState(), kTooltipAppearing);
  EXPECT_NEAR(tip->CurrentOpacity(), before, 0.02f);
  EXPECT_GT(tip->GetFullFrame().top, 55.0f);  // re-anchored
  RunUntil(world.Now() + 0.25f + 5 * kFrame, 600, 500);
  EXPECT_EQ(CountTooltips(), 0);
}

TEST_F(TooltipTest, StickyAndCloseOnClickStayUntilTheirEnd) {
  CTooltip* sticky = ShowTooltip(ScreenRect(10, 10, 300, 40), "TipOne", kTooltipSticky);
  ASSERT_NE(sticky, nullptr);
  EXPECT_EQ(sticky->GetState(), kTooltipShown);
  EXPECT_FLOAT_EQ(sticky->CurrentOpacity(), 1.0f);
  CTooltip* closing = ShowTooltip(ScreenRect(10, 100, 300, 130), "TipTwo", kTooltipCloseOnClick);
  RunUntil(2.0f, 600, 500);
  EXPECT_EQ(CountTooltips(), 2);
  // No scene yet: the click counts anywhere in the client area.
  Click(700, 550);
  RunUntil(world.Now() + 0.3f, 700, 550);
  EXPECT_EQ(CountTooltips(), 1);
  EXPECT_EQ(FirstTooltip(), sticky);
  (void)closing;

  // With a scene, a click outside it leaves the tooltip.
  auto* scene = new CSprite(ScreenRect(0, 0, 400, 300), 1, nullptr, nullptr);
  SetCurrentEnvironment(scene);
  ShowTooltip(ScreenRect(10, 100, 300, 130), "TipTwo", kTooltipCloseOnClick);
  RunUntil(world.Now() + 0.5f, 600, 500);
  Click(600, 500);
  RunUntil(world.Now() + 0.3f, 600, 500);
  EXPECT_EQ(CountTooltips(), 2);
  Click(100, 100);
  RunUntil(world.Now() + 0.3f, 600, 500);
  EXPECT_EQ(CountTooltips(), 1);
  ClearCurrentEnvironmentIf(scene);
}

TEST_F(TooltipTest, ObjectTooltipBelongsToTheSceneWhenThereIsOne) {
  auto* thing = new CSprite(ScreenRect(600, 100, 700, 200), 1, nullptr, nullptr);
  EXPECT_EQ(ShowObjectTooltip(nullptr, "TipOne"), nullptr);
  EXPECT_EQ(ShowObjectTooltip(thing, nullptr), nullptr);
  CTooltip* loose = ShowObjectTooltip(thing, "TipOne");
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(loose->GetParent(), nullptr);  // before any scene
  EXPECT_EQ(loose->GetTooltipFlags(), kTooltipCloseOnClick | kTooltipRightAligned);

  auto* scene = new CSprite(ScreenRect(0, 0, kW, kH), 1, nullptr, nullptr);
  SetCurrentEnvironment(scene);
  CTooltip* owned = ShowObjectTooltip(thing, "TipTwo");
  ASSERT_NE(owned, nullptr);
  EXPECT_EQ(owned->GetParent(), scene);
  RunUntil(1.0f, 10, 10);
  EXPECT_NEAR(owned->GetScreenRect().right, 400, 0.5f);  // right-aligned at the middle
  ClearCurrentEnvironmentIf(scene);
  delete scene;  // takes its tooltip with it
  EXPECT_EQ(CountTooltips(), 1);
}

TEST_F(TooltipTest, CursorShowsItsOneLineTooltip) {
  CreateCursor();
  world.Frame(world.Now() + kFrame, 200, 200);
  DrawCursor(device_);  // places the cursor square
  ShowTooltipAtCursor("Lantern Street");
  ASSERT_EQ(CountTooltips(), 1);
  EXPECT_EQ(FirstTooltip()->GetTooltipFlags(), kTooltipOneLine);
  EXPECT_EQ(FirstTooltip()->GetTextObject()->GetTypeId(), TypeId::kTextSprite);
  EXPECT_GT(FirstTooltip()->GetFullFrame().top, GetCursor()->GetScreenRect().bottom);
  ShowTooltipAtCursor(nullptr);
  EXPECT_EQ(CountTooltips(), 1);
}

}  // namespace
}  // namespace controlstest
