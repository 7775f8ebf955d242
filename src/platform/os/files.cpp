// Files and folders over POSIX. Writes that matter (settings, profiles) go through WriteFileAtomic:
// a crash or a full disk at any moment leaves either the old file or the new one, never a mix.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/os/host.h"

namespace os {
namespace {
// Closes a descriptor on every path out.
struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Release() {
    int f = fd;
    fd = -1;
    return f;
  }
};

bool WriteAll(int fd, const uint8_t* p, size_t n) {
  while (n > 0) {
    ssize_t w = write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= size_t(w);
  }
  return true;
}

std::string ParentDir(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable; some file systems refuse fsync on a folder, which is harmless.
void SyncDir(const std::string& dir) {
  Fd d(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (d.fd >= 0) fsync(d.fd);
}

std::atomic<unsigned> g_tempCounter{0};
}  // namespace

bool MakeDirectories(const std::string& dir) {
  if (dir.empty()) return false;
  if (IsDirectory(dir)) return true;
  std::string parent = ParentDir(dir);
  if (parent != dir && !IsDirectory(parent) && !MakeDirectories(parent)) return false;
  if (mkdir(dir.c_str(), 0777) == 0) return true;
  return errno == EEXIST && IsDirectory(dir);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return int64_t(st.st_size);
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes) {
  out.clear();
  Fd f(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd < 0) return false;
  struct stat st;
  if (fstat(f.fd, &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (S_ISREG(st.st_mode)) {
    if (uint64_t(st.st_size) > maxBytes) return false;
    out.reserve(size_t(st.st_size));
  }
  // Read to the end rather than trusting the size: the file may change under us, or be a pipe.
  uint8_t chunk[65536];
  for (;;) {
    ssize_t n = read(f.fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return false;
    }
    if (n == 0) break;
    if (out.size() + size_t(n) > maxBytes) {
      out.clear();
      return false;
    }
    out.insert(out.end(), chunk, chunk + n);
  }
  return true;
}

bool ReadTextFile(const std::string& path, std::string& out) {
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, bytes)) {
    out.clear();
    return false;
  }
  out.assign(bytes.begin(), bytes.end());
  return true;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size) {
  if (path.empty() || path.back() == '/') return false;
  std::string dir = ParentDir(path);
  std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);

  // A hidden temporary beside the target, so the rename stays within one file system.
  std::string temp;
  Fd f(-1);
  for (int attempt = 0; attempt < 100 && f.fd < 0; ++attempt) {
    temp =
        JoinPath(dir, "." + base + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(g_tempCounter++));
    f.fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (f.fd < 0 && errno != EEXIST) return false;
  }
  if (f.fd < 0) return false;

  bool ok = WriteAll(f.fd, static_cast<const uint8_t*>(data), size) && fsync(f.fd) == 0;
  ok = close(f.Release()) == 0 && ok;
  if (ok) ok = rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  SyncDir(dir);
  return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& text) {
  return WriteFileAtomic(path, text.data(), text.size());
}

std::vector<std::string> ListDirectory(const std::string& dir, ListKind kind) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.c_str());
  if (!d) return names;
  while (const dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    bool isDir = false, isFile = false;
    if (e->d_type == DT_DIR) {
      isDir = true;
    } else if (e->d_type == DT_REG) {
      isFile = true;
    } else {
      // Links and file systems that do not fill d_type: ask about the target.
      struct stat st;
      if (stat(JoinPath(dir, name).c_str(), &st) == 0) {
        isDir = S_ISDIR(st.st_mode);
        isFile = S_ISREG(st.st_mode);
      }
    }
    bool wanted = (kind == ListKind::Files && isFile) || (kind == ListKind::Directories && isDir) ||
                  (kind == ListKind::Both && (isFile || isDir));
    if (wanted) names.push_back(std::move(name));
  }
  closedir(d);
  // std::string orders by unsigned byte value, which is the promised order.
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace os
