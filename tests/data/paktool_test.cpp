// paktool as content authors run it: create, list, extract and verify.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "data/pakfile.h"
#include "data_fixtures.h"

namespace fs = std::filesystem;
using datatest::Bytes;

namespace {

struct ToolRun {
  int code;
  std::string out;
};

ToolRun Paktool(const std::string& args) {
  std::string cmd = testenv::BuildDir() + "/paktool " + args + " 2>&1";
  ToolRun r{-1, {}};
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class PaktoolTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(testenv::BuildDir() + "/paktool")) GTEST_SKIP() << "paktool not built";
    dir_ = testenv::MakeTempDir("paktool");
    src_ = dir_ + "/src";
    fs::create_directories(src_ + "/GUI/Sub");
    fs::create_directories(src_ + "/EmptyFolder");
    datatest::WriteBytes(src_ + "/GUI/CursorHand.png", Bytes("hand"));
    datatest::WriteBytes(src_ + "/GUI/Sub/Mixed.Case.XML", Bytes("<a/>"));
    datatest::WriteBytes(src_ + "/zero.bin", {});
    datatest::WriteBytes(src_ + "/b.txt", Bytes("b"));
  }
  std::string dir_, src_;
};

}  // namespace

TEST_F(PaktoolTest, CreateIsSortedDeterministicAndReadBackWhole) {
  ToolRun c = Paktool("create " + dir_ + "/a.pak " + src_ + " --seed 4294967295");
  ASSERT_EQ(c.code, 0) << c.out;
  ASSERT_EQ(Paktool("create " + dir_ + "/b.pak " + src_ + "/ --seed 0xFFFFFFFF").code, 0);
  EXPECT_EQ(datatest::ReadBytes(dir_ + "/a.pak"), datatest::ReadBytes(dir_ + "/b.pak"));

  ToolRun l = Paktool("list " + dir_ + "/a.pak");
  EXPECT_EQ(l.code, 0);
  EXPECT_EQ(l.out, "GUI\\CursorHand.png\nGUI\\Sub\\Mixed.Case.XML\nb.txt\nzero.bin\n");

  CPakfile pak(dir_ + "/a.pak", false);
  EXPECT_EQ(pak.Seed(), 4294967295u);
  EXPECT_EQ(*pak.ReadMember("gui\\sub\\mixed.case.xml"), Bytes("<a/>"));

  ASSERT_EQ(Paktool("extract " + dir_ + "/a.pak " + dir_ + "/out").code, 0);
  EXPECT_EQ(datatest::ReadBytes(dir_ + "/out/GUI/Sub/Mixed.Case.XML"), Bytes("<a/>"));
  EXPECT_TRUE(fs::exists(dir_ + "/out/zero.bin"));
  EXPECT_EQ(fs::file_size(dir_ + "/out/zero.bin"), 0u);

  ToolRun v = Paktool("verify " + dir_ + "/a.pak");
  EXPECT_EQ(v.code, 0) << v.out;
}

TEST_F(PaktoolTest, FileListLimitsTheMembers) {
  datatest::WriteBytes(dir_ + "/list", Bytes(src_ + "/b.txt\nGUI/CursorHand.png\n\n"));
  ASSERT_EQ(Paktool("create " + dir_ + "/l.pak " + src_ + " --files " + dir_ + "/list").code, 0);
  EXPECT_EQ(Paktool("list " + dir_ + "/l.pak").out, "GUI\\CursorHand.png\nb.txt\n");
  datatest::WriteBytes(dir_ + "/list", Bytes(dir_ + "/list\n"));
  EXPECT_EQ(Paktool("create " + dir_ + "/l.pak " + src_ + " --files " + dir_ + "/list").code, 1);
}

TEST_F(PaktoolTest, ArchiveInsideItsOwnFolderLeavesItselfOut) {
  for (int i = 0; i < 2; ++i) ASSERT_EQ(Paktool("create " + src_ + "/self.pak " + src_).code, 0);
  EXPECT_EQ(Paktool("list " + src_ + "/self.pak").out,
            "GUI\\CursorHand.png\nGUI\\Sub\\Mixed.Case.XML\nb.txt\nzero.bin\n");
}

TEST_F(PaktoolTest, BadInputAndDamageAreReported) {
  EXPECT_EQ(Paktool("create " + dir_ + "/x.pak " + src_ + " --seed -1").code, 2);
  EXPECT_EQ(Paktool("create " + dir_ + "/x.pak " + src_ + " --seed 4294967296").code, 2);
  EXPECT_EQ(Paktool("frobnicate").code, 2);
  ToolRun help = Paktool("verify --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("usage: paktool verify"), std::string::npos);

  fs::create_directories(src_ + "/gui");
  datatest::WriteBytes(src_ + "/gui/cursorhand.png", Bytes("clash"));
  ToolRun clash = Paktool("create " + dir_ + "/x.pak " + src_);
  EXPECT_EQ(clash.code, 1);
  EXPECT_FALSE(fs::exists(dir_ + "/x.pak"));
  fs::remove_all(src_ + "/gui");

  ASSERT_EQ(Paktool("create " + dir_ + "/a.pak " + src_).code, 0);
  std::vector<uint8_t> bytes = datatest::ReadBytes(dir_ + "/a.pak");
  datatest::PutLe32(bytes, 16, 0x7FFFFFFF);  // the first member's length
  datatest::WriteBytes(dir_ + "/bad.pak", bytes);
  ToolRun v = Paktool("verify " + dir_ + "/bad.pak");
  EXPECT_EQ(v.code, 1);
  EXPECT_NE(v.out.find("runs past the end"), std::string::npos) << v.out;

  bytes.resize(30);
  datatest::WriteBytes(dir_ + "/cut.pak", bytes);
  EXPECT_EQ(Paktool("verify " + dir_ + "/cut.pak").code, 1);
  EXPECT_EQ(Paktool("verify " + dir_ + "/missing.pak").code, 1);
}

TEST_F(PaktoolTest, ExtractRefusesNamesThatLeaveTheFolder) {
  auto bytes = datatest::HandMadeArchive({{"..\\..\\evil.txt", Bytes("x")}, {"ok\\fine.txt", Bytes("y")}}, 1);
  datatest::WriteBytes(dir_ + "/evil.pak", bytes);
  ToolRun e = Paktool("extract " + dir_ + "/evil.pak " + dir_ + "/out/inner");
  EXPECT_EQ(e.code, 1);
  EXPECT_FALSE(fs::exists(dir_ + "/evil.txt"));
  EXPECT_FALSE(fs::exists(dir_ + "/out/evil.txt"));
  EXPECT_EQ(datatest::ReadBytes(dir_ + "/out/inner/ok/fine.txt"), Bytes("y"));
}
