// The strip with a single item and a stack with its badge, the hint button two thirds into its
// recharge, a door's rising points and a hint halo, drawn by the GL backend with the staged art.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/shared_device_objects.h"
#include "core/random.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "effects/effects_shared.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "render/gl_fixture.h"
#include "scene/camera.h"
#include "scene/game_font.h"
#include "search/hint_button.h"
#include "search/hint_halo.h"
#include "search/inventory_board.h"
#include "search/portal.h"
#include "support/test_env.h"

namespace {

constexpr int kW = 800, kH = 600;

class SearchPartsRender : public rendertest::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    if (IsSkipped() || !Open(kW, kH, kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
    std::vector<pak::MemberSource> database, textures;
    if (!fonttest::AddBakedFonts(database, textures)) GTEST_SKIP() << "fonts not baked";
    const std::string stage = testenv::BuildDir() + "/stage/Textures/";
    for (const char* name :
         {"Search\\InventoryBoard.tga", "Search\\InventoryMultiplier.jpg", "Search\\HintButton.tga",
          "Search\\HintButtonRollover.png", "Search\\HintButtonDisabled.png", "Effects\\ParticleTrail.jpg",
          "Search\\HiddenObjects\\HQ_BrassKey.tga", "Search\\HiddenObjects\\Magnifier.tga",
          "Search\\Backgrounds\\Headquarters_Office.png"}) {
      std::string path = name;
      std::replace(path.begin(), path.end(), '\\', '/');
      if (!os::FileExists(stage + path)) GTEST_SKIP() << "art not built: " << path;
      textures.push_back(fonttest::FileMember(name, stage + path));
    }
    fonttest::UseArchives(database, textures);
    SetClientSize(kW, kH);
    SetDevice(dev);
    RestoreSharedDeviceObjects(dev);
    RestoreAllTextures(dev);
    CreateSceneCamera();
    SeedRandom(11);
    UpdateAllObjects(0.0f, 0.0f);
  }
  void TearDown() override {
    DestroyAllObjects();
    InvalidateSharedDeviceObjects();
    effects::ResetEffectsSharedObjects();
    DestroyAllTextures();
    DestroyAllFonts();
    hint::ResetHintChargeForTests();
    SetDevice(nullptr);
    GLTest::TearDown();
  }
  static int Luma(uint32_t p) { return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF); }
  int Bright(const gfx::Image& img, const ScreenRect& r, int threshold) {
    int n = 0;
    for (int y = int(r.top); y < int(r.bottom); ++y)
      for (int x = int(r.left); x < int(r.right); ++x) n += Luma(At(img, x, y)) > threshold ? 1 : 0;
    return n;
  }
};

TEST_F(SearchPartsRender, StripButtonDoorAndHalo) {
  auto* venue =
      new CSprite(ScreenRect(0, 0, kW, kH), 0, "Search\\Backgrounds\\Headquarters_Office.png", nullptr);
  auto* strip = new CInventoryBoard(venue);
  new CInventoryItem(strip, 0, InventoryFind{19, "Brass key", "Brass keys", "HQ_BrassKey.tga", 2.16f}, 1);
  auto* stack =
      new CInventoryItem(strip, 1, InventoryFind{7, "Magnifier", "Magnifiers", "Magnifier.tga", 1.88f}, 3);
  portal::Spec door;
  door.portalId = 0;
  door.levelName = "Warehouse_Yard.xml";
  door.rect = {100, 250, 260, 600};
  auto* portal = new CPortal(venue, door);
  auto* target =
      new CSprite(ScreenRect(420, 330, 500, 380), 1, "Search\\HiddenObjects\\Magnifier.tga", venue);
  hint::SetLastHintTime(-15.0f);  // used 15 s ago: a third of the lamp is lit again
  auto* button = new CHintButton(venue);
  for (int f = 0; f <= 120; ++f) {
    if (f == 90) new CHintHalo(target, 2.0f);
    UpdateAllObjects(f / 60.0f, 1.0f / 60.0f);
  }
  Begin(0xFF000000);
  RenderAllObjects(dev);
  End();
  const gfx::Image img = Read("search_strip_button_door_halo.png");

  EXPECT_EQ(button->GetFan().vertexCount, 7);  // 17 s into the recharge
  ASSERT_NE(stack->GetBadge(), nullptr);
  EXPECT_GT(Bright(img, stack->GetBadge()->GetScreenRect(), 300), 10);   // the yellow "3x"
  EXPECT_GT(Bright(img, portal->GetScreenRect(), 500), 40);              // the door's points
  EXPECT_GT(Bright(img, target->GetScreenRect().Scale(3.0f), 450), 40);  // the halo's spiral
  // The wipe: the dark lamp covers the sector counter-clockwise from twelve o'clock (the left),
  // the lit part lies to the right of twelve.
  const ScreenRect r = button->GetScreenRect();
  const int lit = Bright(img, ScreenRect(r.CenterX() + 4, r.top + 8, r.right - 8, r.CenterY() - 4), 250);
  const int dark = Bright(img, ScreenRect(r.left + 8, r.top + 8, r.CenterX() - 4, r.CenterY() - 4), 250);
  EXPECT_GT(lit, dark);
}

}  // namespace

namespace {

TEST_F(SearchPartsRender, HintWipeUncoversClockwiseFromTwelve) {
  // A venue far larger than the window puts a big button into view.
  auto* venue = new CSprite(ScreenRect(-3200, -2400, 800, 600), 0, nullptr, nullptr);
  hint::SetLastHintTime(-10.0f);  // 10 s used, 35 s to go: most of the lamp still dark
  auto* button = new CHintButton(venue);
  UpdateAllObjects(1.25f, 1.0f / 60.0f);  // 11.25 s: a quarter lit, from twelve to three o'clock
  Begin(0xFF000000);
  RenderAllObjects(dev);
  End();
  const gfx::Image img = Read("search_hint_wipe.png");
  EXPECT_EQ(button->GetFan().vertexCount, 9);
  const ScreenRect r = button->GetScreenRect();
  const float q = r.Width() / 4;
  // The lit quarter (top right) against the three dark ones.
  const int topRight =
      Bright(img, ScreenRect(r.CenterX() + q * 0.3f, r.top + q, r.right - q, r.CenterY() - q * 0.3f), 300);
  const int topLeft =
      Bright(img, ScreenRect(r.left + q, r.top + q, r.CenterX() - q * 0.3f, r.CenterY() - q * 0.3f), 300);
  const int bottomRight =
      Bright(img, ScreenRect(r.CenterX() + q * 0.3f, r.CenterY() + q * 0.3f, r.right - q, r.bottom - q), 300);
  EXPECT_GT(topRight, topLeft);
  EXPECT_GT(topRight, bottomRight);
}

}  // namespace
