// The framework half of the application: window, device, message loop and the per-frame driver.
// The game's half (CTolvek) fills in the scene hooks. The virtual slots keep the framework's order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/display_modes.h"
#include "app/frame_limiter.h"
#include "platform/gfx/device.h"
#include "platform/os/host.h"

class CD3DApplication {
 public:
  // Makes a device for a window (null in headless runs) and a back-buffer size.
  using DeviceFactory = std::function<gfx::HRESULT(os::Window* window, int width, int height, bool windowed,
                                                   gfx::Device** out)>;

  CD3DApplication();
  virtual ~CD3DApplication();
  CD3DApplication(const CD3DApplication&) = delete;
  CD3DApplication& operator=(const CD3DApplication&) = delete;

  virtual gfx::HRESULT AdjustWindowForChange();
  virtual gfx::HRESULT ConfirmDevice(const gfx::Caps& caps);
  virtual gfx::HRESULT InitDeviceObjects();
  virtual gfx::HRESULT RestoreDeviceObjects();
  virtual gfx::HRESULT FrameMove();
  virtual gfx::HRESULT Render();
  virtual gfx::HRESULT InvalidateDeviceObjects();
  virtual gfx::HRESULT DeleteDeviceObjects();
  virtual gfx::HRESULT FinalCleanup();
  virtual gfx::HRESULT Create();
  virtual int Run();
  // Handles one window event; private messages arrive as kAppMessage. The result is the answer of
  // a message that has one (0x8101).
  virtual intptr_t MsgProc(const os::Event& event);
  virtual void Pause(bool pause);

  gfx::HRESULT DisplayErrorMsg(gfx::HRESULT code, int kind);
  gfx::HRESULT BuildDeviceList();
  gfx::HRESULT Initialize3DEnvironment();
  gfx::HRESULT Resize3DEnvironment();
  gfx::HRESULT ChangeResolution(int choice);
  gfx::HRESULT Render3DEnvironment();
  void Cleanup3DEnvironment();

  // Runs one pass of the loop: pending events, then a frame when active and ready. Run is this in
  // a loop with waiting and pacing around it.
  void RunOnce();
  // Starts in a window whatever "Window"/"Resolution" says (before Create).
  void RequestWindowed() { resolutionChoice_ = kChoiceWindowed; }
  // Unattended runs (automation) never wait for focus and are never paced.
  void SetUnattended(bool on) { unattended_ = on; }

  void SetDeviceFactory(DeviceFactory factory) { deviceFactory_ = std::move(factory); }
  // The loop has ended (save-and-quit done); ExitCode is what Run returns.
  bool QuitRequested() const { return quit_; }
  int ExitCode() const { return exitCode_; }

  // State, for the game half and for tests.
  gfx::Device* Device() const { return device_; }
  os::Window* Window() const { return window_; }
  bool IsActive() const { return active_; }
  bool IsReady() const { return ready_; }
  bool IsWindowed() const { return windowed_; }
  int BackBufferWidth() const { return backBufferWidth_; }
  int BackBufferHeight() const { return backBufferHeight_; }
  int ResolutionChoice() const { return resolutionChoice_; }
  const os::Rect& WindowBounds() const { return windowBounds_; }
  const std::vector<DeviceRecord>& Devices() const { return devices_; }
  float AppTime() const { return appTime_; }
  float ElapsedTime() const { return elapsedTime_; }
  int PauseCount() const { return pauseCount_; }
  uint64_t FramesDrawn() const { return framesDrawn_; }

  static CD3DApplication* Instance();

 protected:
  // The outer window rectangle as the settings store keeps it (the windowed placement also while
  // full screen, where the window covers the desktop).
  os::Rect CurrentWindowBounds();
  void Quit(int code);
  // Around every frame attempt of the loop (automation: fixed clock steps, frame counting).
  virtual void BeforeFrame() {}
  virtual void AfterFrame() {}
  void Pace();

  gfx::Device* device_ = nullptr;
  os::Window* window_ = nullptr;
  bool active_ = false;
  bool ready_ = false;
  bool frameMoving_ = true;
  bool singleStep_ = false;
  bool windowed_ = false;
  bool focused_ = true;  // the window has the keyboard focus (clock running on its account)
  bool minimized_ = false;
  bool mustExitShown_ = false;
  bool running_ = false;  // inside Run
  bool unattended_ = false;
  bool lastFrameSkipped_ = false;
  int refreshHz_ = 60;
  FrameLimiter limiter_;
  int pauseCount_ = 0;
  float appTime_ = 0;
  float elapsedTime_ = 0;
  int backBufferWidth_ = 0;
  int backBufferHeight_ = 0;
  std::string windowTitle_ = "Vardell";
  bool useDepthBuffer_ = false;
  int resolutionChoice_ = kChoice1024;
  os::Rect windowBounds_{0, 0, 800, 600};
  std::vector<DeviceRecord> devices_;
  int currentDevice_ = 0;
  DeviceFactory deviceFactory_;
  bool quit_ = false;
  int exitCode_ = 0;
  uint64_t framesDrawn_ = 0;
};
