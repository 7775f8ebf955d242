#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace testenv {
namespace {
std::vector<fs::path>& Cleanup() {
  static std::vector<fs::path> dirs;
  static bool registered = false;
  if (!registered) {
    registered = true;
    std::atexit([] {
      std::error_code ec;
      for (auto& d : Cleanup()) fs::remove_all(d, ec);
    });
  }
  return dirs;
}
}  // namespace

std::string MakeTempDir(const std::string& tag) {
  std::string templ = (fs::temp_directory_path() / ("vardell-" + tag + "-XXXXXX")).string();
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back(0);
  char* made = mkdtemp(buf.data());
  if (!made) return {};
  Cleanup().push_back(made);
  return made;
}

void UsePrivateUserFolders() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string root = MakeTempDir("home");
  setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  fs::create_directories(root + "/config");
  fs::create_directories(root + "/data");
}

std::string BuildDir() {
  const char* env = std::getenv("VARDELL_BUILD_DIR");
  return env ? env : VARDELL_BUILD_DIR;
}
std::string SourceDir() {
  const char* env = std::getenv("VARDELL_SOURCE_DIR");
  return env ? env : VARDELL_SOURCE_DIR;
}
std::string CapturePath(const std::string& name) {
  fs::path dir = fs::path(BuildDir()) / "test-captures";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return (dir / name).string();
}
}  // namespace testenv
