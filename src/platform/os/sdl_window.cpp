#include "platform/os/sdl_window.h"

#include <algorithm>
#include <cstdio>

#include "platform/os/text_1252.h"

namespace os {
namespace {
// A saved rectangle from another monitor layout may lie off every screen; such a window would be
// unreachable, so it is centred instead.
bool OnSomeDisplay(const Rect& r) {
  int n = SDL_GetNumVideoDisplays();
  for (int i = 0; i < n; ++i) {
    SDL_Rect b;
    if (SDL_GetDisplayBounds(i, &b) != 0) continue;
    int w = std::min(r.right, b.x + b.w) - std::max(r.left, b.x);
    int h = std::min(r.bottom, b.y + b.h) - std::max(r.top, b.y);
    if (w >= 64 && h >= 32) return true;
  }
  return false;
}
}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::Create(const WindowParams& params) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);

  Rect outer = params.outer;
  if (outer.Width() < 64 || outer.Height() < 48 || outer.Width() > 16384 || outer.Height() > 16384) {
    outer = Rect{0, 0, 800, 600};
  }
  bool centre = !OnSomeDisplay(outer);

  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
  if (params.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  if (params.hidden) flags |= SDL_WINDOW_HIDDEN;
  // The frame is unknown until the window exists: start with the outer size as the client and
  // correct it below.
  std::string title = Windows1252ToUtf8(params.title);
  SDL_Window* w = SDL_CreateWindow(title.c_str(), centre ? int(SDL_WINDOWPOS_CENTERED) : outer.left,
                                   centre ? int(SDL_WINDOWPOS_CENTERED) : outer.top, outer.Width(),
                                   outer.Height(), flags);
  if (!w) {
    std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
    return nullptr;
  }
  std::unique_ptr<SdlWindow> win(new SdlWindow(w));
  SDL_SetWindowMinimumSize(w, 320, 240);
  if (params.fullscreen) {
    win->windowed_ = outer;
  } else {
    SDL_PumpEvents();
    if (!centre) win->SetOuterRect(outer);
    win->RememberWindowedRect();
  }
  return win;
}

SdlWindow::~SdlWindow() {
  if (window_) SDL_DestroyWindow(window_);
}

void SdlWindow::SetTitle(const std::string& title) {
  SDL_SetWindowTitle(window_, Windows1252ToUtf8(title).c_str());
}

void SdlWindow::Borders(int& top, int& left, int& bottom, int& right) const {
  top = left = bottom = right = 0;
  if (IsFullscreen() || SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
}

Rect SdlWindow::CurrentOuter() const {
  int x = 0, y = 0, w = 0, h = 0, t, l, b, r;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  Borders(t, l, b, r);
  return Rect{x - l, y - t, x + w + r, y + h + b};
}

// In full screen this is the rectangle the window returns to, which is what the settings keep.
Rect SdlWindow::OuterRect() const {
  return IsFullscreen() ? windowed_ : CurrentOuter();
}

void SdlWindow::RememberWindowedRect() {
  if (!IsFullscreen() && !IsMaximized() && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED)) {
    windowed_ = CurrentOuter();
  }
}

void SdlWindow::SetOuterRect(const Rect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  if (IsFullscreen()) {
    windowed_ = r;
    pendingClientW_ = pendingClientH_ = 0;
    return;
  }
  int t, l, b, rt;
  Borders(t, l, b, rt);
  SDL_SetWindowSize(window_, std::max(r.Width() - l - rt, 1), std::max(r.Height() - t - b, 1));
  SDL_SetWindowPosition(window_, r.left + l, r.top + t);
  windowed_ = r;
}

void SdlWindow::ClientSize(int& w, int& h) const {
  SDL_GetWindowSize(window_, &w, &h);
}

void SdlWindow::SetClientSize(int w, int h) {
  if (w <= 0 || h <= 0) return;
  if (IsFullscreen()) {
    // The frame is unknown in full screen: the size is applied on the way back.
    pendingClientW_ = w;
    pendingClientH_ = h;
    return;
  }
  SDL_SetWindowSize(window_, w, h);
  RememberWindowedRect();
}

void SdlWindow::DrawableSize(int& w, int& h) const {
  SDL_GL_GetDrawableSize(window_, &w, &h);
}

void SdlWindow::SetFullscreen(bool fullscreen) {
  if (fullscreen == IsFullscreen()) return;
  if (fullscreen) {
    RememberWindowedRect();
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    SetOuterRect(windowed_);
    if (pendingClientW_ > 0) SDL_SetWindowSize(window_, pendingClientW_, pendingClientH_);
    pendingClientW_ = pendingClientH_ = 0;
    RememberWindowedRect();
  }
}

bool SdlWindow::IsFullscreen() const {
  return SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN;
}

void SdlWindow::SetBackBufferSize(int w, int h) {
  bbW_ = w;
  bbH_ = h;
}

void SdlWindow::BackBufferSize(int& w, int& h) const {
  if (bbW_ > 0 && bbH_ > 0) {
    w = bbW_;
    h = bbH_;
  } else {
    ClientSize(w, h);
  }
}

void SdlWindow::MaxClientSize(int& w, int& h) const {
  w = h = 0;
  SDL_Rect usable;
  int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) return;
  int t, l, b, r;
  Borders(t, l, b, r);
  w = std::max(usable.w - l - r, 1);
  h = std::max(usable.h - t - b, 1);
}

void SdlWindow::ShowSystemCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::SetIcon(const uint32_t* argb, int width, int height) {
  if (!argb || width <= 0 || height <= 0) return;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32,
                                                      width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  SDL_SetWindowIcon(window_, s);
  SDL_FreeSurface(s);
}

}  // namespace os
