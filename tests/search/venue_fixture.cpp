#include "search/venue_fixture.h"

#include <filesystem>

#include "audio/sound_effects.h"
#include "core/frame_timer.h"
#include "core/random.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "flow/environment_factory.h"
#include "flow/progress_table.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/game_font.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "search/hidden_object.h"
#include "search/search_environment.h"
#include "search/venue_parts.h"
#include "support/test_env.h"
#include "ui/button_resources.h"

namespace venuetest {

namespace {

// Test venues: every behaviour, a mask picture in each orientation, broken values, a patch.
constexpr const char* kTestVenues[][2] = {
    {"Search\\Venues\\Test_Kinds.xml", R"(<Venue ItemsToFind="3" ItemSlots="3" CompletionFlag="10">
  <HiddenObjects>
    <Object Name="Left half" File="Half.tga" Coords="-0.3,0" Size="0.2" AspectRatio="1"/>
    <Object Name="Mirrored" File="Half.tga" Coords="0,0" Size="0.2" AspectRatio="1" Flags="8"/>
    <!-- a comment is not an object and takes no index -->
    <Object Name="Flipped" File="Top.tga" Coords="0.3,0" Size="0.2" AspectRatio="1" Flags="16"/>
    <Blocker Behavior="1" File="Half.tga" Coords="-0.3,-0.3" Size="0.1"/>
    <Glass Behavior="2" Coords="-0.3,0" Size="0.2"/>
    <Nameless File="Half.tga" Coords="0.3,-0.3" Size="0.1"/>
    <Hotspot Behavior="4" HotspotID="13" Coords="0.3,0.3" Size="0.1"/>
  </HiddenObjects>
  <Patches><Patch Rect="0,0,100,100" Texture="Search\Patch.png" Period="0.25" Variance="0"/>
           <Patch Rect="0,0,100,100" Period="-3" Variance="7"/></Patches>
  <BackButton ButtonID="0"/>
</Venue>)"},
    {"Search\\Venues\\Test_Broken.xml", R"(<Venue ItemsToFind="x" ItemSlots="99" FindDifferences="abc">
  <HiddenObjects>
    <Object Name="Odd" Behavior="17" ARGB="0.5,1,1" Coords="1" Size="nan" Flags="-1"/>
    <Object Name="Odd"><Shadow TextureIndex="42" AspectRatio="0"/><BoundingBox/></Object>
  </HiddenObjects>
  <Unknown/><Clouds/><NightSky Rect="1,2"/>
</Venue>)"},
    {"Search\\Venues\\Test_Pair.xml", R"(<Venue ItemsToFind="2" ItemSlots="2">
  <HiddenObjects>
    <Object Name="Cup" Plural="Cups" Coords="-0.3,0" Size="0.1"/>
    <Object Name="cup" Plural="Cups" Coords="0.3,0" Size="0.1"/>
    <Object Name="Key" InventoryClass="19" Coords="0,-0.3" Size="0.1"/>
  </HiddenObjects>
</Venue>)"},
    {"Search\\Venues\\Test_Diff.xml",
     R"(<Venue Background="Diff.tga" FindDifferences="1" ItemsToFind="1" ItemSlots="5">
  <HiddenObjects>
    <Object Name="Difference" Plural="Differences" File="Half.tga" Coords="-0.3,0" Size="0.1"/>
    <Object Name="Difference" Plural="Differences" Coords="-0.1,-0.2" Size="0.1"/>
    <Object Behavior="1" File="Half.tga" Coords="-0.4,0.3" Size="0.1"/>
  </HiddenObjects>
</Venue>)"},
};

bool Half(int x, int) {
  return x < 8;
}
bool Top(int, int y) {
  return y < 8;
}

int64_t g_ticks = 0;
int64_t Ticks() {
  return g_ticks;
}
std::string g_root;

bool MakeArchives() {
  if (!g_root.empty()) return true;
  std::vector<pak::MemberSource> database, textures;
  if (!fonttest::AddBakedFonts(database, textures)) return false;
  const std::filesystem::path content = testenv::SourceDir() + "/content/database";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(content)) {
    if (!entry.is_regular_file()) continue;
    std::string name = std::filesystem::relative(entry.path(), content).string();
    std::replace(name.begin(), name.end(), '/', '\\');
    database.push_back(fonttest::FileMember(name, entry.path().string()));
  }
  for (const auto& v : kTestVenues) database.push_back(fonttest::Member(v[0], v[1]));
  textures.push_back({"Search\\HiddenObjects\\Half.tga", MaskTga(16, 16, &Half)});
  textures.push_back({"Search\\HiddenObjects\\Top.tga", MaskTga(16, 16, &Top)});
  textures.push_back({"Search\\Backgrounds\\Diff.tga", MaskTga(8, 8, [](int, int) { return true; })});
  textures.push_back({"Search\\ItemBoard.tga", MaskTga(16, 4, [](int, int) { return true; })});
  const std::string dir = testenv::MakeTempDir("venue");
  for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures}}) {
    std::vector<uint8_t> bytes;
    if (!pak::BuildArchive(*members, 7, bytes)) return false;
    if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
  }
  g_root = dir;
  return true;
}

}  // namespace

std::vector<uint8_t> MaskTga(int w, int h, bool (*opaque)(int x, int y)) {
  std::vector<uint8_t> t(18, 0);
  t[2] = 2;
  t[12] = uint8_t(w), t[13] = uint8_t(w >> 8), t[14] = uint8_t(h), t[15] = uint8_t(h >> 8);
  t[16] = 32;
  t[17] = 0x28;  // top-left origin, 8 alpha bits
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool on = opaque(x, y);
      t.insert(t.end(), {80, 120, 160, uint8_t(on ? 255 : 0)});
    }
  return t;
}

void VenueTest::SetUp() {
  if (!MakeArchives()) GTEST_SKIP() << "the build has not baked the fonts";
  os::SetHost(os::CreateHeadlessHost(kW, kH));
  os::SetMessageBoxHook([this](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + ": " + text);
    return int(os::kMsgOk);
  });
  ResetPaksForTest();
  os::SetDataRoot(g_root);
  ResetInput();
  ASSERT_EQ(gfx::CreateNullDevice(kW, kH, &device_), gfx::S_OK);
  SetDevice(device_);
  SetClientSize(kW, kH);
  SetCurrentEnvironment(nullptr);
  CSprite::RestoreStaticDeviceObjects(device_);
  ASSERT_EQ(RestoreButtonResources(device_), 0);
  g_ticks = 0;
  FrameTimer::SetCounterForTests(&Ticks, 1000);
  new FrameTimer();
  ResetEnvironmentBuilders();
  RegisterEnvironmentBuilder(TypeId::kSearchEnvironment, &OpenSearchVenue);
  ResetVenuePartsForTests();
  FreeTransitionTable();
  LoadStringTable("Localization\\US.xml");
  ASSERT_TRUE(OpenGameMap());
  SeedRandom(5);
  now_ = 0.0f;
  UpdateAllObjects(0.0f, 0.0f);
  AtStage(0);
}

void VenueTest::TearDown() {
  if (!device_) return;
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  DestroyAllTimers();
  FrameTimer::SetCounterForTests(nullptr, 0);
  InvalidateButtonResources();
  CSprite::InvalidateStaticDeviceObjects();
  DestroyAllTextures();
  DestroyAllFonts();
  FreeStringTable();
  CloseGameMap();
  ResetPlayerModuleForTests();
  ResetEnvironmentBuilders();
  ResetVenuePartsForTests();
  FreeTransitionTable();
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
  os::SetMessageBoxHook({});
  ResetPaksForTest();
}

CSearchEnvironment* VenueTest::Open(const char* file) {
  auto* venue = new CSearchEnvironment(file);
  Frame(now_ + 0.02f, x_, y_, down_);
  return venue;
}

void VenueTest::Frame(float t, int x, int y, bool down) {
  x_ = x, y_ = y, down_ = down;
  os::InputSnapshot s;
  s.left = down;
  s.x = x, s.y = y;
  s.insideClient = true;
  PollInputFrom(s);
  FindHoveredObject();
  UpdateAllObjects(t, t - now_);
  now_ = t;
}

void VenueTest::RunUntil(float t) {
  while (now_ + 0.02f <= t + 1e-4f) Frame(now_ + 0.02f, x_, y_, down_);
}

void VenueTest::Click(int x, int y) {
  Frame(now_ + 0.02f, x, y, false);
  Frame(now_ + 0.02f, x, y, true);
  Frame(now_ + 0.02f, x, y, false);
}

void VenueTest::ClickObject(CHiddenObject* object) {
  const ScreenRect r = object->GetScreenRect();
  Click(int(r.CenterX()), int(r.CenterY()));
}

void VenueTest::AtStage(int stage) {
  if (!CurrentGameState()) {
    CreatePlayersFolder();
    ASSERT_NE(SelectPlayer("VenueTester"), nullptr);
  }
  ResetPlayer();
  SetStage(stage);
}

}  // namespace venuetest
