// Test entry: automation mode (message boxes go to stderr), and user folders in a private
// temporary directory so no test touches the real home.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/os/host.h"
#include "support/test_env.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  os::KeepGlDriverResident();
  os::SetAutomationMode(true);
  testenv::UsePrivateUserFolders();
  return RUN_ALL_TESTS();
}
