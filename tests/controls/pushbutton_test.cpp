// Push buttons and the back button in a running world on the null device: labels, hover and its
// sounds, clicks, the disabled period with its single halo and sound, and tooltips.
#include "ui/pushbutton.h"

#include <gtest/gtest.h>

#include "controls/controls_test_fixture.h"
#include "data/xml_document.h"
#include "scene/game_font.h"
#include "scene/scene_context.h"
#include "scene/text_container.h"
#include "ui/back_button.h"
#include "ui/button_style.h"
#include "ui/tooltip.h"

namespace controlstest {
namespace {

int CountChildren(CGameObject* parent, int typeId) {
  int n = 0;
  for (CGameObject* c = parent->FindChild(typeId); c; c = c->NextSibling(typeId)) ++n;
  return n;
}

class PushbuttonTest : public ControlsTest {
 protected:
  // A button at (100, 100)-(394, 200) owned by the listener->
  CPushbutton* MakeButton(const char* key = kPlayKey, uint32_t style = 1) {
    auto* b = new CPushbutton(key, 77, style, listener, nullptr);
    b->SetScreenRect(ScreenRect(100, 100, 394, 200));
    return b;
  }
  void SetUp() override {
    ControlsTest::SetUp();
    listener = new Listener;  // objects live in the tree, which the fixture empties
  }
  Listener* listener = nullptr;
};

TEST_F(PushbuttonTest, LabelComesFromTheTableOrShowsTheKey) {
  struct Row {
    const char* key;
    const char* shown;
  };
  const Row rows[] = {
      {kPlayKey, "Play"}, {kMissingKey, kMissingKey}, {kNoValueKey, kNoValueKey}, {nullptr, ""}};
  for (const Row& r : rows) {
    auto* b = new CPushbutton(r.key, 1, 1, nullptr, nullptr);
    EXPECT_EQ(b->GetLabelText(), r.shown) << (r.key ? r.key : "null");
    EXPECT_EQ(b->GetLabel().VertexCount() > 0, *r.shown != 0);
    delete b;
  }
}

TEST_F(PushbuttonTest, NaturalAspectDepthAndFontFollowTheStyleAndHost) {
  listener->SetDepth(5);
  CPushbutton* picture = MakeButton(kPlayKey, 2);
  EXPECT_FLOAT_EQ(picture->GetNaturalAspect(), 3.63f);
  EXPECT_FLOAT_EQ(picture->GetDepth(), 6.0f);
  EXPECT_EQ(picture->GetParent(), listener);
  CPushbutton* labelOnly = MakeButton(kPlayKey, 0);
  EXPECT_GT(labelOnly->GetLabelAspect(), 0.5f);
  EXPECT_FLOAT_EQ(labelOnly->GetNaturalAspect(), labelOnly->GetLabelAspect());
  CPushbutton* camera = MakeButton(kPlayKey, 4);
  ASSERT_NE(camera->GetLabel().Font(), nullptr);
  EXPECT_EQ(camera->GetLabel().Font()->GetName(), "GoldFlat");
  EXPECT_EQ(camera->GetNormalLabelColor(), 0xFF000000u);
  CPushbutton* small = MakeButton(kPlayKey, 1 | kButtonTooltipFont);
  EXPECT_EQ(small->GetLabel().Font()->GetName(), "Tooltip");
  small->SetLabelColors(0xFF102030, 0xFF405060);
  EXPECT_EQ(small->GetHoveredLabelColor(), 0xFF405060u);
}

TEST_F(PushbuttonTest, RolloverSoundsOnceOnEntryAndAgainOnlyAfterAGap) {
  CPushbutton* b = MakeButton();
  // Pointer path by frame: in = over the button.
  const bool path[] = {false, true, true, true, false, true, true, false, false, true, true};
  const int wantPlays[] = {0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2};
  for (size_t i = 0; i < std::size(path); ++i) {
    RunUntil(world.Now(), path[i] ? 200 : 600, path[i] ? 150 : 500);
    EXPECT_EQ(world.Plays("Rollover.wav"), wantPlays[i]) << "frame " << i;
  }
  EXPECT_EQ(b->GetCursorKind(), 2);
}

TEST_F(PushbuttonTest, ClickNotifiesTheOwnerWithTheIdAndClicks) {
  CPushbutton* b = MakeButton();
  Click(200, 150);
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(listener->lastSender, b);
  EXPECT_EQ(listener->lastCode, 77);
  EXPECT_EQ(world.Plays("Click.wav"), 1);
  Click(600, 500);  // elsewhere: nothing
  EXPECT_EQ(listener->count, 1);
}

TEST_F(PushbuttonTest, HalfTransparentOrOwnerlessButtonsAreSafe) {
  CPushbutton* faded = MakeButton();
  faded->SetOpacity(0.99f);
  Click(200, 150);
  EXPECT_EQ(listener->count, 0);
  EXPECT_EQ(world.Plays("Rollover.wav"), 0);
  delete faded;

  auto* owner = new Listener;
  auto* orphan = new CPushbutton(kPlayKey, 3, 1, owner, listener);
  orphan->SetScreenRect(ScreenRect(100, 100, 394, 200));
  delete owner;  // the weak reference lets go; the button stays with its parent
  EXPECT_EQ(orphan->GetOwner(), nullptr);
  Click(200, 150);
  EXPECT_EQ(world.Plays("Click.wav"), 1);
}

TEST_F(PushbuttonTest, DisabledButtonRechargesOnceWithOneHaloAndOneSound) {
  CPushbutton* b = MakeButton();
  RunUntil(1.0f, 600, 500);
  b->Disable(2.0f);
  EXPECT_TRUE(b->IsDisabledNow());
  Click(200, 150);
  EXPECT_EQ(listener->count, 0);
  EXPECT_EQ(world.Plays("Rollover.wav"), 0);
  RunUntil(2.9f, 200, 150);
  EXPECT_EQ(CountChildren(b, TypeId::kFireHalo), 0);
  EXPECT_EQ(world.Plays("HintReady.wav"), 0);
  RunUntil(3.1f, 600, 500);
  EXPECT_EQ(CountChildren(b, TypeId::kFireHalo), 1);
  EXPECT_EQ(world.Plays("HintReady.wav"), 1);
  RunUntil(4.0f, 600, 500);
  EXPECT_EQ(world.Plays("HintReady.wav"), 1);
  Click(200, 150);
  EXPECT_EQ(listener->count, 1);
}

TEST_F(PushbuttonTest, HoveredTooltipStaysOneAndFadesAwayWhenLeft) {
  CPushbutton* b = MakeButton();
  b->SetTooltip(kTwoLineKey, 0);
  RunUntil(0.5f, 200, 150);
  ASSERT_EQ(CountTooltips(), 1);
  CTooltip* tip = FirstTooltip();
  EXPECT_EQ(tip->GetTextObject()->GetTypeId(), TypeId::kTextContainer);
  EXPECT_EQ(static_cast<CTextContainer*>(tip->GetTextObject())->GetLineCount(), 2);
  EXPECT_EQ(tip->GetState(), 2);
  // Below the button, centred on it.
  EXPECT_GT(tip->GetScreenRect().top, 200.0f);
  EXPECT_NEAR(tip->GetScreenRect().CenterX(), b->GetScreenRect().CenterX(), 0.5f);
  RunUntil(0.7f, 600, 500);
  EXPECT_EQ(CountTooltips(), 1);  // still fading
  RunUntil(0.5f + 0.25f + 5 * kFrame, 600, 500);
  EXPECT_EQ(CountTooltips(), 0);

  b->SetTooltip(nullptr, 0);
  RunUntil(world.Now() + 0.2f, 200, 150);
  EXPECT_EQ(CountTooltips(), 0);
}

TEST_F(PushbuttonTest, ButtonTooltipBesideItWithTheFlags) {
  CPushbutton* b = MakeButton();
  b->SetScreenRect(ScreenRect(100, 100, 194, 132));
  b->SetTooltip(kOneLineKey, kTooltipLeftAligned);
  RunUntil(0.5f, 150, 116);
  ASSERT_EQ(CountTooltips(), 1);
  const ScreenRect r = FirstTooltip()->GetScreenRect();
  EXPECT_NEAR(r.left, 194 + 0.125f * 94, 0.5f);
  EXPECT_NEAR(r.top, 100, 0.5f);
  EXPECT_NEAR(r.bottom, 132, 0.5f);

  // A tall button's tooltip would run off the right edge: it is pushed back on screen.
  b->SetScreenRect(ScreenRect(400, 100, 494, 300));
  RunUntil(1.0f, 450, 200);
  EXPECT_NEAR(FirstTooltip()->GetScreenRect().right, float(kW), 0.5f);
}

TEST_F(PushbuttonTest, BackButtonSitsBottomLeftAndPassesItsClickToTheScene) {
  auto* scene = new Listener;  // not a sprite: the client area is its picture
  XmlDocument doc;
  const char xml[] =
      R"(<Venue><BackButton LevelName="Warehouse_Yard.xml" ButtonID="3" Footsteps="1" Tooltip="TipOne"/></Venue>)";
  ASSERT_EQ(doc.LoadBytes(xml, sizeof xml - 1), 0);
  ScopedXmlNode root(doc, doc.Root());
  ScopedXmlNode element(doc, doc.FindChildNode(root, "BackButton"));
  // The constructor wants a sprite scene; a full-screen sprite stands in for the venue.
  auto* venue = new CSprite(ScreenRect(0, 0, kW, kH), 1, nullptr, nullptr);
  scene->Attach(venue, 0);
  auto* back = new CBackButton(venue, doc, element);
  EXPECT_EQ(back->GetId(), 108);
  EXPECT_EQ(back->GetStyle(), 3u | kButtonGlow);
  EXPECT_EQ(back->GetLevelName(), "Warehouse_Yard.xml");
  EXPECT_EQ(back->GetButtonNumber(), 3);
  EXPECT_TRUE(back->HasFootsteps());
  EXPECT_EQ(*back->GetTooltipKey(), "TipOne");
  EXPECT_EQ(back->GetTooltipFlags(), kTooltipLeftAligned);
  const ScreenRect r = back->GetScreenRect();  // h = 30, w = 60, centre (45, 570)
  EXPECT_NEAR(r.Height(), 30.0f, 1e-3f);
  EXPECT_NEAR(r.Width(), 60.0f, 1e-3f);
  EXPECT_NEAR(r.CenterX(), 45.0f, 1e-3f);
  EXPECT_NEAR(r.CenterY(), 570.0f, 1e-3f);

  // The venue hears the click through its own notification.
  struct Venue : CSprite {
    void OnNotify(CGameObject* s, int c) override { heard = s && c == 108 ? heard + 1 : heard; }
    int heard = 0;
  };
  auto* v2 = new Venue;
  v2->SetScreenRect(ScreenRect(0, 0, kW, kH));
  auto* back2 = new CBackButton(v2, doc, element);
  ASSERT_GT(back2->GetDepth(), back->GetDepth());
  Click(45, 570);
  EXPECT_EQ(v2->heard, 1);
  EXPECT_EQ(world.Plays("Footsteps.wav"), 1);
  EXPECT_EQ(world.Plays("Click.wav"), 1);
  delete scene;
}

TEST_F(PushbuttonTest, BackButtonWithoutElementHasNoSoundNorTooltip) {
  XmlDocument doc;
  auto* venue = new CSprite(ScreenRect(0, 0, kW, kH), 1, nullptr, nullptr);
  auto* back = new CBackButton(venue, doc, kNoNode);
  EXPECT_FALSE(back->HasFootsteps());
  EXPECT_FALSE(back->GetTooltipKey().has_value());
  EXPECT_EQ(back->GetOwner(), back);
  delete venue;  // takes the button with it
  EXPECT_EQ(CSprite::LiveCount(), 0);
}

}  // namespace
}  // namespace controlstest
