// The game's one SDL window with an OpenGL-capable surface.
#pragma once

#include <SDL.h>

#include "platform/os/host.h"

namespace os {

class SdlWindow : public Window {
 public:
  // Null when SDL cannot make the window (the reason goes to stderr).
  static std::unique_ptr<SdlWindow> Create(const WindowParams& params);
  ~SdlWindow() override;

  void SetTitle(const std::string& title) override;
  Rect OuterRect() const override;
  void SetOuterRect(const Rect& r) override;
  void ClientSize(int& w, int& h) const override;
  void SetClientSize(int w, int h) override;
  void DrawableSize(int& w, int& h) const override;
  void SetFullscreen(bool fullscreen) override;
  bool IsFullscreen() const override;
  void SetBackBufferSize(int w, int h) override;
  void ShowSystemCursor(bool show) override;
  void SetIcon(const uint32_t* argb, int width, int height) override;
  void* NativeHandle() const override { return window_; }

  SDL_Window* Sdl() const { return window_; }
  uint32_t Id() const { return SDL_GetWindowID(window_); }
  bool IsMaximized() const { return SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED; }
  // Pointer positions are reported in these pixels: the back buffer, or the client when unset.
  void BackBufferSize(int& w, int& h) const;
  // The largest client that fits the usable area of the window's display.
  void MaxClientSize(int& w, int& h) const;
  // Called on moves and resizes, so the windowed rectangle survives a spell in full screen.
  void RememberWindowedRect();

 private:
  explicit SdlWindow(SDL_Window* w) : window_(w) {}
  void Borders(int& top, int& left, int& bottom, int& right) const;
  Rect CurrentOuter() const;

  SDL_Window* window_;
  int bbW_ = 0, bbH_ = 0;
  Rect windowed_{0, 0, 800, 600};
  int pendingClientW_ = 0, pendingClientH_ = 0;
};

}  // namespace os
