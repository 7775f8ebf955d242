// One frame of the object tree: UpdateAllObjects and RenderAllObjects over 10,000 objects drawn on
// the null device (recording off), reported per object.
#include <benchmark/benchmark.h>

#include "platform/gfx/null_device.h"
#include "scene/game_object.h"

namespace {

class BenchObject : public CGameObject {
 public:
  void Update() override { angle_ += GetElapsed(); }
  void Render(gfx::Device* device) override {
    device->SetMaterial(GetMaterial());
    device->SetTransform(gfx::TS_WORLD, WorldTransform());
  }

 private:
  float angle_ = 0;
};

void BM_UpdateAndRender(benchmark::State& state) {
  const int count = int(state.range(0));
  gfx::Device* device = nullptr;
  gfx::CreateNullDevice(1024, 768, &device);
  gfx::NullDevice::From(device)->SetRecording(false);
  DestroyAllObjects();
  for (int i = 0; i < count; ++i) {
    auto* o = new BenchObject();
    o->SetDepth(float(i % 100));  // many equal depths, as scenes have
  }
  float time = 0;
  for (auto _ : state) {
    time += 0.016f;
    UpdateAllObjects(time, 0.016f);
    RenderAllObjects(device);
  }
  // Seconds of CPU per object and frame (printed with an SI prefix, "n" = nanoseconds).
  state.counters["per_object"] = benchmark::Counter(
      double(state.iterations()) * count, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  DestroyAllObjects();
  device->Release();
}

void BM_FindHovered(benchmark::State& state) {
  DestroyAllObjects();
  for (int i = 0; i < 10000; ++i) (new BenchObject())->SetDepth(float(i));
  for (auto _ : state) benchmark::DoNotOptimize(FindHoveredObject());
  DestroyAllObjects();
}

}  // namespace

BENCHMARK(BM_UpdateAndRender)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindHovered)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
