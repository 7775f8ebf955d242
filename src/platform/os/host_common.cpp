#include "platform/os/host_common.h"

#include <chrono>
#include <cstring>

#include "platform/os/keys.h"

namespace os {

HostCommon::HostCommon() {
  std::memset(injectedKey_, -1, sizeof injectedKey_);
}

void HostCommon::Push(const Event& ev, bool wake) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(ev);
  }
  cv_.notify_all();
  if (wake) Wake();
}

bool HostCommon::Pop(Event& ev) {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return false;
  ev = queue_.front();
  queue_.pop_front();
  return true;
}

bool HostCommon::WaitAndPop(Event& ev, int timeoutMs) {
  std::unique_lock lock(mutex_);
  auto ready = [&] { return !queue_.empty(); };
  if (timeoutMs < 0) {
    cv_.wait(lock, ready);
  } else if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
    return false;
  }
  ev = queue_.front();
  queue_.pop_front();
  return true;
}

void HostCommon::PostAppMessage(uint32_t message, intptr_t wparam) {
  Event ev{Event::kAppMessage};
  ev.message = message;
  ev.wparam = wparam;
  Push(ev);
}

void HostCommon::DisableInput() {
  ++gate_;
}

void HostCommon::EnableInput() {
  if (gate_ > 0) --gate_;
}

void HostCommon::InjectPointer(int x, int y) {
  pointerInjected_ = true;
  injectedX_ = x;
  injectedY_ = y;
}

void HostCommon::InjectButton(bool right, bool down) {
  injectedButton_[right ? 1 : 0] = down ? 1 : 0;
}

void HostCommon::InjectKey(int vk, bool down) {
  if (vk <= 0 || vk > 255) return;
  bool wasDown = injectedKey_[vk] == 1;
  injectedKey_[vk] = down ? 1 : 0;
  if (!down || !InputEnabled()) return;
  Event ev{Event::kKeyDown};
  ev.key = vk;
  ev.repeat = wasDown;
  Push(ev);
  if (vk == vk::kBack) {
    Event ch{Event::kChar};
    ch.code = 8;
    Push(ch);
  }
}

void HostCommon::InjectText(const std::string& windows1252) {
  if (!InputEnabled()) return;
  for (char c : windows1252) {
    Event ev{Event::kChar};
    ev.code = int(static_cast<unsigned char>(c));
    Push(ev);
  }
}

InputSnapshot HostCommon::Finish(InputSnapshot s, int bbWidth, int bbHeight) {
  if (pointerInjected_) {
    s.x = injectedX_;
    s.y = injectedY_;
    s.insideClient = s.x >= 0 && s.y >= 0 && s.x < bbWidth && s.y < bbHeight;
  }
  if (injectedButton_[0] >= 0) s.left = injectedButton_[0];
  if (injectedButton_[1] >= 0) s.right = injectedButton_[1];
  for (int k = 0; k < 256; ++k) {
    if (injectedKey_[k] >= 0) s.keys[k] = injectedKey_[k] ? 0x80 : 0;
  }
  if (gate_ > 0) {
    suppressButton_[0] = suppressButton_[0] || s.left;
    suppressButton_[1] = suppressButton_[1] || s.right;
    for (int k = 0; k < 256; ++k) suppressKey_[k] = suppressKey_[k] || (s.keys[k] & 0x80);
  } else {
    if (!s.left) suppressButton_[0] = false;
    if (!s.right) suppressButton_[1] = false;
    for (int k = 0; k < 256; ++k) {
      if (!(s.keys[k] & 0x80)) suppressKey_[k] = false;
    }
  }
  if (suppressButton_[0]) s.left = false;
  if (suppressButton_[1]) s.right = false;
  for (int k = 0; k < 256; ++k) {
    if (suppressKey_[k]) s.keys[k] = 0;
  }
  s.keys[vk::kLButton] = s.left ? 0x80 : 0;
  s.keys[vk::kRButton] = s.right ? 0x80 : 0;
  return s;
}

}  // namespace os
