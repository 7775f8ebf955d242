// The process's one host.
#include <memory>

#include "platform/os/host.h"

namespace os {
namespace {
std::unique_ptr<Host>& Current() {
  static std::unique_ptr<Host> h;
  return h;
}
}  // namespace

Host& host() {
  if (!Current()) Current() = CreateHeadlessHost();
  return *Current();
}

bool HasHost() {
  return Current() != nullptr;
}

void SetHost(std::unique_ptr<Host> h) {
  Current() = std::move(h);
}

}  // namespace os
