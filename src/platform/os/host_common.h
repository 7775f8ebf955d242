// What every host shares: the posted-message queue, the counted input gate and the input that
// automation scripts inject on top of the real devices.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/os/host.h"

namespace os {

class HostCommon : public Host {
 public:
  HostCommon();
  void PostAppMessage(uint32_t message, intptr_t wparam) override;
  void DisableInput() override;
  void EnableInput() override;
  bool InputEnabled() const override { return gate_ == 0; }
  void InjectPointer(int x, int y) override;
  void InjectButton(bool right, bool down) override;
  void InjectKey(int vk, bool down) override;
  void InjectText(const std::string& windows1252) override;
  void SetTextInput(bool on) override { textInput_ = on; }
  bool TextInputActive() const override { return textInput_; }

 protected:
  // Queues an event from any thread and wakes a waiting PollEvent.
  void Push(const Event& ev, bool wake = true);
  bool Pop(Event& ev);
  // Waits for a queued event up to timeoutMs (-1: for ever). Hosts with their own wake-up
  // mechanism (SDL) do not use it.
  bool WaitAndPop(Event& ev, int timeoutMs);
  virtual void Wake() {}

  // Applies injected input over the real snapshot (pointer already in back-buffer pixels), mirrors
  // the buttons into the key state as the system does, and applies the input gate.
  InputSnapshot Finish(InputSnapshot real, int bbWidth, int bbHeight);

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Event> queue_;

  int gate_ = 0;
  bool textInput_ = false;
  bool pointerInjected_ = false;
  int injectedX_ = 0, injectedY_ = 0;
  signed char injectedButton_[2] = {-1, -1};  // -1: not injected, else 0/1
  signed char injectedKey_[256];
  // Buttons and keys held while input was gated stay silent until released, so a press that
  // started before a transition does not arrive as a fresh click after it.
  bool suppressButton_[2] = {false, false};
  bool suppressKey_[256] = {};
};

}  // namespace os
