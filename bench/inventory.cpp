// Frame cost of a venue's doors, strip and hint: update and draw submission of 6 portals of 100
// particles, a strip of 6 items and a running hint halo on the recording null device with
// recording off.
#include <benchmark/benchmark.h>

#include <string>

#include "core/random.h"
#include "effects/effects_shared.h"
#include "platform/gfx/null_device.h"
#include "scene/sprite.h"
#include "search/hint_halo.h"
#include "search/inventory_board.h"
#include "search/portal.h"

namespace {

constexpr int kW = 1024, kH = 768;

CSprite* BuildVenue() {
  auto* venue = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  for (int i = 0; i < 6; ++i) {
    portal::Spec spec;
    spec.portalId = 0;
    spec.levelName = "Warehouse_Office.xml";
    spec.displayName = "Foreman's office";
    spec.rect = {40 + 150 * i, 250, 170 + 150 * i, 600};
    new CPortal(venue, spec);
  }
  auto* strip = new CInventoryBoard(venue);
  for (int k = 0; k < 6; ++k) {
    const std::string name = "Item " + std::to_string(k);
    new CInventoryItem(strip, k, InventoryFind{k + 1, name, name, "None.tga", 1.3f}, k % 2 ? 3 : 1);
  }
  return venue;
}

void BM_PortalsStripAndHalo(benchmark::State& state) {
  gfx::Device* device = nullptr;
  gfx::CreateNullDevice(kW, kH, &device);
  gfx::NullDevice::From(device)->SetRecording(false);
  SetClientSize(kW, kH);
  SetDevice(device);
  CSprite::RestoreStaticDeviceObjects(device);
  GameRandom().Seed(1);
  float now = 0;
  UpdateAllObjects(now, 0);
  CSprite* venue = BuildVenue();
  auto* target = new CSprite(ScreenRect(400, 300, 480, 360), 1, nullptr, venue);
  int frame = 0;
  for (auto _ : state) {
    now += 1.0f / 60.0f;
    // A new halo as the last one finishes, so one is always spiralling.
    if (frame % 150 == 0) new CHintHalo(target, 2.0f);
    UpdateAllObjects(now, 1.0f / 60.0f);
    RenderAllObjects(device);
    ++frame;
  }
  DestroyAllObjects();
  CSprite::InvalidateStaticDeviceObjects();
  effects::ResetEffectsSharedObjects();
  SetDevice(nullptr);
  device->Release();
}
BENCHMARK(BM_PortalsStripAndHalo)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
