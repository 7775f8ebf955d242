#include "platform/os/host.h"

namespace os {
std::unique_ptr<Host> CreateSdlHost() { return nullptr; }
}  // namespace os
