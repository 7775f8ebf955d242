// The geometry of the dialogs: star counts by area, the frame's border grid, interior and
// ornaments, the in-game menu's stack, the message box per kind and the options' rows.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dialogs_fixture.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"
#include "ui/dialog_frame_layout.h"
#include "ui/dialog_layouts.h"
#include "ui/game_dialog.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"

namespace dialogstest {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

testing::AssertionResult RectNear(const ScreenRect& got, const ScreenRect& want, float tol = 0.01f) {
  if (std::fabs(got.left - want.left) <= tol && std::fabs(got.top - want.top) <= tol &&
      std::fabs(got.right - want.right) <= tol && std::fabs(got.bottom - want.bottom) <= tol)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "got (" << got.left << ", " << got.top << ", " << got.right << ", "
                                     << got.bottom << ") want (" << want.left << ", " << want.top << ", "
                                     << want.right << ", " << want.bottom << ")";
}

TEST_F(DialogsTest, StarCountFollowsTheAreaAtAnyClientSize) {
  struct Case {
    int clientW, clientH;
    float w, h;
    int stars;
  };
  const Case cases[] = {
      {800, 600, 800, 600, 750},    {1024, 768, 1024, 768, 750},  {1280, 960, 1280, 960, 750},
      {800, 600, 400, 300, 187},    {1024, 768, 512, 384, 187},   {800, 600, 0, 300, 0},
      {800, 600, 1600, 1200, 3000}, {800, 600, 1e9f, 1e9f, 3000},
  };
  auto* dialog = new CDialogBackground();
  EXPECT_EQ(dialog->StarCount(), 150);
  for (const Case& c : cases) {
    SetClientSize(c.clientW, c.clientH);
    dialog->SetStarArea(c.w, c.h);
    EXPECT_EQ(dialog->StarCount(), c.stars) << c.clientW << " " << c.w << "x" << c.h;
  }
  SetClientSize(kW, kH);
}

TEST_F(DialogsTest, StarBufferGrowsPastItsFirstCapacity) {
  // The menu needs about 300 stars; the buffer made for the first 150 must not be reused.
  CGameDialog* menu = OpenGameDialog(scene, 23);
  Settle();
  const ScreenRect r = menu->GetScreenRect();
  const int expected = int(750.0 * double(r.Width()) * double(r.Height()) / (double(kW) * kH));
  EXPECT_EQ(menu->StarCount(), expected);
  EXPECT_GT(expected, 150);
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  int points = 0;
  for (const gfx::NullDraw& d : Rec()->Draws())
    if (d.type == gfx::PT_POINTLIST) points = int(d.primitiveCount);
  EXPECT_EQ(points, expected);
}

TEST(DialogFrameLayout, BorderGridCutsAndClamp) {
  struct Case {
    float w, h, b;
    float x1, y1;  // second column and row in the unit quad
  };
  const Case cases[] = {
      {400, 200, 20, -0.9f, -0.8f},
      {400, 200, 50, -0.75f, -0.5f},
      {400, 200, 80, -0.75f, -0.5f},  // a quarter of the shorter side at most
      {0, 0, 30, -1.0f, -1.0f},
  };
  for (const Case& c : cases) {
    const auto g = BorderGrid(c.w, c.h, c.b);
    EXPECT_NEAR(g[1].x, c.x1, 1e-5f) << c.b;
    EXPECT_NEAR(g[5].y, c.y1, 1e-5f) << c.b;
    EXPECT_NEAR(g[3].x, -c.x1, 1e-5f);
    EXPECT_EQ(g[2].x, 0.0f);
    const float cuts[5] = {0, kBorderCut, 0.5f, 1 - kBorderCut, 1};
    for (int i = 0; i < 5; ++i) {
      EXPECT_FLOAT_EQ(g[size_t(i)].u, cuts[i]);
      EXPECT_FLOAT_EQ(g[size_t(i * 5)].v, cuts[i]);
    }
  }
  const auto index = BorderGridIndices();
  int corners[25] = {};
  for (uint16_t i : index) {
    ASSERT_LT(i, 25);
    ++corners[i];
  }
  EXPECT_EQ(corners[0], 2);   // the top-left cell's two triangles
  EXPECT_EQ(corners[12], 6);  // the centre vertex is shared by four cells
  EXPECT_TRUE(RectNear(FrameInterior(ScreenRect(100, 50, 500, 350), 60), ScreenRect(130, 80, 470, 320)));
  EXPECT_TRUE(RectNear(FrameInterior(ScreenRect(100, 50, 120, 60), 60), ScreenRect(110, 55, 110, 55)));
}

TEST(DialogFrameLayout, OrnamentsSitOnTheirSidesCrownOutward) {
  const ScreenRect r(100, 100, 700, 500);
  const float b = 60;
  const auto o = PlaceOrnaments(r, b);
  struct Side {
    float x, y, angle;
  };
  const Side sides[4] = {{400, 100, 0}, {400, 500, kPi}, {100, 300, -kPi / 2}, {700, 300, kPi / 2}};
  for (int s = 0; s < 4; ++s) {
    EXPECT_NEAR(o[size_t(s)].rect.CenterX(), sides[s].x, 1e-3f) << s;
    EXPECT_NEAR(o[size_t(s)].rect.CenterY(), sides[s].y, 1e-3f) << s;
    EXPECT_NEAR(o[size_t(s)].rect.angle, sides[s].angle, 1e-5f) << s;
    EXPECT_NEAR(o[size_t(s)].rect.Height(), 1.5f * b, 1e-3f);
    EXPECT_NEAR(o[size_t(s)].rect.Width(), 1.135f * 1.5f * b, 1e-3f);
    EXPECT_TRUE(o[size_t(s)].shown);
  }
  // Scrolls on the long sides lie along them, mirrored about the middle, inside the border.
  const ScreenRect left = o[4].rect, right = o[5].rect;
  EXPECT_NEAR(left.CenterX() + right.CenterX(), 800, 1e-3f);
  EXPECT_NEAR(left.CenterY(), 100 + b / 2, 1e-3f);
  EXPECT_GT(left.Width(), left.Height());
  EXPECT_GE(left.left, r.left + b - 1e-3f);
  EXPECT_LE(left.right, o[0].rect.left + 1e-3f);
  EXPECT_TRUE(o[4].shown);
  // Short sides hold no scroll; a small frame shows none at all.
  EXPECT_TRUE(PlaceOrnaments(ScreenRect(0, 0, 300, 200), 60)[4].shown);
  EXPECT_FALSE(PlaceOrnaments(ScreenRect(0, 0, 300, 200), 60)[11].shown);
  EXPECT_FALSE(PlaceOrnaments(ScreenRect(0, 0, 240, 200), 60)[4].shown);
}

TEST(DialogLayouts, GameMenuButtonsFollowTheirFlagsInOrder) {
  struct Case {
    unsigned flags;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {0, {}},
      {1, {kCmdOptions}},
      {7, {kCmdOptions, kCmdResumeGame, kCmdMainMenu}},
      {23, {kCmdOptions, kCmdResumeGame, kCmdHelp, kCmdMainMenu}},
      {16 | 4, {kCmdHelp, kCmdMainMenu}},
      {8 | 32, {}},
  };
  for (const Case& c : cases) {
    std::vector<int> ids;
    for (const GameDialogButton& b : GameDialogButtons(c.flags)) ids.push_back(b.id);
    EXPECT_EQ(ids, c.ids) << c.flags;
  }
}

TEST_F(DialogsTest, GameMenuIsCentredOnItsParentWithItsButtonsStacked) {
  auto* parent = new CSprite(ScreenRect(100, 50, 500, 350), 1, nullptr, scene);
  CGameDialog* menu = OpenGameDialog(parent, 23);
  Settle();
  const ScreenRect r = menu->GetScreenRect();
  EXPECT_NEAR(r.CenterX(), 300, 0.01f);
  EXPECT_NEAR(r.CenterY(), 200, 0.01f);
  float widest = 0;
  std::vector<int> order;
  float lastY = -1;
  for (CGameObject* c = menu->FindChild(TypeId::kPushbutton); c; c = c->NextSibling(TypeId::kPushbutton)) {
    auto* b = static_cast<CPushbutton*>(c);
    widest = std::max(widest, b->GetNaturalAspect());
    EXPECT_GT(b->GetScreenRect().CenterY(), lastY);
    lastY = b->GetScreenRect().CenterY();
    order.push_back(b->GetId());
    EXPECT_EQ(b->GetStyle(), 0u);
    EXPECT_EQ(b->GetNormalLabelColor(), 0xFFFFEA80u);
    EXPECT_EQ(b->GetHoveredLabelColor(), 0xFFFFFFFFu);
  }
  EXPECT_EQ(order, (std::vector<int>{kCmdOptions, kCmdResumeGame, kCmdHelp, kCmdMainMenu}));
  EXPECT_NEAR(r.Width(), 2 * 120 + widest * 45, 0.05f);
  EXPECT_NEAR(r.Height(), 2 * 120 + 4.75f * 45, 0.05f);
  EXPECT_GT(menu->GetDepth(), scene->GetDepth());
  EXPECT_EQ(menu->GetInteriorStyle(), kInteriorNightSky);
  EXPECT_TRUE(RectNear(menu->GetInteriorRect(), FrameInterior(r, 60)));
}

TEST(DialogLayouts, MessageBoxGeometryPerKind) {
  // 800 x 600, lines of 0.05 (L = 30), a two-line text of block aspect 3 (180 x 60), buttons of aspect 2.
  struct Case {
    int kind;
    int buttons;
    float rowWidth;
  };
  const Case cases[] = {
      {kBoxClickAnywhere, 0, 0}, {kBoxContinue, 1, 90}, {kBoxYesNo, 2, 225},
      {kBoxOk, 1, 90},           {kBoxNoButtons, 0, 0}, {kBoxStart, 1, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const MessageBoxLayout l = LayoutMessageBox(c.kind, 2, 0.05f, 3.0f, 2.0f, 800, 600);
    const bool buttons = c.buttons > 0;
    EXPECT_TRUE(RectNear(l.text, ScreenRect::FromCenter(180, 60, 400, buttons ? 270 : 300)));
    ASSERT_EQ(int(l.buttons.size()), c.buttons);
    EXPECT_TRUE(RectNear(l.box, ScreenRect::FromCenter(std::max(180.0f, c.rowWidth) + 150,
                                                       60 + (buttons ? 60 : 0) + 150, 400, 300)));
    for (const ScreenRect& b : l.buttons) {
      EXPECT_NEAR(b.top, l.text.bottom + 15, 1e-3f);
      EXPECT_NEAR(b.Height(), 45, 1e-3f);
      EXPECT_NEAR(b.Width(), 90, 1e-3f);
    }
    if (c.buttons == 2) {
      EXPECT_NEAR(l.buttons[1].left - l.buttons[0].right, 45, 1e-3f);
      EXPECT_NEAR(l.buttons[0].left + l.buttons[1].right, 800, 1e-3f);  // the pair is centred
    }
  }
  // A wide pair of buttons widens the box.
  EXPECT_NEAR(LayoutMessageBox(kBoxYesNo, 1, 0.05f, 1.0f, 5.0f, 800, 600).box.Width(), 2 * 225 + 45 + 150,
              1e-3f);
}

TEST_F(DialogsTest, MessageBoxesAreBuiltToTheirKind) {
  struct Case {
    int kind;
    std::vector<int> ids;
    int hit;
  };
  const Case cases[] = {
      {kBoxClickAnywhere, {}, kHitNone},
      {kBoxContinue, {kCmdContinue}, kHitBlocking},
      {kBoxYesNo, {kCmdYes, kCmdNo}, kHitBlocking},
      {kBoxOk, {kCmdOk}, kHitBlocking},
      {kBoxNoButtons, {}, kHitBlocking},
      {kBoxStart, {kCmdStart}, kHitBlocking},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    auto* box = new CMessageBox("ConfirmSkip", "VictorianLET", 0.05f, scene, c.kind);
    std::vector<int> ids;
    for (CGameObject* b = box->FindChild(TypeId::kPushbutton); b; b = b->NextSibling(TypeId::kPushbutton)) {
      ids.push_back(b->GetId());
      EXPECT_EQ(static_cast<CPushbutton*>(b)->GetStyle(), 1u);
    }
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(box->HitTest(), c.hit);
    EXPECT_EQ(box->GetParent(), scene);
    delete box;
  }
  // Lines given directly; a box without an owner hangs on the current scene.
  const char* lines[] = {"One", "Two"};
  auto* box = new CMessageBox(lines, 2, "VictorianLET", 0.05f, nullptr, kBoxOk);
  EXPECT_EQ(box->GetText()->GetLineCount(), 2);
  EXPECT_EQ(box->GetParent(), scene);
}

}  // namespace
}  // namespace dialogstest
