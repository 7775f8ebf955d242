// The host of tests and --headless runs: no window system at all. Input comes only from injection.
#include <memory>

#include "platform/os/host_common.h"

namespace os {
namespace {

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(const WindowParams& p, int desktopW, int desktopH)
      : title_(p.title),
        outer_(p.outer),
        fullscreen_(p.fullscreen),
        desktopW_(desktopW),
        desktopH_(desktopH) {}

  void SetTitle(const std::string& title) override { title_ = title; }
  Rect OuterRect() const override { return outer_; }
  void SetOuterRect(const Rect& r) override { outer_ = r; }
  void ClientSize(int& w, int& h) const override {
    if (fullscreen_) {
      w = desktopW_;
      h = desktopH_;
    } else {
      w = outer_.Width();
      h = outer_.Height();
    }
  }
  void SetClientSize(int w, int h) override {
    outer_.right = outer_.left + w;
    outer_.bottom = outer_.top + h;
  }
  void DrawableSize(int& w, int& h) const override { ClientSize(w, h); }
  void SetFullscreen(bool fullscreen) override { fullscreen_ = fullscreen; }
  bool IsFullscreen() const override { return fullscreen_; }
  void SetBackBufferSize(int w, int h) override {
    bbW_ = w;
    bbH_ = h;
  }
  void ShowSystemCursor(bool show) override { cursorShown_ = show; }
  void* NativeHandle() const override { return nullptr; }

  void BackBufferSize(int& w, int& h) const {
    if (bbW_ > 0 && bbH_ > 0) {
      w = bbW_;
      h = bbH_;
    } else {
      ClientSize(w, h);
    }
  }

 private:
  std::string title_;
  Rect outer_;
  bool fullscreen_;
  int desktopW_, desktopH_;
  int bbW_ = 0, bbH_ = 0;
  bool cursorShown_ = true;
};

class HeadlessHost : public HostCommon {
 public:
  HeadlessHost(int w, int h) : width_(w), height_(h) {}

  DisplayInfo Display() override { return DisplayInfo{width_, height_, 60, true}; }
  Window* CreateWindow(const WindowParams& params) override {
    window_ = std::make_unique<HeadlessWindow>(params, width_, height_);
    return window_.get();
  }
  void DestroyWindow() override { window_.reset(); }
  Window* GetWindow() override { return window_.get(); }

  bool PollEvent(Event& ev, bool wait, int timeoutMs) override {
    if (Pop(ev)) return true;
    return wait && WaitAndPop(ev, timeoutMs);
  }

  InputSnapshot Input() override {
    int w = width_, h = height_;
    if (window_) window_->BackBufferSize(w, h);
    return Finish(InputSnapshot{}, w, h);
  }

 private:
  int width_, height_;
  std::unique_ptr<HeadlessWindow> window_;
};

}  // namespace

std::unique_ptr<Host> CreateHeadlessHost(int width, int height) {
  return std::make_unique<HeadlessHost>(width, height);
}

}  // namespace os
