// Under AddressSanitizer the leak check runs after SDL has unloaded the system GL stack; the few
// allocations its drivers keep for the process's life then show as "unknown module" and cannot be
// matched by a suppression. Loading the stack once with RTLD_NODELETE keeps every library mapped
// until exit, so their frames keep their names. Release builds skip this entirely.
#include "platform/os/host.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#endif

namespace os {

void KeepGlDriverResident() {
#if defined(__SANITIZE_ADDRESS__)
  static bool done = false;
  if (done) return;
  done = true;
  static const char* const kLibraries[] = {
      "libGLdispatch.so.0",
      "libglapi.so.0",
      "libGLX.so.0",
      "libGLX_mesa.so.0",
      "libGL.so.1",
      "libEGL.so.1",
      "libEGL_mesa.so.0",
      "libgbm.so.1",
      "swrast_dri.so",
      "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
      "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so",
  };
  for (const char* name : kLibraries) dlopen(name, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
#endif
}

}  // namespace os
