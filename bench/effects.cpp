// Frame cost of the particle effects: update and draw submission of 50 mixed emitters (fire,
// smoke, halo, trail, starburst) on the recording null device with recording off, so only the
// effects' own work and the device's state bookkeeping are measured.
#include <benchmark/benchmark.h>

#include "core/random.h"
#include "effects/effects_shared.h"
#include "effects/fire_effect.h"
#include "effects/fire_halo.h"
#include "effects/particle_trail.h"
#include "effects/smoke_effect.h"
#include "effects/starburst.h"
#include "platform/gfx/null_device.h"
#include "scene/sprite.h"

namespace {

constexpr int kW = 1024, kH = 768;

// Live particles across the tree (the per-particle figure divides by this).
int CountParticles() {
  int n = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) {
    switch (o->GetTypeId()) {
      case TypeId::kFireEffect:
        n += static_cast<CFireEffect*>(o)->LiveParticles();
        break;
      case TypeId::kSmokeEffect:
        n += static_cast<CSmokeEffect*>(o)->LiveParticles();
        break;
      case TypeId::kFireHalo:
        n += static_cast<CFireHalo*>(o)->LiveParticles();
        break;
      case TypeId::kParticleTrail:
        n += static_cast<CParticleTrail*>(o)->LiveParticles();
        break;
      case TypeId::kStarburst:
        n += static_cast<CStarburst*>(o)->LiveParticles();
        break;
      default:
        break;
    }
  }
  return n;
}

void BM_FiftyMixedEmitters(benchmark::State& state) {
  gfx::Device* device = nullptr;
  gfx::CreateNullDevice(kW, kH, &device);
  gfx::NullDevice::From(device)->SetRecording(false);
  SetClientSize(kW, kH);
  SetDevice(device);
  CSprite::RestoreStaticDeviceObjects(device);
  GameRandom().Seed(1);
  float now = 0;
  UpdateAllObjects(now, 0);
  auto* env = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
  std::vector<CSprite*> hosts;
  for (int i = 0; i < 50; ++i) {
    const float x = float(i % 10) * 100, y = float(i / 10) * 150;
    switch (i % 5) {
      case 0:
        new CFireEffect(env, ScreenRect(x, y, x + 60, y + 120));
        break;
      case 1: {
        SmokeParams p;
        p.originX = x + 50, p.originY = y + 140, p.width = 80, p.height = 200;
        new CSmokeEffect(env, p);
        break;
      }
      default:
        hosts.push_back(new CSprite(ScreenRect(x, y, x + 60, y + 60), 1, nullptr, env));
        break;
    }
  }
  int frame = 0;
  int particles = 0;
  for (auto _ : state) {
    now += 1.0f / 60.0f;
    // Halos, trails and bursts are re-made as they finish, so the mix stays at 50 emitters.
    if (frame % 60 == 0) {
      DestroyAllObjects();
      UpdateAllObjects(now, 0);
      env = new CSprite(ScreenRect(0, 0, kW, kH), 0, nullptr, nullptr);
      hosts.clear();
      for (int i = 0; i < 50; ++i) {
        const float x = float(i % 10) * 100, y = float(i / 10) * 150;
        CSprite* host = new CSprite(ScreenRect(x, y, x + 60, y + 60), 1, nullptr, env);
        switch (i % 5) {
          case 0:
            new CFireEffect(env, ScreenRect(x, y, x + 60, y + 120));
            break;
          case 1: {
            SmokeParams p;
            p.originX = x + 50, p.originY = y + 140, p.width = 80, p.height = 200;
            new CSmokeEffect(env, p);
            break;
          }
          case 2:
            new CFireHalo(host);
            break;
          case 3:
            new CParticleTrail(host);
            break;
          default:
            new CStarburst(host, env);
            break;
        }
      }
    }
    UpdateAllObjects(now, 1.0f / 60.0f);
    RenderAllObjects(device);
    if (frame % 60 == 30) particles = CountParticles();
    ++frame;
  }
  state.counters["particles"] = double(particles);
  state.counters["ns_per_particle"] =
      benchmark::Counter(double(particles) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  DestroyAllObjects();
  CSprite::InvalidateStaticDeviceObjects();
  effects::ResetEffectsSharedObjects();
  SetDevice(nullptr);
  device->Release();
}
BENCHMARK(BM_FiftyMixedEmitters)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
