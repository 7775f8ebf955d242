// Where the game's data and the user's files live (XDG base directories).
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/os/host.h"

namespace os {
namespace {
std::mutex g_dataRootMutex;
std::string g_dataRoot;

std::string WithoutTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return WithoutTrailingSlash(home);
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir == '/') {
    return WithoutTrailingSlash(pw->pw_dir);
  }
  return "/tmp";
}

// An XDG variable counts only when it holds an absolute path, as the base-directory rules say.
std::string XdgDir(const char* var, const char* fallbackUnderHome) {
  const char* v = std::getenv(var);
  std::string base = (v && *v == '/') ? WithoutTrailingSlash(v) : JoinPath(HomeDir(), fallbackUnderHome);
  return JoinPath(base, "Brannock/Vardell");
}
}  // namespace

std::string ExecutableDir() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, size_t(n));
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string DataRoot() {
  {
    std::lock_guard lock(g_dataRootMutex);
    if (!g_dataRoot.empty()) return g_dataRoot;
  }
  return ExecutableDir();
}

void SetDataRoot(const std::string& dir) {
  std::lock_guard lock(g_dataRootMutex);
  g_dataRoot = dir.empty() ? std::string() : WithoutTrailingSlash(dir);
}

std::string ConfigDir() {
  return XdgDir("XDG_CONFIG_HOME", ".config");
}
std::string AppDataDir() {
  return XdgDir("XDG_DATA_HOME", ".local/share");
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (name.empty()) return dir;
  if (name.front() == '/') return dir.back() == '/' ? dir + name.substr(1) : dir + name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace os
