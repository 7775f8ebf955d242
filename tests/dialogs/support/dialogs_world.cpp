#include "dialogs/support/dialogs_world.h"

#include <gtest/gtest.h>

#include "audio/sound_effects.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "effects/effects_shared.h"
#include "flow/environment.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "scene/game_font.h"
#include "scene/game_object.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "support/test_env.h"
#include "ui/button_resources.h"

namespace dialogstest {
namespace {

// The texts the dialogs show, as the demo's string table gives them.
constexpr const char* kStrings = R"(<?xml version="1.0" encoding="Windows-1252"?>
<Strings>
  <Options Value="Options"><Line Value="Options"/></Options>
  <ResumeGame Value="Resume"><Line Value="Resume"/></ResumeGame>
  <Help Value="Help"><Line Value="Help"/></Help>
  <MainMenu Value="Main menu"><Line Value="Main menu"/></MainMenu>
  <Continue Value="Continue"><Line Value="Continue"/></Continue>
  <Yes Value="Yes"><Line Value="Yes"/></Yes>
  <No Value="No"><Line Value="No"/></No>
  <OK Value="OK"><Line Value="OK"/></OK>
  <Start Value="Start"><Line Value="Start"/></Start>
  <Back Value="Back"><Line Value="Back"/></Back>
  <SFXVolume Value="Sound effects"><Line Value="Sound effects"/></SFXVolume>
  <MusicVolume Value="Music"><Line Value="Music"/></MusicVolume>
  <Brightness Value="Brightness"><Line Value="Brightness"/></Brightness>
  <FullScreenMode Value="Full screen"><Line Value="Full screen"/></FullScreenMode>
  <ShowTips Value="Show tips"><Line Value="Show tips"/></ShowTips>
  <RandomClickPenalty Value="Careless clicking! Two minutes added to your time."><Line Value="Careless clicking!"/><Line Value="Two minutes added to your time."/></RandomClickPenalty>
  <InventoryTutorial Value="Found tools fly to the strip on the right. Click one to pick it up, then click where you want to use it."><Line Value="Found tools fly to the strip on the"/><Line Value="right. Click one to pick it up, then"/><Line Value="click where you want to use it."/></InventoryTutorial>
  <ConfirmSkip Value="Skip this puzzle? Twenty minutes will be added to your case time."><Line Value="Skip this puzzle?"/><Line Value="Twenty minutes will be added"/><Line Value="to your case time."/></ConfirmSkip>
  <NoMoreMatches Value="No more matches - shuffling!"><Line Value="No more matches - shuffling!"/></NoMoreMatches>
  <NotAMatch Value="No, that is not a match."><Line Value="No, that is not a match."/></NotAMatch>
  <SlidePuzzleIntro Value="A sliding-block lockbox. Slide the blocks until the brass block can leave by the slot on the right."><Line Value="A sliding-block lockbox. Slide the"/><Line Value="blocks until the brass block can"/><Line Value="leave by the slot on the right."/></SlidePuzzleIntro>
</Strings>
)";

std::vector<uint8_t> ShortWave() {
  const uint32_t samples = 64, data = samples * 2;
  std::vector<uint8_t> w;
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i)));
  };
  auto u16 = [&](uint16_t v) {
    w.push_back(uint8_t(v));
    w.push_back(uint8_t(v >> 8));
  };
  w.insert(w.end(), {'R', 'I', 'F', 'F'});
  u32(36 + data);
  w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  u32(16), u16(1), u16(1), u32(22050), u32(44100), u16(2), u16(16);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  u32(data);
  for (uint32_t i = 0; i < samples; ++i) u16(uint16_t(i * 300));
  return w;
}

// Every picture under folder (recursively), as members under prefix.
void AddPictures(const std::string& folder, const std::string& prefix, std::vector<pak::MemberSource>& out) {
  for (const std::string& name : os::ListDirectory(folder, os::ListKind::Directories))
    AddPictures(os::JoinPath(folder, name), prefix + name + "\\", out);
  for (const std::string& name : os::ListDirectory(folder))
    if (name.rfind("Cursor", 0) != 0)
      out.push_back(fonttest::FileMember(prefix + name, os::JoinPath(folder, name)));
}

std::string g_root;
bool g_haveArt = false;

}  // namespace

bool UseDialogArchives() {
  if (g_root.empty()) {
    std::vector<pak::MemberSource> database{fonttest::Member("Localization\\US.xml", kStrings)};
    std::vector<pak::MemberSource> textures;
    if (!fonttest::AddBakedFonts(database, textures)) return false;
    const std::string stage = testenv::BuildDir() + "/stage/Textures";
    AddPictures(stage + "/GUI", "GUI\\", textures);
    const std::string background = stage + "/Main/Background.png";
    if (os::FileExists(background)) textures.push_back(fonttest::FileMember(kSceneBackground, background));
    g_haveArt = os::FileExists(stage + "/GUI/ScaledFrame/DialogBorder.png") &&
                os::FileExists(stage + "/GUI/DialogBackground/Sky.png") && os::FileExists(background);
    std::vector<pak::MemberSource> sounds;
    for (const char* name : {"Click.wav", "Rollover.wav", "HintReady.wav"})
      sounds.push_back({std::string("Sounds\\") + name, ShortWave()});
    const std::string dir = testenv::MakeTempDir("dialogs");
    for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures},
                                 std::pair{"Sounds.pak", &sounds}}) {
      std::vector<uint8_t> bytes;
      if (!pak::BuildArchive(*members, 17, bytes)) return false;
      if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
    }
    g_root = dir;
  }
  ResetPaksForTest();
  os::SetDataRoot(g_root);
  return true;
}

bool HaveDialogArt() {
  return g_haveArt;
}

void World::Open(gfx::Device* device, int clientW, int clientH) {
  testenv::UsePrivateUserFolders();
  os::SetHost(os::CreateHeadlessHost(clientW, clientH));
  ResetInput();
  SetDevice(device);
  SetClientSize(clientW, clientH);
  SetCurrentEnvironment(nullptr);
  CSprite::RestoreStaticDeviceObjects(device);
  ASSERT_EQ(snd::CreateNullDevice(&sound), snd::S_OK);
  ASSERT_EQ(InitSoundWithDevice(sound), 1);
  SetEffectsVolume(1.0f);
  LoadStringTable("Localization\\US.xml");
  ASSERT_EQ(RestoreButtonResources(device), 0);
  SetDialogHost(&host);
  time_ = 0;
  UpdateAllObjects(0, 0);
}

void World::Close() {
  DestroyAllObjects();
  SetDialogHost(nullptr);
  InvalidateButtonResources();
  CSprite::InvalidateStaticDeviceObjects();
  effects::ResetEffectsSharedObjects();
  DestroyAllTextures();
  DestroyAllFonts();
  FreeStringTable();
  ShutdownSound();
  if (sound) sound->Release();
  sound = nullptr;
  ResetPlayerModuleForTests();
  SetDevice(nullptr);
  ResetInput();
  ResetPaksForTest();
}

CEnvironment* World::MakeScene() {
  return new CEnvironment(kSceneBackground);
}

void World::Frame(float t, int x, int y, bool leftDown) {
  os::host().InjectPointer(x, y);
  os::host().InjectButton(false, leftDown);
  PollInput();
  FindHoveredObject();
  UpdateAllObjects(t, t - time_);
  time_ = t;
}

}  // namespace dialogstest
