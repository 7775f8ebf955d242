// Frame cost of sprites: update and draw of 10,000 sprites on the recording null device (CPU only),
// and the frame time of 500 textured sprites drawn by the GL backend (llvmpipe in headless runs).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shared_device_objects.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "scene/camera.h"
#include "scene/sprite.h"
#include "scene/sprite_animator.h"

namespace {

constexpr int kW = 1024, kH = 768;

// A Textures.pak with one 64 x 64 picture, in a folder of its own.
void UsePictureArchive() {
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 2, tga[12] = 64, tga[14] = 64, tga[16] = 32, tga[17] = 0x28;
  for (int i = 0; i < 64 * 64; ++i)
    tga.insert(tga.end(), {uint8_t(i), uint8_t(i >> 6), 200, uint8_t(128 + i % 128)});
  std::vector<uint8_t> archive;
  pak::BuildArchive({{"Bench\\Picture.tga", tga}}, 1, archive);
  const std::string dir = (std::filesystem::temp_directory_path() / "vardell-bench-sprites").string();
  os::MakeDirectories(dir);
  os::WriteFileAtomic(os::JoinPath(dir, "Textures.pak"), archive.data(), archive.size());
  ResetPaksForTest();
  os::SetDataRoot(dir);
}

// groups x perGroup sprites: each group a parent that moves every frame (so every child's
// rectangle is recomputed), one child in ten throbbing through an animator.
std::vector<CSprite*> BuildScene(int groups, int perGroup) {
  std::vector<CSprite*> parents;
  for (int g = 0; g < groups; ++g) {
    const float x = float(g % 10) * 100, y = float(g / 10 % 8) * 90;
    auto* parent = new CSprite(ScreenRect(x, y, x + 90, y + 80), float(g), "Bench\\Picture.tga", nullptr);
    for (int i = 1; i < perGroup; ++i) {
      const float cx = x + float(i % 9) * 10, cy = y + float(i / 9 % 8) * 10;
      auto* s = new CSprite(ScreenRect(cx, cy, cx + 12, cy + 12, 0.1f * float(i)), float(g) + 0.5f,
                            "Bench\\Picture.tga", parent);
      if (i % 10 == 0) new CSpriteAnimator(s, kAnimThrob, 1.5f, 0);
    }
    parents.push_back(parent);
  }
  return parents;
}

void MoveParents(std::vector<CSprite*>& parents, float t) {
  for (size_t i = 0; i < parents.size(); ++i)
    parents[i]->SetOffset(parents[i]->GetOffsetX(), 0.01f * std::sin(t + float(i)));
}

void BM_Sprites10000_UpdateRender_Null(benchmark::State& state) {
  UsePictureArchive();
  gfx::Device* dev = nullptr;
  gfx::CreateNullDevice(kW, kH, &dev);
  gfx::NullDevice::From(dev)->SetRecording(false);
  SetClientSize(kW, kH);
  SetDevice(dev);
  RestoreSharedDeviceObjects(dev);
  CreateSceneCamera();
  auto parents = BuildScene(100, 100);
  float t = 0;
  for (auto _ : state) {
    t += 1.0f / 60;
    MoveParents(parents, t);
    UpdateAllObjects(t, 1.0f / 60);
    RenderAllObjects(dev);
  }
  state.counters["sprites"] = double(CSprite::LiveCount());
  state.counters["draws/frame"] =
      double(gfx::NullDevice::From(dev)->DrawCount()) / double(std::max<int64_t>(1, state.iterations()));
  DestroyAllObjects();
  DestroyAllTextures();
  InvalidateSharedDeviceObjects();
  SetDevice(nullptr);
  dev->Release();
}

void BM_Sprites500_Frame_GL(benchmark::State& state) {
  if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  UsePictureArchive();
  os::SetHost(os::CreateSdlHost());
  os::WindowParams params;
  params.outer = {0, 0, kW, kH};
  params.hidden = true;
  os::Window* window = os::host().CreateWindow(params);
  gfx::Device* dev = nullptr;
  if (!window || gfx::Failed(gfx::CreateGLDevice(*window, kW, kH, true, &dev)) || !dev) {
    state.SkipWithError("no OpenGL 3.3 context");
    return;
  }
  SetClientSize(kW, kH);
  SetDevice(dev);
  dev->SetTextureStageState(0, gfx::TSS_ALPHAOP, gfx::TOP_MODULATE);
  dev->SetTextureStageState(0, gfx::TSS_ALPHAARG1, gfx::TA_TEXTURE);
  dev->SetTextureStageState(0, gfx::TSS_ALPHAARG2, gfx::TA_DIFFUSE);
  dev->SetTextureStageState(0, gfx::TSS_MINFILTER, gfx::TEXF_LINEAR);
  dev->SetTextureStageState(0, gfx::TSS_MAGFILTER, gfx::TEXF_LINEAR);
  dev->SetTextureStageState(0, gfx::TSS_MIPFILTER, gfx::TEXF_LINEAR);
  RestoreSharedDeviceObjects(dev);
  CreateSceneCamera();
  auto parents = BuildScene(10, 50);
  float t = 0;
  for (auto _ : state) {
    t += 1.0f / 60;
    MoveParents(parents, t);
    UpdateAllObjects(t, 1.0f / 60);
    dev->BeginScene();
    dev->Clear(gfx::Device::CLEAR_TARGET | gfx::Device::CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    RenderAllObjects(dev);
    dev->EndScene();
    dev->Present();
  }
  state.counters["sprites"] = double(CSprite::LiveCount());
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  DestroyAllObjects();
  DestroyAllTextures();
  InvalidateSharedDeviceObjects();
  SetDevice(nullptr);
  dev->Release();
  os::host().DestroyWindow();
}

}  // namespace

BENCHMARK(BM_Sprites10000_UpdateRender_Null)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sprites500_Frame_GL)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
