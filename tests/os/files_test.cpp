#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/os/host.h"
#include "support/test_env.h"

namespace fs = std::filesystem;

namespace {
std::string Slurp(const std::string& path) {
  std::string s;
  EXPECT_TRUE(os::ReadTextFile(path, s)) << path;
  return s;
}

void Spit(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Only the named files remain: a failed or finished write leaves no temporary behind.
std::vector<std::string> Entries(const std::string& dir) {
  return os::ListDirectory(dir, os::ListKind::Both);
}
}  // namespace

TEST(AtomicWrite, CreatesAndReplacesWithoutLeftovers) {
  std::string dir = testenv::MakeTempDir("aw");
  std::string path = os::JoinPath(dir, "f.txt");
  ASSERT_TRUE(os::WriteFileAtomic(path, "first"));
  EXPECT_EQ(Slurp(path), "first");
  ASSERT_TRUE(os::WriteFileAtomic(path, std::string("se\0cond", 7)));
  EXPECT_EQ(Slurp(path), std::string("se\0cond", 7));
  ASSERT_TRUE(os::WriteFileAtomic(path, ""));
  EXPECT_EQ(os::FileSize(path), 0);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"f.txt"});
}

TEST(AtomicWrite, FailuresLeaveTheOldFileWhole) {
  std::string dir = testenv::MakeTempDir("awfail");
  std::string path = os::JoinPath(dir, "keep.txt");
  Spit(path, "old contents");

  // A write that runs out of room half way (the file-size limit stands in for a full disk).
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  bool ok = os::WriteFileAtomic(path, std::string(100000, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Slurp(path), "old contents");
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"keep.txt"});

  // A folder that cannot be written (not enforced for root, who may write anywhere).
  if (geteuid() != 0) {
    chmod(dir.c_str(), 0555);
    EXPECT_FALSE(os::WriteFileAtomic(path, "new"));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(Slurp(path), "old contents");
  }

  // The target is a folder: the rename fails and the folder stays as it was.
  std::string sub = os::JoinPath(dir, "sub");
  ASSERT_TRUE(os::MakeDirectories(os::JoinPath(sub, "inner")));
  EXPECT_FALSE(os::WriteFileAtomic(sub, "x"));
  EXPECT_TRUE(os::IsDirectory(os::JoinPath(sub, "inner")));

  // A folder that does not exist.
  EXPECT_FALSE(os::WriteFileAtomic(os::JoinPath(dir, "missing/f.txt"), "x"));
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"keep.txt", "sub"}));
}

TEST(Files, ReadLimitsAndKinds) {
  std::string dir = testenv::MakeTempDir("read");
  std::string path = os::JoinPath(dir, "data.bin");
  Spit(path, "0123456789");
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(os::ReadFile(path, bytes, 10));
  EXPECT_EQ(bytes.size(), 10u);
  EXPECT_FALSE(os::ReadFile(path, bytes, 9));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(os::ReadFile(dir, bytes));
  EXPECT_FALSE(os::ReadFile(os::JoinPath(dir, "none"), bytes));
  EXPECT_TRUE(os::FileExists(path));
  EXPECT_FALSE(os::FileExists(dir));
  EXPECT_TRUE(os::IsDirectory(dir));
  EXPECT_EQ(os::FileSize(path), 10);
  EXPECT_EQ(os::FileSize(dir), -1);

  EXPECT_TRUE(os::RenameFile(path, os::JoinPath(dir, "moved.bin")));
  EXPECT_FALSE(os::FileExists(path));
  EXPECT_TRUE(os::RemoveFile(os::JoinPath(dir, "moved.bin")));
  EXPECT_FALSE(os::RemoveFile(os::JoinPath(dir, "moved.bin")));
}

TEST(Files, ListingIsSortedByByteValueAndFiltered) {
  std::string dir = testenv::MakeTempDir("list");
  for (const char* name : {"b.xml", "B.xml", "a.xml", "\xE9t\xE9.xml", "_x.xml", "10", "9"}) {
    Spit(os::JoinPath(dir, name), "");
  }
  ASSERT_TRUE(os::MakeDirectories(os::JoinPath(dir, "Sub/Deeper/Deepest")));
  fs::create_symlink(os::JoinPath(dir, "Sub"), os::JoinPath(dir, "LinkToSub"));

  EXPECT_EQ(os::ListDirectory(dir),
            (std::vector<std::string>{"10", "9", "B.xml", "_x.xml", "a.xml", "b.xml", "\xE9t\xE9.xml"}));
  EXPECT_EQ(os::ListDirectory(dir, os::ListKind::Directories),
            (std::vector<std::string>{"LinkToSub", "Sub"}));
  EXPECT_EQ(os::ListDirectory(dir, os::ListKind::Both).size(), 9u);
  EXPECT_TRUE(os::ListDirectory(os::JoinPath(dir, "absent")).empty());
}

TEST(Paths, FollowTheXdgVariables) {
  std::string savedConfig = std::getenv("XDG_CONFIG_HOME"), savedData = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::string savedHome = home ? home : "";

  setenv("XDG_CONFIG_HOME", "/tmp/cfg/", 1);
  setenv("XDG_DATA_HOME", "/tmp/dat", 1);
  EXPECT_EQ(os::ConfigDir(), "/tmp/cfg/Brannock/Vardell");
  EXPECT_EQ(os::AppDataDir(), "/tmp/dat/Brannock/Vardell");
  // Relative or empty values do not count; the defaults under the home folder apply.
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  setenv("XDG_DATA_HOME", "", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(os::ConfigDir(), "/home/someone/.config/Brannock/Vardell");
  EXPECT_EQ(os::AppDataDir(), "/home/someone/.local/share/Brannock/Vardell");

  setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  setenv("XDG_DATA_HOME", savedData.c_str(), 1);
  if (home) setenv("HOME", savedHome.c_str(), 1);

  EXPECT_EQ(os::JoinPath("a", "b"), "a/b");
  EXPECT_EQ(os::JoinPath("a/", "/b"), "a/b");
  EXPECT_EQ(os::JoinPath("", "b"), "b");

  os::SetDataRoot("/srv/game///");
  EXPECT_EQ(os::DataRoot(), "/srv/game");
  os::SetDataRoot("");
  EXPECT_EQ(os::DataRoot(), os::ExecutableDir());
  EXPECT_TRUE(os::FileExists(os::JoinPath(os::ExecutableDir(), "test_os")));
}

TEST(Clock, CountsForwardAndSleeps) {
  EXPECT_EQ(os::CounterFrequency(), 1000000000);
  int64_t a = os::CounterNow();
  uint32_t ms = os::Milliseconds();
  os::SleepMs(20);
  EXPECT_GE(os::CounterNow() - a, 20 * 1000000);
  EXPECT_GE(os::Milliseconds() - ms, 19u);
  EXPECT_GT(os::CalendarTime(), 1600000000);
}
