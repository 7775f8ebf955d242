#include "app/d3d_application.h"

#include "app/error_messages.h"
#include "core/frame_timer.h"
#include "core/settings.h"
#include "app/shell.h"
#include "scene/game_object.h"

namespace {

CD3DApplication* g_app = nullptr;

// A stored rectangle a window cannot have (damaged or hand-edited settings) falls back to the
// defaults instead of asking for a window of negative or absurd size.
os::Rect SaneWindowBounds(os::Rect r) {
  int w = r.Width(), h = r.Height();
  if (w < 100 || h < 100 || w > 16384 || h > 16384 || r.left < -16384 || r.top < -16384 || r.left > 16384 ||
      r.top > 16384)
    return os::Rect{0, 0, 800, 600};
  return r;
}

}  // namespace

CD3DApplication* CD3DApplication::Instance() {
  return g_app;
}

CD3DApplication::CD3DApplication() {
  g_app = this;
  resolutionChoice_ = GetSettingInt("Window", "Resolution", kChoice1024);
  windowBounds_ = SaneWindowBounds(
      os::Rect{GetSettingInt("Window", "Left", 0), GetSettingInt("Window", "Top", 0),
               GetSettingInt("Window", "Right", 800), GetSettingInt("Window", "Bottom", 600)});
}

CD3DApplication::~CD3DApplication() {
  if (g_app == this) g_app = nullptr;
}

gfx::HRESULT CD3DApplication::AdjustWindowForChange() {
  if (window_) window_->SetFullscreen(!windowed_);
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::ConfirmDevice(const gfx::Caps&) {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::InitDeviceObjects() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::RestoreDeviceObjects() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::FrameMove() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::Render() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::InvalidateDeviceObjects() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::DeleteDeviceObjects() {
  return gfx::S_OK;
}
gfx::HRESULT CD3DApplication::FinalCleanup() {
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::BuildDeviceList() {
  os::DisplayInfo display = os::host().Display();
  // Full screen scales our back buffer onto the desktop, so the three sizes always exist.
  std::vector<DisplayMode> modes = {{800, 600}, {1024, 768}, {1280, 960}};
  devices_.clear();
  devices_.push_back(BuildDeviceRecord(modes, display.canWindow));
  ModeSelection sel = ChooseStartupMode(devices_, resolutionChoice_);
  if (gfx::Failed(sel.result)) return sel.result;
  currentDevice_ = sel.device;
  DeviceRecord& d = devices_[size_t(currentDevice_)];
  d.windowed = sel.windowed;
  if (!sel.windowed) d.currentMode = sel.mode;
  windowed_ = sel.windowed;
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::Create() {
  if (!deviceFactory_) return DisplayErrorMsg(AppError::kNoDirect3D, kErrorMustExit);
  gfx::HRESULT hr = BuildDeviceList();
  if (gfx::Failed(hr)) return DisplayErrorMsg(hr, kErrorMustExit);

  os::WindowParams params;
  params.title = windowTitle_;
  params.outer = windowBounds_;
  params.fullscreen = !windowed_;
  window_ = os::host().CreateWindow(params);
  if (!window_) return DisplayErrorMsg(AppError::kNoDirect3D, kErrorMustExit);
  if (windowed_) windowBounds_ = window_->OuterRect();
  // The game draws its own cursor over the client area.
  window_->ShowSystemCursor(false);

  hr = Initialize3DEnvironment();
  if (gfx::Failed(hr)) return DisplayErrorMsg(hr, kErrorMustExit);
  ready_ = true;
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::Initialize3DEnvironment() {
  DeviceRecord& d = devices_[size_t(currentDevice_)];
  windowed_ = d.windowed;
  AdjustWindowForChange();

  int w = 0, h = 0;
  if (windowed_) {
    window_->ClientSize(w, h);
    int cw = w, ch = h;
    ForceClientAspect(w, h);
    if (w != cw || h != ch) window_->SetClientSize(w, h);
  } else {
    const DisplayMode& m = d.modes[size_t(d.currentMode)];
    w = m.width;
    h = m.height;
  }
  if (w <= 0 || h <= 0) return gfx::E_FAIL;

  gfx::Device* device = nullptr;
  gfx::HRESULT hr = deviceFactory_(window_, w, h, windowed_, &device);
  if (gfx::Failed(hr) || !device) return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  device_ = device;
  device_->BackBufferSize(backBufferWidth_, backBufferHeight_);
  window_->SetBackBufferSize(backBufferWidth_, backBufferHeight_);
  if (windowed_) windowBounds_ = window_->OuterRect();

  hr = ConfirmDevice(device_->GetCaps());
  if (gfx::Succeeded(hr)) hr = InitDeviceObjects();
  if (gfx::Succeeded(hr)) hr = RestoreDeviceObjects();
  if (gfx::Succeeded(hr)) {
    active_ = true;
    return gfx::S_OK;
  }
  InvalidateDeviceObjects();
  DeleteDeviceObjects();
  device_->Release();
  device_ = nullptr;
  SetDevice(nullptr);
  return hr;
}

gfx::HRESULT CD3DApplication::Resize3DEnvironment() {
  InvalidateDeviceObjects();
  gfx::HRESULT hr = device_->Reset(backBufferWidth_, backBufferHeight_, windowed_);
  if (gfx::Failed(hr)) return hr;
  device_->BackBufferSize(backBufferWidth_, backBufferHeight_);
  if (window_) window_->SetBackBufferSize(backBufferWidth_, backBufferHeight_);
  hr = RestoreDeviceObjects();
  if (gfx::Failed(hr)) return hr;
  if (!frameMoving_) {
    // Show one frame at the new size, then stop again.
    singleStep_ = true;
    ResumeClock();
    PauseClock();
  }
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::ChangeResolution(int choice) {
  if (!device_) return gfx::E_FAIL;
  DeviceRecord& d = devices_[size_t(currentDevice_)];
  if (windowed_ && window_) windowBounds_ = window_->OuterRect();
  DeviceRecord before = d;
  gfx::HRESULT hr = ApplyResolutionChoice(d, choice);
  if (gfx::Failed(hr)) {
    d = before;
    return hr;
  }
  InvalidateDeviceObjects();
  DeleteDeviceObjects();
  uint32_t remaining = device_->Release();
  device_ = nullptr;
  SetDevice(nullptr);
  if (remaining > 0) return DisplayErrorMsg(AppError::kNonZeroRefCount, kErrorMustExit);

  // Back from full screen: the window takes the placement it had before.
  if (d.windowed && window_ && window_->IsFullscreen()) {
    window_->SetFullscreen(false);
    window_->SetOuterRect(windowBounds_);
  }
  hr = Initialize3DEnvironment();
  if (gfx::Failed(hr)) return DisplayErrorMsg(hr, kErrorMustExit);
  return gfx::S_OK;
}

gfx::HRESULT CD3DApplication::Render3DEnvironment() {
  gfx::HRESULT hr = device_->TestCooperativeLevel();
  if (gfx::Failed(hr)) {
    if (hr == gfx::D3DERR_DEVICELOST) return gfx::S_OK;
    if (hr == gfx::D3DERR_DEVICENOTRESET) return Resize3DEnvironment();
    return hr;
  }
  FrameTimer* clock = ApplicationClock();
  if (!clock) return gfx::S_OK;
  float elapsed = 0;
  float time = clock->Query(&elapsed);
  // A stopped clock gives exactly 0: nothing moved, so nothing is drawn.
  if (elapsed == 0.0f && frameMoving_) return gfx::S_OK;
  if (frameMoving_ || singleStep_) {
    appTime_ = time;
    elapsedTime_ = elapsed;
    hr = FrameMove();
    if (gfx::Failed(hr)) return hr;
    singleStep_ = false;
  }
  hr = Render();
  if (gfx::Failed(hr)) return hr;
  hr = device_->Present();
  ++framesDrawn_;
  return hr;
}

void CD3DApplication::Cleanup3DEnvironment() {
  active_ = false;
  ready_ = false;
  if (device_) {
    InvalidateDeviceObjects();
    DeleteDeviceObjects();
    uint32_t remaining = device_->Release();
    device_ = nullptr;
    SetDevice(nullptr);
    if (remaining > 0) DisplayErrorMsg(AppError::kNonZeroRefCount, kErrorMustExit);
  }
  FinalCleanup();
}

gfx::HRESULT CD3DApplication::DisplayErrorMsg(gfx::HRESULT code, int kind) {
  std::string text = ErrorBoxText(code, kind);
  os::ShowMessageBox(windowTitle_, text, kind == kErrorMustExit ? os::MsgIcon::Error : os::MsgIcon::Warning);
  if (kind == kErrorMustExit) {
    mustExitShown_ = true;
    // Closing goes through the normal save-and-quit message; before the loop runs, Create's
    // failure ends the process instead.
    if ((window_ || running_) && !quit_) {
      os::Event close;
      close.type = os::Event::kClose;
      MsgProc(close);
    }
  }
  return code;
}

void CD3DApplication::Pause(bool pause) {
  if (pause) {
    if (pauseCount_++ == 0 && frameMoving_) PauseClock();
  } else {
    // Never below zero: an unmatched resume must not leave the next pause without effect.
    if (pauseCount_ == 0) return;
    if (--pauseCount_ == 0 && frameMoving_) ResumeClock();
  }
  ready_ = pauseCount_ == 0 && device_ != nullptr;
}

intptr_t CD3DApplication::MsgProc(const os::Event& event) {
  switch (event.type) {
    case os::Event::kMinimize:
      minimized_ = true;
      active_ = false;
      break;
    case os::Event::kRestore:
      minimized_ = false;
      active_ = device_ != nullptr;
      break;
    case os::Event::kResized: {
      if (!active_ || !windowed_ || !window_ || !device_) break;
      int w = 0, h = 0;
      window_->ClientSize(w, h);
      ForceClientAspect(w, h);
      if (w <= 0 || h <= 0 || (w == backBufferWidth_ && h == backBufferHeight_)) break;
      ClockPauseGuard pause;
      ready_ = false;
      backBufferWidth_ = w;
      backBufferHeight_ = h;
      if (gfx::Failed(Resize3DEnvironment())) {
        DisplayErrorMsg(AppError::kResetFailed, kErrorMustExit);
        break;
      }
      windowBounds_ = window_->OuterRect();
      ready_ = true;
      break;
    }
    default:
      break;
  }
  return 0;
}

os::Rect CD3DApplication::CurrentWindowBounds() {
  if (window_ && windowed_ && !window_->IsFullscreen()) windowBounds_ = window_->OuterRect();
  return windowBounds_;
}

void CD3DApplication::Quit(int code) {
  quit_ = true;
  exitCode_ = code;
}

void CD3DApplication::RunOnce() {
  os::Event ev;
  while (!quit_ && os::host().PollEvent(ev, false, 0)) MsgProc(ev);
  if (quit_ || !active_ || !ready_ || !device_) return;
  BeforeFrame();
  uint64_t drawnBefore = framesDrawn_;
  if (gfx::Failed(Render3DEnvironment())) {
    os::Event close;
    close.type = os::Event::kClose;
    MsgProc(close);
  }
  lastFrameSkipped_ = framesDrawn_ == drawnBefore;
  AfterFrame();
}

void CD3DApplication::Pace() {
  os::Event ev;
  if (lastFrameSkipped_) {
    // Nothing moved (the clock is stopped): wait for the world instead of polling it.
    if (os::host().PollEvent(ev, true, 16)) MsgProc(ev);
    return;
  }
  if (!device_ || device_->VsyncActive()) return;
  limiter_.SetRate(refreshHz_);
  int ms = limiter_.DelayAfterFrame(os::CounterNow(), os::CounterFrequency());
  if (ms > 0) os::SleepMs(ms);
}

int CD3DApplication::Run() {
  refreshHz_ = os::host().Display().refreshHz;
  running_ = true;
  while (!quit_) {
    bool idle = !active_ || !ready_ || !device_ || (!focused_ && !unattended_);
    if (idle) {
      // Minimised, in the background or not drawable: sleep in the event wait instead of spinning.
      os::Event ev;
      if (os::host().PollEvent(ev, true, 250)) MsgProc(ev);
    }
    RunOnce();
    if (!quit_ && !idle && !unattended_) Pace();
  }
  running_ = false;
  return exitCode_;
}
