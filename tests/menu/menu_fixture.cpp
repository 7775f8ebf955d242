#include "menu/menu_fixture.h"

#include "audio/sound_effects.h"
#include "core/settings.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "effects/effects_shared.h"
#include "flow/environment_factory.h"
#include "flow/progress_table.h"
#include "flow/shutter.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/game_font.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "support/test_env.h"
#include "ui/button_resources.h"

namespace menutest {
namespace {

constexpr const char* kStoryMap = R"(<?xml version="1.0" encoding="Windows-1252"?>
<GameMap>
  <Stage Name="The Parcel"><SearchVenues><Venue File="Alpha_Start.xml"/></SearchVenues></Stage>
  <Stage Name="Dock Four"><SearchVenues><Venue File="Beta_Yard.xml"/></SearchVenues></Stage>
  <Stage><SearchVenues><Venue File="Gamma_Yard.xml"/></SearchVenues></Stage>
</GameMap>
)";

std::vector<uint8_t> ShortWave() {
  std::vector<uint8_t> w;
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i)));
  };
  auto u16 = [&](uint16_t v) { w.push_back(uint8_t(v)), w.push_back(uint8_t(v >> 8)); };
  w.insert(w.end(), {'R', 'I', 'F', 'F'});
  u32(36 + 128);
  w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  u32(16), u16(1), u16(1), u32(22050), u32(44100), u16(2), u16(16);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  u32(128);
  for (int i = 0; i < 64; ++i) u16(uint16_t(i * 300));
  return w;
}

void AddPictures(const std::string& folder, const std::string& prefix, std::vector<pak::MemberSource>& out) {
  for (const std::string& name : os::ListDirectory(folder, os::ListKind::Directories))
    AddPictures(os::JoinPath(folder, name), prefix + name + "\\", out);
  for (const std::string& name : os::ListDirectory(folder))
    out.push_back(fonttest::FileMember(prefix + name, os::JoinPath(folder, name)));
}

std::string g_root;

bool MakeArchives() {
  if (!g_root.empty()) return true;
  const std::string strings = testenv::SourceDir() + "/content/database/Localization/US.xml";
  std::vector<pak::MemberSource> database{fonttest::FileMember("Localization\\US.xml", strings)};
  std::vector<pak::MemberSource> textures;
  if (!fonttest::AddBakedFonts(database, textures)) return false;
  const std::string stage = testenv::BuildDir() + "/stage/Textures";
  for (const char* folder : {"GUI", "Main", "HowToPlay"})
    AddPictures(stage + "/" + folder, std::string(folder) + "\\", textures);
  std::vector<pak::MemberSource> sounds;
  for (const char* name : {"Click.wav", "Rollover.wav", "HintReady.wav"})
    sounds.push_back({std::string("Sounds\\") + name, ShortWave()});
  const std::string dir = testenv::MakeTempDir("menu");
  for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures},
                               std::pair{"Sounds.pak", &sounds}}) {
    std::vector<uint8_t> bytes;
    if (!pak::BuildArchive(*members, 29, bytes)) return false;
    if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
  }
  g_root = dir;
  return true;
}

}  // namespace

void MenuTest::SetUp() {
  if (!MakeArchives()) GTEST_SKIP() << "the build has not baked the fonts";
  testenv::UsePrivateUserFolders();
  CreatePlayersFolder();
  for (const std::string& f : os::ListDirectory(PlayersFolder()))
    os::RemoveFile(os::JoinPath(PlayersFolder(), f));
  os::RemoveFile(SettingsFilePath());
  os::SetHost(os::CreateHeadlessHost(kW, kH));
  os::SetMessageBoxHook([this](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + ": " + text);
    return int(os::kMsgOk);
  });
  os::SetUrlHook([](const std::string&) { return true; });
  ResetPaksForTest();
  os::SetDataRoot(g_root);
  ResetInput();
  ASSERT_EQ(gfx::CreateNullDevice(kW, kH, &device), gfx::S_OK);
  SetDevice(device);
  SetClientSize(kW, kH);
  SetCurrentEnvironment(nullptr);
  CSprite::RestoreStaticDeviceObjects(device);
  ASSERT_EQ(snd::CreateNullDevice(&sound), snd::S_OK);
  ASSERT_EQ(InitSoundWithDevice(sound), 1);
  LoadStringTable("Localization\\US.xml");
  ASSERT_EQ(RestoreButtonResources(device), 0);
  SetDialogHost(&host);
  ResetEnvironmentBuilders();
  RegisterEnvironmentBuilder(TypeId::kMainEnvironment, &BuildMainMenu);
  SetReturnToCheat(false);
  FreeTransitionTable();
  ASSERT_TRUE(OpenGameMapBytes(kStoryMap, std::char_traits<char>::length(kStoryMap)));
  now = 0;
  UpdateAllObjects(0, 0);
}

void MenuTest::TearDown() {
  if (!device) return;
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  SetDialogHost(nullptr);
  InvalidateButtonResources();
  CSprite::InvalidateStaticDeviceObjects();
  effects::ResetEffectsSharedObjects();
  DestroyAllTextures();
  DestroyAllFonts();
  FreeStringTable();
  ShutdownSound();
  if (sound) sound->Release();
  CloseGameMap();
  ResetPlayerModuleForTests();
  ResetEnvironmentBuilders();
  FreeTransitionTable();
  SetReturnToCheat(false);
  SetDevice(nullptr);
  EXPECT_EQ(device->LiveResourceCount(), 0);
  device->Release();
  os::SetMessageBoxHook({});
  os::SetUrlHook({});
  ResetInput();
  ResetPaksForTest();
}

void MenuTest::Frame(int x, int y, bool down) {
  os::host().InjectPointer(x, y);
  os::host().InjectButton(false, down);
  PollInput();
  FindHoveredObject();
  now += kFrame;
  UpdateAllObjects(now, kFrame);
}

void MenuTest::RunFor(float seconds) {
  const float end = now + seconds;
  while (now < end) Frame();
}

void MenuTest::Click(CSprite* sprite) {
  ASSERT_NE(sprite, nullptr);
  const ScreenRect r = sprite->GetScreenRect();
  const int x = int(r.CenterX()), y = int(r.CenterY());
  Frame(x, y, false);
  Frame(x, y, true);
  Frame(x, y, false);
}

CMainEnvironment* MenuTest::BuildMenu() {
  return static_cast<CMainEnvironment*>(BuildEnvironment(TypeId::kMainEnvironment, nullptr));
}

void MenuTest::WriteProfile(const std::string& name, float cumulative, float best, int stage) {
  char text[512];
  std::snprintf(text, sizeof text,
                "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n<Player><PlayerAttribs Flags=\"1,0,0,0\" "
                "Stage=\"%d\" CumulativeTime=\"%g\" BestGameTime=\"%g\" ClassID=\"0\"/></Player>\n",
                stage, double(cumulative), double(best));
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(PlayersFolder(), name + ".xml"), std::string(text)));
}

std::string MenuTest::ShutterTarget() {
  CShutter* s = GetShutter();
  if (!s) return "";
  return std::to_string(s->ClassId()) + (s->Argument() ? std::string(" ") + s->Argument() : "");
}

}  // namespace menutest
