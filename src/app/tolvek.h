// The game's half of the application: what is created once, what is restored after a device
// reset, what is advanced and drawn each frame, and the answers to the game's private messages.
#pragma once

#include <memory>

#include "app/d3d_application.h"

class AutomationRun;

// Command ids of the accelerator table.
enum : int {
  kCmdEscape = 1225,
  kCmdToggleFrameMoving = 40004,
  kCmdExit = 40006,
};

class CTolvek : public CD3DApplication {
 public:
  CTolvek();
  ~CTolvek() override;

  gfx::HRESULT RestoreDeviceObjects() override;
  gfx::HRESULT FrameMove() override;
  gfx::HRESULT Render() override;
  gfx::HRESULT InvalidateDeviceObjects() override;
  gfx::HRESULT DeleteDeviceObjects() override;
  gfx::HRESULT FinalCleanup() override;
  intptr_t MsgProc(const os::Event& event) override;

  void OnCommand(int id);
  // 0x8100, 0x8101, 0x8102; the result is the message's answer.
  intptr_t OnAppMessage(uint32_t message, intptr_t wparam);

  // Takes over an unattended run (installs its clock before the first restore).
  void SetAutomation(std::unique_ptr<AutomationRun> run);
  AutomationRun* Automation() const { return automation_.get(); }

  bool FirstFrameDone() const { return firstFrameDone_; }
  bool ShowLoadingScreenOnRestore() const { return showLoadingScreenOnRestore_; }

 protected:
  void BeforeFrame() override;
  void AfterFrame() override;

 private:
  void SaveAndQuit();
  void UpdateWindowHold();

  bool firstFrameDone_ = false;
  bool gameMapOpened_ = false;
  bool audioStarted_ = false;
  bool portalRead_ = false;
  bool showLoadingScreenOnRestore_ = true;
  bool clockHeldByWindow_ = false;  // the window's focus or minimising has the clock paused
  float nextMusicCheckTime_ = 0.0f;
  uint32_t frameIndex_ = 0;
  std::unique_ptr<AutomationRun> automation_;
};
