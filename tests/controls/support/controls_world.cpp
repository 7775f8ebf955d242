#include "controls/support/controls_world.h"

#include <gtest/gtest.h>

#include "audio/sound_effects.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "scene/game_font.h"
#include "scene/game_object.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "support/test_env.h"
#include "ui/button_resources.h"

namespace controlstest {
namespace {

constexpr const char* kStrings = R"(<?xml version="1.0" encoding="Windows-1252"?>
<Strings>
  <Play Value="Play"><Line Value="Play"/></Play>
  <Options Value="Options"><Line Value="Options"/></Options>
  <TipOne Value="Back to the yard"><Line Value="Back to the yard"/></TipOne>
  <TipTwo Value="Sound effects and music volume">
    <Line Value="Sound effects and"/>
    <Line Value="music volume"/>
  </TipTwo>
  <NoValue><Line Value="a line without a value"/></NoValue>
  <ShowTips Value="Show tips"><Line Value="Show tips"/></ShowTips>
  <Digit Value="7"><Line Value="7"/></Digit>
  <Snap Value="Snap"><Line Value="Snap"/></Snap>
  <Fullscreen Value="Full screen"><Line Value="Full screen"/></Fullscreen>
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

std::string g_root;
bool g_haveArt = false;

}  // namespace

bool UseControlArchives() {
  if (g_root.empty()) {
    std::vector<pak::MemberSource> database{fonttest::Member("Localization\\US.xml", kStrings)};
    std::vector<pak::MemberSource> textures;
    if (!fonttest::AddBakedFonts(database, textures)) return false;
    const std::string gui = testenv::BuildDir() + "/stage/Textures/GUI";
    int pictures = 0;
    for (const std::string& name : os::ListDirectory(gui)) {
      if (name.rfind("Cursor", 0) == 0) continue;
      textures.push_back(fonttest::FileMember("GUI\\" + name, os::JoinPath(gui, name)));
      ++pictures;
    }
    g_haveArt = pictures >= 19;
    std::vector<pak::MemberSource> sounds;
    for (const char* name : {"Click.wav", "Rollover.wav", "HintReady.wav", "Footsteps.wav"})
      sounds.push_back({std::string("Sounds\\") + name, ShortWave()});
    const std::string dir = testenv::MakeTempDir("controls");
    for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures},
                                 std::pair{"Sounds.pak", &sounds}}) {
      std::vector<uint8_t> bytes;
      if (!pak::BuildArchive(*members, 99, bytes)) return false;
      if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
    }
    g_root = dir;
  }
  ResetPaksForTest();
  os::SetDataRoot(g_root);
  return true;
}

bool HaveBuiltArt() {
  return g_haveArt;
}

void World::Open(gfx::Device* device, int clientW, int clientH) {
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
  time_ = 0;
  UpdateAllObjects(0, 0);
}

void World::Close() {
  DestroyAllObjects();
  InvalidateButtonResources();
  CSprite::InvalidateStaticDeviceObjects();
  DestroyAllTextures();
  DestroyAllFonts();
  FreeStringTable();
  ShutdownSound();
  if (sound) sound->Release();
  sound = nullptr;
  SetDevice(nullptr);
  ResetInput();
  ResetPaksForTest();
}

void World::Frame(float t, int x, int y, bool leftDown) {
  os::host().InjectPointer(x, y);
  os::host().InjectButton(false, leftDown);
  PollInput();
  FindHoveredObject();
  UpdateAllObjects(t, t - time_);
  time_ = t;
}

int World::Plays(const char* soundName) const {
  CSoundEffect* effect = GetSoundEffect(soundName);
  if (!effect || !effect->SoundBuffer()) return 0;
  const int id = sound->BufferId(effect->SoundBuffer());
  int n = 0;
  for (const snd::CallRecord& c : sound->Calls())
    if (c.buffer == id && c.method == "Play") ++n;
  return n;
}

}  // namespace controlstest
