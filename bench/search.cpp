// The demo's venues built from the built archives (file, textures, objects, board, effects) on the
// null device (recording off), and one frame of each once it stands: update plus draw submission on
// the null device, and update, drawing and presenting on the GL device at 1024 x 768 (run with
// SDL_VIDEODRIVER=offscreen; llvmpipe rasterises on the CPU, so GL figures are an upper bound).
#include <benchmark/benchmark.h>

#include <iterator>
#include <memory>

#include "core/random.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "platform/gfx/device.h"
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

const char* const kVenues[] = {"Headquarters_Office.xml",
                               "Headquarters_FilingCabinet.xml",
                               "Warehouse_Yard.xml",
                               "Warehouse_Office.xml",
                               "Warehouse_Safe.xml",
                               "Warehouse_Photo.xml",
                               "Warehouse_Differences.xml",
                               "Shops_Street.xml",
                               "Shops_CuriosityShop.xml",
                               "Shops_PizzaParty.xml",
                               "Hotel_Lobby.xml",
                               "Hotel_PlayerPianoSearch.xml",
                               "Hotel_SecurityRoom.xml",
                               "TrolleyBarn_Yard.xml",
                               "TrolleyBarn_Office.xml",
                               "TrolleyBarn_ShopFloor.xml",
                               "House_Photo.xml"};
constexpr int kVenueCount = int(std::size(kVenues));

struct World {
  gfx::Device* device = nullptr;
  explicit World(bool gl = false) {
    os::SetMessageBoxHook(
        [](const std::string&, const std::string&, os::MsgIcon) { return int(os::kMsgOk); });
    os::SetDataRoot(VARDELL_BUILD_DIR);
    if (gl) {
      // One window for the process: the GL runs come last, so no headless host replaces it.
      static bool sdl = false;
      if (!sdl) {
        auto h = os::CreateSdlHost();
        if (!h) return;
        os::SetHost(std::move(h));
        sdl = true;
      }
      os::WindowParams params;
      params.outer = {0, 0, kW, kH};
      os::Window* window = os::host().GetWindow() ? os::host().GetWindow() : os::host().CreateWindow(params);
      if (!window || gfx::Failed(gfx::CreateGLDevice(*window, kW, kH, true, &device))) device = nullptr;
    } else {
      os::SetHost(os::CreateHeadlessHost(kW, kH));
      gfx::CreateNullDevice(kW, kH, &device);
      gfx::NullDevice::From(device)->SetRecording(false);
    }
    if (!device) return;
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
    if (!device) return;
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

void BM_BuildVenue(benchmark::State& state) {
  World world;
  const char* name = kVenues[state.range(0)];
  state.SetLabel(name);
  for (auto _ : state) {
    auto* venue = new CSearchEnvironment(name);
    benchmark::DoNotOptimize(venue);
    state.PauseTiming();
    delete venue;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildVenue)->DenseRange(0, kVenueCount - 1)->Unit(benchmark::kMicrosecond);

void RunVenueFrames(benchmark::State& state, bool gl) {
  World world(gl);
  if (!world.device) {
    state.SkipWithError("no OpenGL 3.3 context");
    return;
  }
  const char* name = kVenues[state.range(0)];
  state.SetLabel(name);
  auto* venue = new CSearchEnvironment(name);
  float now = 0;
  for (int i = 0; i < 100; ++i) UpdateAllObjects(now += 0.016f, 0.016f);  // effects at their steady state
  for (auto _ : state) {
    UpdateAllObjects(now += 0.016f, 0.016f);
    world.device->BeginScene();
    world.device->Clear(gfx::Device::CLEAR_ZBUFFER, 0, 1.0f, 0);
    RenderAllObjects(world.device);
    world.device->EndScene();
    world.device->Present();
  }
  state.counters["objects"] = CountObjects();
  delete venue;
}
void BM_VenueFrame(benchmark::State& state) {
  RunVenueFrames(state, false);
}
BENCHMARK(BM_VenueFrame)->DenseRange(0, kVenueCount - 1)->Unit(benchmark::kMicrosecond);
void BM_VenueFrameGL(benchmark::State& state) {
  RunVenueFrames(state, true);
}
BENCHMARK(BM_VenueFrameGL)->DenseRange(0, kVenueCount - 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
