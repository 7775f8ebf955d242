// The pure parts: the recharge fan, the wrong-click window, the halo's spiral, the strip's
// geometry, the saved strip and the portal's particles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "core/random.h"
#include "search/hint_charge.h"
#include "search/hint_halo.h"
#include "search/inventory_layout.h"
#include "search/inventory_saved.h"
#include "search/portal.h"
#include "search/wrong_clicks.h"

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}

TEST(HintFan, VertexCountAndWipeEdgePerAngle) {
  // elapsed -> vertices; the wipe edge lies on the square's outline at the wipe's angle.
  struct Case {
    float elapsed;
    int vertices;
    float edgeX, edgeY;
  } cases[] = {
      {0.0f, 10, 0, -1},             // a full turn: the fan closes at twelve o'clock
      {5.62f, 10, 1, -1},            // just past seven eighths: at the top-right corner
      {22.49f, 7, 0, 1},             // just past half a turn: bottom centre
      {33.74f, 5, -1, 0},            // just past a quarter: left centre
      {39.37f, 4, -1, -1},           // just past an eighth: the top-left corner
      {42.1875f, 3, -0.41421f, -1},  // a sixteenth: on the top edge, tan(pi/16 * 2)
      {44.99f, 3, -0.0014f, -1},
  };
  for (const Case& c : cases) {
    const hint::Fan fan = hint::BuildFan(c.elapsed);
    ASSERT_EQ(fan.vertexCount, c.vertices) << c.elapsed;
    const gfx::VertexPosUv& edge = fan.vertices[size_t(fan.vertexCount - 1)];
    EXPECT_NEAR(edge.x, c.edgeX, 2e-3f) << c.elapsed;
    EXPECT_NEAR(edge.y, c.edgeY, 2e-3f) << c.elapsed;
    EXPECT_FLOAT_EQ(edge.u, (edge.x + 1) / 2);
    EXPECT_FLOAT_EQ(edge.v, (edge.y + 1) / 2);
    EXPECT_EQ(fan.vertices[0].x, 0.0f);
    EXPECT_EQ(fan.vertices[1].y, -1.0f);  // the first outline point is twelve o'clock
  }
  for (float charged : {45.0f, 60.0f, NAN}) EXPECT_EQ(hint::BuildFan(charged).vertexCount, 0);
  EXPECT_EQ(hint::BuildFan(-3.0f).vertexCount, 10);  // a clock that stepped back counts as just used
}

TEST(HintFan, EighthIsClampedToTheLastOne) {
  EXPECT_EQ(hint::FanEighth(2 * kPi), 7);
  EXPECT_EQ(hint::FanEighth(100.0f), 7);
  EXPECT_EQ(hint::FanEighth(kPi / 4 - 1e-4f), 0);
  EXPECT_EQ(hint::FanEighth(kPi / 4 + 1e-4f), 1);
  EXPECT_EQ(hint::FanEighth(-1.0f), 0);
  EXPECT_EQ(hint::FanEighth(NAN), 0);
}

TEST(HintCharge, SharedRechargeWindow) {
  hint::ResetHintChargeForTests();
  EXPECT_FALSE(hint::IsRecharging(0.0f));  // the first hint is ready at once
  hint::SetLastHintTime(10.0f);
  EXPECT_TRUE(hint::IsRecharging(54.0f));
  EXPECT_FALSE(hint::IsRecharging(55.0f));
  hint::ResetHintChargeForTests();
}

TEST(WrongClicks, WindowFromItsFirstClick) {
  // Times are offsets from a base; each row is a fresh window, clicks in order.
  struct Case {
    std::vector<float> clicks;
    std::vector<bool> penalties;
  } cases[] = {
      {{0, 1.0f, 1.5f}, {false, false, true}},
      {{0, 1.0f, 1.5f, 1.8f}, {false, false, true, false}},   // the fourth opens a new window
      {{0, 1.0f, 2.5f, 3.0f}, {false, false, false, false}},  // 2.5 s is outside: window restarts
      {{0, 2.0f, 2.0f}, {false, false, true}},                // exactly 2 s still counts
      {{0, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f}, {false, false, true, false, false, true}},
  };
  for (const Case& c : cases) {
    penalty::WrongClickWindow window;
    for (size_t i = 0; i < c.clicks.size(); ++i) {
      EXPECT_EQ(window.Count(100.0f + c.clicks[i]), c.penalties[i]) << "click " << i;
    }
  }
  penalty::WrongClickWindow window;
  window.Count(100.0f);
  window.Count(100.5f);
  window.Reset();  // a find in between
  EXPECT_FALSE(window.Count(101.0f));
  EXPECT_EQ(window.Clicks(), 1.0f);
}

TEST(HintHalo, PointsSpiralInwardWhileFading) {
  const float r = 10.0f;
  struct Case {
    float age, theta, radius, brightness;
  } cases[] = {
      {0.0f, 0.0f, 20.0f, 1.0f},
      {0.25f, 1.0f, 12.5f, std::sqrt(0.5f)},
      {0.5f, 2.0f, 10.0f, 0.0f},
  };
  for (const Case& c : cases) {
    const hint::HaloPoint p = hint::HaloPointAt(c.age, c.theta, r);
    EXPECT_NEAR(std::hypot(p.x, p.y), c.radius, 1e-4f);
    EXPECT_NEAR(std::atan2(p.y, p.x), std::remainder(c.theta + c.age, 2 * kPi), 1e-4f);
    EXPECT_NEAR(p.brightness, c.brightness, 1e-4f);
  }
}

TEST(InventoryLayout, StripSlotsPicturesAndBadges) {
  const ScreenRect venue(0, 0, 1024, 768);
  const ScreenRect strip = inventory::StripRect(venue);
  EXPECT_NEAR(strip.right, 1024, 1e-3f);
  EXPECT_NEAR(strip.Width(), 112.64f, 1e-2f);
  EXPECT_NEAR(strip.bottom, 768 - 87.04f, 1e-2f);
  // The slot centres the demo's scripts click.
  for (int k = 0; k < 6; ++k) {
    const ScreenRect slot = inventory::SlotRect(strip, k);
    EXPECT_NEAR(slot.CenterX(), 980, 1) << k;
    EXPECT_NEAR(slot.CenterY(), 246 + 72.6f * float(k), 1) << k;
    EXPECT_LE(slot.bottom, strip.bottom);
  }
  EXPECT_EQ(inventory::VisibleSlots(), 6);
  const ScreenRect slot(0, 0, 60, 60);
  EXPECT_TRUE(inventory::PictureRect(slot, 2.0f) == ScreenRect(0, 15, 60, 45));
  EXPECT_TRUE(inventory::PictureRect(slot, 0.5f) == ScreenRect(15, 0, 45, 60));
  EXPECT_TRUE(inventory::PictureRect(slot, 0.0f) == slot);
  const ScreenRect badge = inventory::BadgeRect(slot);
  EXPECT_FLOAT_EQ(badge.right, 60);
  EXPECT_FLOAT_EQ(badge.bottom, 60);
  EXPECT_FLOAT_EQ(badge.Height(), 18);
  EXPECT_FLOAT_EQ(badge.Width(), 1.33f * 18);
  EXPECT_EQ(inventory::SmallestFreeSlot({}), 0);
  EXPECT_EQ(inventory::SmallestFreeSlot({0, 2, 1, 4}), 3);
}

TEST(InventorySaved, ReadChecksWhatAProfileHolds) {
  const std::string text = R"(<Player><InventoryBoard>
      <Item Slot="2" Class="9" Name="Photo scrap" Plural="Photo scraps" Texture="PhotoScrap1.tga" Instances="4" AspectRatio="1.25"/>
      <Item Slot="2" Class="13" Name="Stethoscope" Texture="WH_Stethoscope.tga" Instances="1"/>
      <Item Slot="-1" Class="1" Name="Dock key" Plural="Dock keys" Texture="DockKey.tga" Instances="0" AspectRatio="nan"/>
      <Item Slot="40" Class="5" Name="Crowbar" Texture="Crowbar.tga" Instances="2" AspectRatio="-2"/>
      <Item Slot="1" Class="4" Name="No picture" Instances="1"/>
      <Item Slot="1" Class="4" Texture="Nameless.tga" Instances="1"/>
      <!-- not an item --><Other Slot="5" Name="x" Texture="y"/>
    </InventoryBoard></Player>)";
  XmlDocument doc;
  ASSERT_EQ(doc.LoadBytes(text.data(), text.size()), 0);
  ScopedXmlNode root(doc, doc.Root());
  ScopedXmlNode board(doc, doc.FindChildNode(root, "InventoryBoard"));
  const std::vector<inventory::SavedItem> items = inventory::ReadSavedItems(doc, board, 6);
  const std::vector<inventory::SavedItem> want = {
      {2, 9, "Photo scrap", "Photo scraps", "PhotoScrap1.tga", 4, 1.25f},
      {0, 13, "Stethoscope", "Stethoscope", "WH_Stethoscope.tga", 1, 0},  // slot taken: smallest free
      {1, 1, "Dock key", "Dock keys", "DockKey.tga", 1, 0},  // outside: smallest free; a count of 0 is one
      {3, 5, "Crowbar", "Crowbar", "Crowbar.tga", 2, 0},
  };
  EXPECT_EQ(items, want);
  EXPECT_TRUE(inventory::ReadSavedItems(doc, kNoNode, 6).empty());
}

TEST(InventorySaved, WriteReplacesTheOldBoardAndRoundTrips) {
  XmlDocument doc;
  const std::string text = "<Player><InventoryBoard><Item Slot=\"4\"/></InventoryBoard><Venue/></Player>";
  ASSERT_EQ(doc.LoadBytes(text.data(), text.size()), 0);
  ScopedXmlNode root(doc, doc.Root());
  const std::vector<inventory::SavedItem> items = {
      {0, 1, "Dock key", "Dock keys", "DockKey.tga", 1, 1.0f},
      {1, 9, "Photo scrap", "Photo scraps", "P1.tga", 12, 1.2621f}};
  inventory::WriteSavedItems(doc, root, items);
  EXPECT_EQ(doc.ChildElementCount(root), 2);
  ScopedXmlNode board(doc, doc.FindChildNode(root, "InventoryBoard"));
  EXPECT_EQ(inventory::ReadSavedItems(doc, board, 6), items);
  inventory::WriteSavedItems(doc, root, {});
  EXPECT_EQ(doc.FindChildNode(root, "InventoryBoard"), kNoNode);  // nothing carried: no element
}

TEST(PortalModel, SpecClampsParticles) {
  struct Case {
    const char* xml;
    int particles;
  } cases[] = {{"<Portal/>", 100},
               {"<Portal Particles=\"0\"/>", 1},
               {"<Portal Particles=\"-5\"/>", 1},
               {"<Portal Particles=\"5000\"/>", 1000},
               {"<Portal Particles=\"37\"/>", 37}};
  for (const Case& c : cases) {
    XmlDocument doc;
    ASSERT_EQ(doc.LoadBytes(c.xml, std::strlen(c.xml)), 0);
    ScopedXmlNode e(doc, doc.Root());
    EXPECT_EQ(portal::ReadSpec(doc, e).particles, c.particles) << c.xml;
  }
  XmlDocument doc;
  const std::string text =
      R"(<Portal PortalID="1" LevelName="Warehouse_Office.xml" DisplayName="Foreman's office" Rect="640,330,760,600"/>)";
  ASSERT_EQ(doc.LoadBytes(text.data(), text.size()), 0);
  ScopedXmlNode e(doc, doc.Root());
  const portal::Spec spec = portal::ReadSpec(doc, e);
  EXPECT_EQ(spec.portalId, 1);
  EXPECT_EQ(spec.levelName, "Warehouse_Office.xml");
  EXPECT_EQ(spec.displayName, "Foreman's office");
  EXPECT_EQ(spec.rect, (std::array<int, 4>{640, 330, 760, 600}));
}

TEST(PortalModel, ParticlesRespawnOutOfPhaseAndGlowGreenToGold) {
  SeedRandom(3);
  portal::Particle p;
  const float t0 = portal::Advance(p, 10.0f);
  EXPECT_GE(p.life, 1.5f);
  EXPECT_LT(p.life, 3.0f);
  EXPECT_GE(p.x, -1.0f);
  EXPECT_LT(p.x, 1.0f);
  EXPECT_GE(p.y, 0.0f);
  EXPECT_GE(p.speed, 0.5f);
  EXPECT_LE(p.birth, 10.0f);  // a first life starts somewhere along its way
  EXPECT_GE(t0, 0.0f);
  EXPECT_LT(t0, 1.0f);
  const float birth = p.birth, life = p.life;
  EXPECT_NEAR(portal::Advance(p, birth + 0.5f * life), 0.5f, 1e-4f);  // same life, half way
  EXPECT_EQ(p.birth, birth);
  EXPECT_EQ(portal::Advance(p, birth + life), 0.0f);  // over: born again now, in phase
  EXPECT_EQ(p.birth, birth + life);
  // Looks at the start, the middle and the end of a life (back buffer 600 high).
  EXPECT_EQ(portal::ParticleColor(0.0f), 0xFF008000u);
  EXPECT_EQ(portal::ParticleColor(0.5f), 0xFFFFFF00u);
  EXPECT_NEAR(portal::ParticleSize(0.0f, 600), 3.0f, 1e-4f);
  EXPECT_NEAR(portal::ParticleSize(0.5f, 600), 9.0f, 1e-4f);
  EXPECT_NEAR(portal::ParticleSize(1.0f, 600), 3.0f, 1e-3f);
}
