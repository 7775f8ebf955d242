// A GL device on SDL's offscreen driver, set up the way the shell sets it up, for render tests of
// scene objects (text, the cursor). Header-only so other test folders can use it too.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "data/texture_cache.h"
#include "platform/gfx/device.h"
#include "platform/os/host.h"
#include "scene/game_object.h"
#include "scene/sprite.h"
#include "support/test_env.h"

namespace scenegl {

class SdlWindow : public os::Window {
 public:
  explicit SdlWindow(SDL_Window* w) : w_(w) {}
  ~SdlWindow() override { SDL_DestroyWindow(w_); }
  void SetTitle(const std::string&) override {}
  os::Rect OuterRect() const override { return {}; }
  void SetOuterRect(const os::Rect&) override {}
  void ClientSize(int& w, int& h) const override { SDL_GetWindowSize(w_, &w, &h); }
  void SetClientSize(int w, int h) override { SDL_SetWindowSize(w_, w, h); }
  void DrawableSize(int& w, int& h) const override { SDL_GL_GetDrawableSize(w_, &w, &h); }
  void SetFullscreen(bool) override {}
  bool IsFullscreen() const override { return false; }
  void SetBackBufferSize(int, int) override {}
  void ShowSystemCursor(bool) override {}
  void* NativeHandle() const override { return w_; }

 private:
  SDL_Window* w_;
};

class Scene {
 public:
  ~Scene() { Close(); }

  // False (the test should skip) when no OpenGL 3.3 core context can be made.
  bool Open(int width, int height) {
    if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
      setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_Window* w =
        SDL_CreateWindow("scene test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!w) return false;
    window_ = std::make_unique<SdlWindow>(w);
    if (gfx::Failed(gfx::CreateGLDevice(*window_, width, height, true, &dev)) || !dev) {
      window_.reset();
      return false;
    }
    // The fixed states the shell sets on every restore.
    dev->SetRenderState(gfx::RS_ALPHAREF, 8);
    dev->SetRenderState(gfx::RS_ALPHAFUNC, gfx::CMP_GREATEREQUAL);
    dev->SetTextureStageState(0, gfx::TSS_COLOROP, gfx::TOP_MODULATE);
    dev->SetTextureStageState(0, gfx::TSS_ALPHAOP, gfx::TOP_MODULATE);
    dev->SetTextureStageState(0, gfx::TSS_MINFILTER, gfx::TEXF_LINEAR);
    dev->SetTextureStageState(0, gfx::TSS_MAGFILTER, gfx::TEXF_LINEAR);
    dev->SetTextureStageState(0, gfx::TSS_MIPFILTER, gfx::TEXF_LINEAR);
    dev->SetRenderState(gfx::RS_AMBIENT, 0xFFFFFFFF);
    SetDevice(dev);
    SetClientSize(width, height);
    CSprite::RestoreStaticDeviceObjects(dev);
    RestoreAllTextures(dev);
    RestoreAllObjects(dev);
    return true;
  }

  // Everything the test created is destroyed first, so no device resource outlives the device.
  void Close() {
    if (!dev) return;
    DestroyAllObjects();
    DestroyAllTextures();
    CSprite::InvalidateStaticDeviceObjects();
    EXPECT_EQ(dev->LiveResourceCount(), 0) << "device resources leaked";
    SetDevice(nullptr);
    dev->Release();
    dev = nullptr;
    window_.reset();
  }

  // Draws every object in depth order over the clear colour, plus extra drawing, and reads it back.
  template <class Extra>
  gfx::Image Frame(uint32_t clearArgb, const std::string& captureName, Extra extra) {
    gfx::Image img;
    EXPECT_EQ(dev->BeginScene(), gfx::S_OK);
    dev->Clear(gfx::Device::CLEAR_TARGET | gfx::Device::CLEAR_ZBUFFER, clearArgb, 1.0f, 0);
    RenderAllObjects(dev);
    extra(dev);
    EXPECT_EQ(dev->EndScene(), gfx::S_OK);
    EXPECT_TRUE(dev->ReadBackBuffer(img));
    if (!captureName.empty()) {
      EXPECT_TRUE(gfx::SavePng(testenv::CapturePath(captureName), img));
    }
    return img;
  }
  gfx::Image Frame(uint32_t clearArgb, const std::string& captureName) {
    return Frame(clearArgb, captureName, [](gfx::Device*) {});
  }

  gfx::Device* dev = nullptr;

 private:
  std::unique_ptr<SdlWindow> window_;
};

inline uint32_t At(const gfx::Image& img, int x, int y) {
  return img.pixels[size_t(y) * size_t(img.width) + size_t(x)];
}

// Pixels in the box [l, r) x [t, b) whose colour differs from bg by more than tolerance on a channel.
inline int CountInk(const gfx::Image& img, int l, int t, int r, int b, uint32_t bg, int tolerance = 24) {
  int n = 0;
  for (int y = std::max(t, 0); y < std::min(b, img.height); ++y) {
    for (int x = std::max(l, 0); x < std::min(r, img.width); ++x) {
      uint32_t p = At(img, x, y);
      for (int s = 0; s <= 16; s += 8) {
        if (std::abs(int((p >> s) & 0xFF) - int((bg >> s) & 0xFF)) > tolerance) {
          ++n;
          break;
        }
      }
    }
  }
  return n;
}

}  // namespace scenegl
