// The SDL host in SDL's offscreen driver: a real window and SDL's own event queue, no display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/os/host.h"
#include "platform/os/keys.h"

namespace {
class SdlHostTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    host_ = os::CreateSdlHost();
    ASSERT_NE(host_, nullptr);
    os::WindowParams p;
    p.outer = {0, 0, 800, 600};
    window_ = host_->CreateWindow(p);
    ASSERT_NE(window_, nullptr);
    id_ = SDL_GetWindowID(static_cast<SDL_Window*>(window_->NativeHandle()));
    Drain();  // shown, focus and the like
  }

  // Everything but what a window system may send at any time (pointer, focus, minimise).
  std::vector<os::Event> Drain() {
    std::vector<os::Event> out;
    os::Event ev{};
    while (host_->PollEvent(ev)) {
      if (ev.type == os::Event::kMouseMove || ev.type == os::Event::kActivate ||
          ev.type == os::Event::kDeactivate || ev.type == os::Event::kMinimize ||
          ev.type == os::Event::kRestore) {
        continue;
      }
      out.push_back(ev);
    }
    return out;
  }

  void PushKey(SDL_Keycode sym, SDL_Scancode scan, bool down) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = id_;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scan;
    SDL_PushEvent(&e);
  }

  void PushWindowEvent(Uint8 what, int d1 = 0, int d2 = 0) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id_;
    e.window.event = what;
    e.window.data1 = d1;
    e.window.data2 = d2;
    SDL_PushEvent(&e);
  }

  std::unique_ptr<os::Host> host_;
  os::Window* window_ = nullptr;
  Uint32 id_ = 0;
};
}  // namespace

TEST_F(SdlHostTest, WindowHasAGlSurfaceAndReportsItsSizes) {
  EXPECT_NE(window_->NativeHandle(), nullptr);
  EXPECT_TRUE(SDL_GetWindowFlags(static_cast<SDL_Window*>(window_->NativeHandle())) & SDL_WINDOW_OPENGL);
  int w, h;
  window_->ClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  window_->DrawableSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  os::DisplayInfo d = host_->Display();
  EXPECT_GT(d.desktopWidth, 0);
  EXPECT_GT(d.refreshHz, 0);
  EXPECT_TRUE(d.canWindow);

  window_->SetFullscreen(true);
  EXPECT_TRUE(window_->IsFullscreen());
  EXPECT_EQ(window_->OuterRect().Width(), 800);  // what the settings keep is the windowed rectangle
  window_->SetClientSize(640, 480);
  window_->SetFullscreen(false);
  EXPECT_FALSE(window_->IsFullscreen());
  window_->ClientSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

TEST_F(SdlHostTest, PostedMessagesAndCloseRequests) {
  host_->PostAppMessage(0x8100, 0);
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  auto events = Drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, os::Event::kAppMessage);
  EXPECT_EQ(events[0].message, 0x8100u);
  EXPECT_EQ(events[1].type, os::Event::kClose);

  // A message posted from another thread wakes a waiting loop.
  std::thread poster([&] {
    os::SleepMs(30);
    host_->PostAppMessage(0x8102, 1);
  });
  os::Event ev{};
  bool got = false;
  while (host_->PollEvent(ev, true, 5000)) {
    if (ev.type == os::Event::kAppMessage) {
      got = true;
      break;
    }
  }
  poster.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(ev.wparam, 1);
  EXPECT_FALSE(host_->PollEvent(ev, true, 20));
}

TEST_F(SdlHostTest, KeysAndTextBecomeGameEvents) {
  PushKey(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, true);
  PushKey(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, true);
  SDL_Event t;
  SDL_zero(t);
  t.type = SDL_TEXTINPUT;
  t.text.windowID = id_;
  SDL_strlcpy(t.text.text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", sizeof t.text.text);
  SDL_PushEvent(&t);
  auto events = Drain();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].type, os::Event::kKeyDown);
  EXPECT_EQ(events[0].key, os::vk::kBack);
  EXPECT_EQ(events[1].type, os::Event::kChar);
  EXPECT_EQ(events[1].code, 8);
  EXPECT_EQ(events[2].key, os::vk::kShift);
  EXPECT_EQ(events[3].code, 0xE9);
  EXPECT_EQ(events[4].code, 0x80);

  os::InputSnapshot s = host_->Input();
  EXPECT_EQ(s.keys[os::vk::kBack], 0x80);
  EXPECT_EQ(s.keys[os::vk::kShift], 0x80);
  EXPECT_EQ(s.keys[os::vk::kLShift], 0x80);
  EXPECT_EQ(s.keys[os::vk::kRShift], 0);
  PushKey(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, false);
  PushKey(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, false);
  Drain();
  s = host_->Input();
  EXPECT_EQ(s.keys[os::vk::kBack], 0);
  EXPECT_EQ(s.keys[os::vk::kShift], 0);

  // Gated: nothing typed reaches the game.
  host_->DisableInput();
  PushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, true);
  SDL_PushEvent(&t);
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(host_->Input().keys[os::vk::kEscape], 0);
  host_->EnableInput();
}

TEST_F(SdlHostTest, UserResizeSnapsTo43AndPointerMapsThroughTheLetterbox) {
  PushWindowEvent(SDL_WINDOWEVENT_RESIZED, 900, 600);
  auto events = Drain();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().type, os::Event::kResized);
  int w, h;
  window_->ClientSize(w, h);
  EXPECT_EQ(w, 900);
  EXPECT_EQ(h, 675);

  window_->SetBackBufferSize(1024, 768);
  SDL_WarpMouseInWindow(static_cast<SDL_Window*>(window_->NativeHandle()), 450, 337);
  SDL_PumpEvents();
  os::InputSnapshot s = host_->Input();
  EXPECT_EQ(s.x, 512);
  EXPECT_EQ(s.y, 384);
  // Inside only while the pointer is over our window: the offscreen driver gives no window the
  // mouse focus (as when another window lies on top), X11 does after the warp.
  EXPECT_EQ(s.insideClient, SDL_GetMouseFocus() == window_->NativeHandle());

  // Injected input overrides the real pointer, in back-buffer pixels.
  host_->InjectPointer(10, 20);
  host_->InjectButton(true, true);
  s = host_->Input();
  EXPECT_EQ(s.x, 10);
  EXPECT_EQ(s.y, 20);
  EXPECT_TRUE(s.right);
  EXPECT_TRUE(s.insideClient);
}
