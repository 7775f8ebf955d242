// CPU cost of the draw paths: the sprite draw (world transform, material, texture, a fan of the
// shared quad) and a point-sprite list rewritten every frame, on the GL device and on the null
// device. Run headless with SDL_VIDEODRIVER=offscreen; GL figures include llvmpipe's rasterising
// of small quads, so they are an upper bound for a real GPU.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/matrix_math.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"

namespace {

using namespace gfx;

struct Scene {
  VertexBuffer* quad = nullptr;
  VertexBuffer* points = nullptr;
  Texture* texture = nullptr;
};

Scene MakeScene(Device* dev) {
  Scene s;
  VertexPosUv q[4] = {{1, -1, 0, 1, 0}, {1, 1, 0, 1, 1}, {-1, 1, 0, 0, 1}, {-1, -1, 0, 0, 0}};
  dev->CreateVertexBuffer(sizeof q, FVF_POS_UV, &s.quad);
  void* p = nullptr;
  s.quad->Lock(0, 0, &p);
  std::memcpy(p, q, sizeof q);
  s.quad->Unlock();
  dev->CreateVertexBuffer(30 * sizeof(VertexRhwPsizeColor), FVF_RHW_PSIZE_COLOR, &s.points);
  Image img{64, 64, std::vector<uint32_t>(64 * 64, 0x80FFFFFFu)};
  dev->CreateTexture(img, 1, &s.texture);
  dev->SetTransform(TS_PROJECTION, MatrixOrthoOffCenterLH(0, 1024, 768, 0, 0, 1));
  dev->SetRenderState(RS_AMBIENT, 0xFFFFFFFFu);
  dev->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
  return s;
}

void FreeScene(Device* dev, Scene& s) {
  dev->SetTexture(0, nullptr);
  dev->SetStreamSource(0, nullptr, 0);
  s.quad->Release();
  s.points->Release();
  s.texture->Release();
}

// One sprite as the game draws it: 16 x 16 pixels somewhere on screen.
void DrawSprite(Device* dev, const Scene& s, int i) {
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetRenderState(RS_ALPHATESTENABLE, 1);
  dev->SetRenderState(RS_ZENABLE, 0);
  dev->SetTextureStageState(0, TSS_ADDRESSU, TADDRESS_CLAMP);
  Matrix world = MatrixScaling(8, 8, 1) * MatrixTranslation(float(16 + (i * 37) % 992), float(16 + (i * 53) % 736), 0.5f);
  dev->SetTransform(TS_WORLD, world);
  dev->SetVertexShader(FVF_POS_UV);
  dev->SetStreamSource(0, s.quad, 20);
  Material m;
  m.emissive = {1, float(i % 7) / 7.0f, 1, 1};
  m.diffuse.a = 0.9f;
  dev->SetMaterial(m);
  dev->SetTexture(0, s.texture);
  dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 2);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 0);
  dev->SetRenderState(RS_ALPHATESTENABLE, 0);
  dev->SetTextureStageState(0, TSS_ADDRESSU, TADDRESS_WRAP);
}

void DrawParticles(Device* dev, const Scene& s, int frame) {
  void* p = nullptr;
  s.points->Lock(0, 0, &p);
  auto* v = static_cast<VertexRhwPsizeColor*>(p);
  for (int i = 0; i < 30; ++i) v[i] = {float(100 + i * 20), float(300 + (frame + i) % 50), 1, 1, 12, 0xFFFF8000u};
  s.points->Unlock();
  dev->SetRenderState(RS_POINTSPRITEENABLE, 1);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetRenderState(RS_SRCBLEND, BLEND_ONE);
  dev->SetRenderState(RS_DESTBLEND, BLEND_ONE);
  dev->SetVertexShader(FVF_RHW_PSIZE_COLOR);
  dev->SetStreamSource(0, s.points, 24);
  dev->DrawPrimitive(PT_POINTLIST, 0, 30);
  dev->SetRenderState(RS_POINTSPRITEENABLE, 0);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 0);
}

void RunFrames(benchmark::State& state, Device* dev) {
  Scene s = MakeScene(dev);
  const int sprites = int(state.range(0));
  int frame = 0;
  for (auto _ : state) {
    dev->BeginScene();
    dev->Clear(Device::CLEAR_ZBUFFER, 0, 1.0f, 0);
    for (int i = 0; i < sprites; ++i) DrawSprite(dev, s, i);
    DrawParticles(dev, s, frame++);
    dev->EndScene();
    dev->Present();
  }
  state.counters["per_sprite"] = benchmark::Counter(double(state.iterations()) * sprites,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  FreeScene(dev, s);
}

void BM_NullDeviceFrame(benchmark::State& state) {
  Device* dev = nullptr;
  CreateNullDevice(1024, 768, &dev);
  NullDevice::From(dev)->SetRecording(false);
  RunFrames(state, dev);
  dev->Release();
}

void BM_GLDeviceFrame(benchmark::State& state) {
  static std::unique_ptr<os::Host> host = os::CreateSdlHost();
  os::Window* window = nullptr;
  if (host) {
    os::WindowParams params;
    params.outer = {0, 0, 1024, 768};
    window = host->GetWindow() ? host->GetWindow() : host->CreateWindow(params);
  }
  Device* dev = nullptr;
  if (!window || Failed(CreateGLDevice(*window, 1024, 768, true, &dev))) {
    state.SkipWithError("no OpenGL 3.3 context");
    return;
  }
  RunFrames(state, dev);
  dev->Release();
}

}  // namespace

BENCHMARK(BM_NullDeviceFrame)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GLDeviceFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
