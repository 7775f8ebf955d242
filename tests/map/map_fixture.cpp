#include "map/map_fixture.h"

#include "audio/sound_effects.h"
#include "core/frame_timer.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "flow/environment_factory.h"
#include "flow/map_environment.h"
#include "flow/progress_table.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/game_font.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "support/test_env.h"
#include "ui/button_resources.h"

namespace maptest {

const char* const kStoryMap = R"(<?xml version="1.0" encoding="Windows-1252"?>
<GameMap>
  <Stage Name="One" MapName="ToTest">
    <SearchVenues><Venue File="Alpha_Start.xml"/><Venue File="Alpha_Close.xml"/></SearchVenues>
  </Stage>
  <Stage Name="Two" MapName="ToTest">
    <SearchVenues><Venue File="Beta_Yard.xml"/><Venue File="Beta_End.xml"/></SearchVenues>
    <Differences File="Beta_Diff.xml"/>
  </Stage>
  <Stage Name="Three"><SearchVenues/></Stage>
</GameMap>
)";

namespace {

constexpr const char* kStrings = R"(<?xml version="1.0" encoding="Windows-1252"?>
<Strings>
  <Skip Value="Skip"><Line Value="Skip"/></Skip>
  <MapBureau Value="Detective Bureau"><Line Value="Detective Bureau"/></MapBureau>
  <MapDocks Value="Dock Four"><Line Value="Dock Four"/></MapDocks>
  <MapLantern Value="Lantern Street"><Line Value="Lantern Street"/></MapLantern>
  <MapBarn Value="Cobble Hill Car Barn"><Line Value="Cobble Hill"/><Line Value="Car Barn"/></MapBarn>
</Strings>
)";

// A route of lines 1 and 3 normalized units long, and one without lines.
constexpr const char* kTwoLines = R"(<Map Background="Vardell.jpg" Time="10">
  <Icons><Icon Image="IconBureau.png" Size="48" Coords="512,384" Name="MapBarn" Position="2"/></Icons>
  <Lines><Line Start="0,100" End="512,100" Width="6"/><Segment Start="0,200" End="1536,200" Width="6"/></Lines>
</Map>)";
constexpr const char* kNoLines = R"(<Map Background="Vardell.jpg"><Icons/></Map>)";

int64_t g_ticks = 0;
int64_t Ticks() {
  return g_ticks;
}

std::string g_root;

bool MakeArchives() {
  if (!g_root.empty()) return true;
  std::vector<pak::MemberSource> database{fonttest::Member("Localization\\US.xml", kStrings),
                                          fonttest::Member("Map\\TwoLines.xml", kTwoLines),
                                          fonttest::Member("Map\\NoLines.xml", kNoLines)};
  std::vector<pak::MemberSource> textures;
  if (!fonttest::AddBakedFonts(database, textures)) return false;
  const std::string maps = testenv::SourceDir() + "/content/database/Map";
  for (const std::string& name : os::ListDirectory(maps))
    database.push_back(fonttest::FileMember("Map\\" + name, os::JoinPath(maps, name)));
  const std::string dir = testenv::MakeTempDir("map");
  for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures}}) {
    std::vector<uint8_t> bytes;
    if (!pak::BuildArchive(*members, 31, bytes)) return false;
    if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
  }
  g_root = dir;
  return true;
}

}  // namespace

void MapTest::SetUp() {
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
  RegisterEnvironmentBuilder(TypeId::kMapEnvironment, &BuildMapEnvironment);
  FreeTransitionTable();
  LoadStringTable("Localization\\US.xml");
  ASSERT_TRUE(OpenGameMapBytes(kStoryMap, std::char_traits<char>::length(kStoryMap)));
  now_ = 0.0f;
  UpdateAllObjects(0.0f, 0.0f);
}

void MapTest::TearDown() {
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
  FreeTransitionTable();
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
  os::SetMessageBoxHook({});
  ResetPaksForTest();
}

void MapTest::RunAt(float t) {
  UpdateAllObjects(t, t - now_);
  now_ = t;
}

void MapTest::RunUntil(float t, float dt) {
  while (now_ + dt <= t + 1e-4f) RunAt(now_ + dt);
}

void MapTest::AtStage(int stage) {
  if (!CurrentGameState()) {
    CreatePlayersFolder();
    ASSERT_NE(SelectPlayer("MapTester"), nullptr);
    ResetPlayer();  // nothing carried over from an earlier test
  }
  SetStage(stage);
}

}  // namespace maptest
