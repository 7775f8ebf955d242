// The game's host over SDL2: the window, its events translated into the game's terms, and the
// input snapshot in back-buffer pixels.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/os/host_common.h"
#include "platform/os/key_map.h"
#include "platform/os/keys.h"
#include "platform/os/sdl_window.h"
#include "platform/os/text_1252.h"
#include "platform/os/window_geometry.h"

namespace os {
namespace {

// After asking the window manager for a 4:3 size, its answer is awaited this long; an answer of
// another size is then accepted (letterboxed) instead of asked again, so a window manager that
// insists on its own sizes cannot start a resize loop.
constexpr Uint32 kSnapAnswerMs = 250;

class SdlHost : public HostCommon {
 public:
  explicit SdlHost(Uint32 wakeEvent) : wakeEvent_(wakeEvent) {}
  ~SdlHost() override {
    window_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  DisplayInfo Display() override {
    DisplayInfo d;
    int index = window_ ? SDL_GetWindowDisplayIndex(window_->Sdl()) : 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) == 0) {
      d.desktopWidth = mode.w;
      d.desktopHeight = mode.h;
      d.refreshHz = mode.refresh_rate > 0 ? mode.refresh_rate : 60;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    // The console driver shows one full-screen surface and no desktop to hold a window.
    d.canWindow = SDL_GetNumVideoDisplays() > 0 && !(driver && !SDL_strcasecmp(driver, "KMSDRM"));
    return d;
  }

  Window* CreateWindow(const WindowParams& params) override {
    window_.reset();
    window_ = SdlWindow::Create(params);
    if (!window_) return nullptr;
    window_->ClientSize(lastClient_.width, lastClient_.height);
    SetTextInput(TextInputActive());
    return window_.get();
  }

  void SetTextInput(bool on) override {
    HostCommon::SetTextInput(on);
    if (on) {
      SDL_StartTextInput();
    } else {
      SDL_StopTextInput();
    }
  }

  void DestroyWindow() override {
    window_.reset();
    ClearRealInput();
  }
  Window* GetWindow() override { return window_.get(); }

  bool PollEvent(Event& ev, bool wait, int timeoutMs) override {
    Uint32 start = SDL_GetTicks();
    for (;;) {
      if (Pop(ev)) return true;
      SDL_Event e;
      int got;
      if (!wait) {
        got = SDL_PollEvent(&e);
      } else if (timeoutMs < 0) {
        got = SDL_WaitEvent(&e);
      } else {
        Uint32 spent = SDL_GetTicks() - start;
        got =
            spent >= Uint32(timeoutMs) ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, int(timeoutMs - spent));
      }
      if (!got) return Pop(ev);
      Translate(e);
    }
  }

  InputSnapshot Input() override {
    InputSnapshot s;
    s.left = realLeft_;
    s.right = realRight_;
    std::memcpy(s.keys, realKeys_, sizeof s.keys);
    int bbW = 0, bbH = 0;
    if (window_) {
      window_->BackBufferSize(bbW, bbH);
      SDL_Window* w = window_->Sdl();
      int wx = 0, wy = 0;
      bool hasFocus = SDL_GetMouseFocus() == w;
      if (hasFocus) {
        SDL_GetMouseState(&wx, &wy);
      } else {
        // Outside the window (or behind another): the desktop position relative to the client.
        int gx = 0, gy = 0, px = 0, py = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        SDL_GetWindowPosition(w, &px, &py);
        wx = gx - px;
        wy = gy - py;
      }
      int cw = 0, ch = 0;
      window_->ClientSize(cw, ch);
      MapToBackBuffer(wx, wy, cw, ch, bbW, bbH, s.x, s.y);
      s.insideClient = hasFocus && s.x >= 0 && s.y >= 0 && s.x < bbW && s.y < bbH;
    }
    return Finish(s, bbW, bbH);
  }

 protected:
  void Wake() override {
    SDL_Event e;
    SDL_zero(e);
    e.type = wakeEvent_;
    SDL_PushEvent(&e);
  }

 private:
  void Emit(Event::Type type) { Push(Event{type}, false); }

  void ClearRealInput() {
    realLeft_ = realRight_ = false;
    std::memset(realKeys_, 0, sizeof realKeys_);
  }

  void SetKey(int32_t keycode, int scancode, bool down) {
    int code = VkFromSdlKey(keycode, scancode);
    int sided = SidedVkFromSdlKey(keycode);
    if (sided) {
      realKeys_[sided] = down ? 0x80 : 0;
      // The generic modifier is down while either side is.
      auto either = [&](int l, int r) { return uint8_t((realKeys_[l] | realKeys_[r]) & 0x80); };
      realKeys_[vk::kShift] = either(vk::kLShift, vk::kRShift);
      realKeys_[vk::kControl] = either(vk::kLControl, vk::kRControl);
      realKeys_[vk::kMenu] = either(vk::kLMenu, vk::kRMenu);
    } else if (code) {
      realKeys_[code] = down ? 0x80 : 0;
    }
  }

  void Translate(const SDL_Event& e) {
    if (e.type == wakeEvent_) return;
    switch (e.type) {
      case SDL_QUIT:
        Emit(Event::kClose);
        break;
      case SDL_WINDOWEVENT:
        if (window_ && e.window.windowID == window_->Id()) TranslateWindowEvent(e.window);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        bool down = e.type == SDL_KEYDOWN;
        SetKey(e.key.keysym.sym, e.key.keysym.scancode, down);
        int code = VkFromSdlKey(e.key.keysym.sym, e.key.keysym.scancode);
        if (!down || !code || !InputEnabled()) break;
        Event ev{Event::kKeyDown};
        ev.key = code;
        ev.repeat = e.key.repeat != 0;
        Push(ev, false);
        // Text input has no Backspace; the edit control expects it as character 8.
        if (code == vk::kBack) {
          Event ch{Event::kChar};
          ch.code = 8;
          Push(ch, false);
        }
        break;
      }
      case SDL_TEXTINPUT:
        if (!InputEnabled()) break;
        for (char c : Utf8ToWindows1252(e.text.text)) {
          Event ev{Event::kChar};
          ev.code = int(static_cast<unsigned char>(c));
          Push(ev, false);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) realLeft_ = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_RIGHT) realRight_ = e.type == SDL_MOUSEBUTTONDOWN;
        break;
      case SDL_MOUSEMOTION:
        Emit(Event::kMouseMove);
        break;
      default:
        break;
    }
  }

  void TranslateWindowEvent(const SDL_WindowEvent& w) {
    switch (w.event) {
      case SDL_WINDOWEVENT_CLOSE:
        Emit(Event::kClose);
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        Emit(Event::kActivate);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        // Key-ups that happen elsewhere never arrive; a key must not stay down for ever.
        ClearRealInput();
        Emit(Event::kDeactivate);
        break;
      case SDL_WINDOWEVENT_MINIMIZED:
        minimized_ = true;
        Emit(Event::kMinimize);
        break;
      case SDL_WINDOWEVENT_RESTORED:
        if (minimized_) {
          minimized_ = false;
          Emit(Event::kRestore);
        }
        window_->RememberWindowedRect();
        break;
      case SDL_WINDOWEVENT_MOVED:
        window_->RememberWindowedRect();
        break;
      case SDL_WINDOWEVENT_RESIZED:
        UserResized(Size{w.data1, w.data2});
        break;
      default:
        break;
    }
  }

  // SDL has no hook while the user drags a frame, so the 4:3 client is restored afterwards.
  void UserResized(Size now) {
    bool answer = snapPending_ && SDL_GetTicks() - snapAskedAt_ < kSnapAnswerMs;
    snapPending_ = false;
    if (!answer && !window_->IsFullscreen() && !window_->IsMaximized()) {
      int maxW = 0, maxH = 0;
      window_->MaxClientSize(maxW, maxH);
      Size snapped = SnapResizeTo43(lastClient_, now, maxW, maxH);
      if (snapped.width != now.width || snapped.height != now.height) {
        SDL_SetWindowSize(window_->Sdl(), snapped.width, snapped.height);
        snapPending_ = true;
        snapAskedAt_ = SDL_GetTicks();
      }
    }
    window_->ClientSize(lastClient_.width, lastClient_.height);
    window_->RememberWindowedRect();
    Emit(Event::kResized);
  }

  Uint32 wakeEvent_;
  std::unique_ptr<SdlWindow> window_;
  bool realLeft_ = false, realRight_ = false;
  uint8_t realKeys_[256] = {};
  bool minimized_ = false;
  Size lastClient_;
  bool snapPending_ = false;
  Uint32 snapAskedAt_ = 0;
};

}  // namespace

std::unique_ptr<Host> CreateSdlHost() {
  // One window: its close box is a request to the game, not the end of the process.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  KeepGlDriverResident();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    return nullptr;
  }
  Uint32 wake = SDL_RegisterEvents(1);
  if (wake == Uint32(-1)) {
    std::fprintf(stderr, "SDL_RegisterEvents: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::make_unique<SdlHost>(wake);
}

}  // namespace os
