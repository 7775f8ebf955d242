// The office venue of the demo on the recording null device (recording off): building it from
// the built archives (file, textures, objects, board, effects), and one frame of update plus draw
// submission once it stands.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "player/game_map.h"
#include "scene/game_font.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "search/search_environment.h"
#include "ui/button_resources.h"

namespace {

constexpr int kW = 1024, kH = 768;

struct World {
  gfx::Device* device = nullptr;
  World() {
    os::SetHost(os::CreateHeadlessHost(kW, kH));
    os::SetMessageBoxHook(
        [](const std::string&, const std::string&, os::MsgIcon) { return int(os::kMsgOk); });
    os::SetDataRoot(VARDELL_BUILD_DIR);
    gfx::CreateNullDevice(kW, kH, &device);
    gfx::NullDevice::From(device)->SetRecording(false);
    SetDevice(device);
    SetClientSize(kW, kH);
    CSprite::RestoreStaticDeviceObjects(device);
    RestoreButtonResources(device);
    LoadStringTable("Localization\\US.xml");
    OpenGameMap();
    GameRandom().Seed(1);
    UpdateAllObjects(0, 0);
  }
  ~World() {
    DestroyAllObjects();
    InvalidateButtonResources();
    CSprite::InvalidateStaticDeviceObjects();
    DestroyAllTextures();
    DestroyAllFonts();
    FreeStringTable();
    CloseGameMap();
    SetDevice(nullptr);
    device->Release();
  }
};

void BM_BuildOfficeVenue(benchmark::State& state) {
  World world;
  for (auto _ : state) {
    auto* venue = new CSearchEnvironment("Headquarters_Office.xml");
    benchmark::DoNotOptimize(venue);
    state.PauseTiming();
    delete venue;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildOfficeVenue)->Unit(benchmark::kMicrosecond);

void BM_OfficeFrame(benchmark::State& state) {
  World world;
  auto* venue = new CSearchEnvironment("Headquarters_Office.xml");
  float now = 0;
  for (int i = 0; i < 100; ++i) UpdateAllObjects(now += 0.016f, 0.016f);  // effects at their steady state
  for (auto _ : state) {
    UpdateAllObjects(now += 0.016f, 0.016f);
    RenderAllObjects(world.device);
  }
  state.counters["objects"] = CountObjects();
  delete venue;
}
BENCHMARK(BM_OfficeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
