// Test entry: automation mode (message boxes go to stderr), and user folders in a private
// temporary directory so no test touches the real home.
#include <gtest/gtest.h>

#include <cstdlib>
#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#endif
#include <string>

#include "platform/os/host.h"
#include "support/test_env.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#if defined(__SANITIZE_ADDRESS__)
  // Mesa's software driver is unloaded before leak checking; kept resident, its own allocations
  // keep their names and match the suppressions instead of showing as unknown modules.
  dlopen("swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
  dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
#endif
  os::SetAutomationMode(true);
  testenv::UsePrivateUserFolders();
  return RUN_ALL_TESTS();
}
