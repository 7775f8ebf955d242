// Helpers shared by the tests.
#pragma once

#include <string>

namespace testenv {
// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a fresh temporary folder (once per process).
void UsePrivateUserFolders();
// A new empty temporary folder, removed at process exit.
std::string MakeTempDir(const std::string& tag = "t");
// build/ and the source tree.
std::string BuildDir();
std::string SourceDir();
// build/test-captures/<name> (the folder is created).
std::string CapturePath(const std::string& name);
}  // namespace testenv
