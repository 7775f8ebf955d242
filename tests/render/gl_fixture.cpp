#include "render/gl_fixture.h"

#include <SDL.h>

#include <cstdlib>
#include <cstdio>
#include <vector>

#include "platform/os/host.h"
#include "support/test_env.h"

namespace rendertest {

// The smallest os::Window the GL backend needs: an SDL window with a GL surface.
class TestWindow : public os::Window {
 public:
  explicit TestWindow(SDL_Window* w) : w_(w) {}
  ~TestWindow() override { SDL_DestroyWindow(w_); }
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

namespace {

bool InitVideo(std::string& why) {
  static int state = 0;  // 0 untried, 1 ok, 2 failed
  static std::string error;
  if (state == 0) {
    // Without a display, use SDL's offscreen driver (as the test scripts do).
    if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
      setenv("SDL_VIDEODRIVER", "offscreen", 1);
    state = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? 1 : 2;
    if (state == 2) error = SDL_GetError();
  }
  why = error;
  return state == 1;
}

}  // namespace

testing::AssertionResult ColorNear(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) {
      char buf[96];
      std::snprintf(buf, sizeof buf, "got 0x%06X, expected 0x%06X (+-%d)", actual & 0xFFFFFF, expected & 0xFFFFFF,
                    tolerance);
      return testing::AssertionFailure() << buf;
    }
  }
  return testing::AssertionSuccess();
}

GLTest::GLTest() = default;
GLTest::~GLTest() = default;

void GLTest::SetUp() {
  if (!Open(kWidth, kHeight, kWidth, kHeight)) {
    GTEST_SKIP() << "no OpenGL 3.3 core context available";
  }
}

void GLTest::TearDown() {
  if (dev) {
    EXPECT_EQ(dev->LiveResourceCount(), 0) << "the test leaked device resources";
    dev->Release();
  }
  dev = nullptr;
  window.reset();
}

bool GLTest::Open(int windowW, int windowH, int backW, int backH) {
  if (dev) dev->Release();
  dev = nullptr;
  window.reset();
  std::string why;
  if (!InitVideo(why)) {
    std::fprintf(stderr, "render tests: no video: %s\n", why.c_str());
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* w = SDL_CreateWindow("render test", 0, 0, windowW, windowH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!w) {
    std::fprintf(stderr, "render tests: no window: %s\n", SDL_GetError());
    return false;
  }
  window = std::make_unique<TestWindow>(w);
  if (gfx::Failed(gfx::CreateGLDevice(*window, backW, backH, true, &dev)) || !dev) {
    window.reset();
    return false;
  }
  return true;
}

gfx::Image GLTest::Read(const std::string& captureName) {
  gfx::Image img;
  EXPECT_TRUE(dev->ReadBackBuffer(img));
  if (!captureName.empty()) {
    EXPECT_TRUE(gfx::SavePng(testenv::CapturePath(captureName), img));
  }
  return img;
}

void GLTest::Begin(uint32_t clearArgb) {
  ASSERT_EQ(dev->BeginScene(), gfx::S_OK);
  dev->Clear(gfx::Device::CLEAR_TARGET | gfx::Device::CLEAR_ZBUFFER, clearArgb, 1.0f, 0);
}

void GLTest::End() {
  ASSERT_EQ(dev->EndScene(), gfx::S_OK);
}

void GLTest::RhwRect(float l, float t, float r, float b, uint32_t argb, float z) {
  gfx::VertexRhwColorUv v[4] = {
      {l, t, z, 1, argb, 0, 0}, {r, t, z, 1, argb, 1, 0}, {r, b, z, 1, argb, 1, 1}, {l, b, z, 1, argb, 0, 1}};
  dev->SetVertexShader(gfx::FVF_RHW_COLOR_UV);
  ASSERT_EQ(dev->DrawPrimitiveUP(gfx::PT_TRIANGLEFAN, 2, v, sizeof v[0]), gfx::S_OK);
}

gfx::Texture* GLTest::MakeTexture(int w, int h, const uint32_t* pixels, int levels) {
  gfx::Image img;
  img.width = w;
  img.height = h;
  img.pixels.assign(pixels, pixels + size_t(w) * h);
  gfx::Texture* t = nullptr;
  EXPECT_EQ(dev->CreateTexture(img, levels, &t), gfx::S_OK);
  return t;
}

}  // namespace rendertest
