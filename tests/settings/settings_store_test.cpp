#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "platform/os/host.h"

namespace {
// Each test starts from no settings file at all, as on a first start.
class SettingsStore : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(os::ConfigDir());
    path_ = SettingsFilePath();
  }
  void WriteRaw(const std::string& text) {
    os::MakeDirectories(os::ConfigDir());
    std::ofstream(path_, std::ios::binary) << text;
  }
  std::string ReadRaw() {
    std::string s;
    os::ReadTextFile(path_, s);
    return s;
  }
  std::string path_;
};
}  // namespace

TEST_F(SettingsStore, FirstStartReadsEveryDefault) {
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 1);
  EXPECT_EQ(GetSettingInt("Window", "Left", 0), 0);
  EXPECT_EQ(GetSettingInt("Window", "Right", 800), 800);
  EXPECT_EQ(GetSettingInt("Window", "Bottom", 600), 600);
  EXPECT_EQ(GetSettingInt("LoadingScreen", "MaxProgress", 165), 165);
  EXPECT_EQ(GetSettingFloat("Window", "Gamma", 1.0f), 1.0f);
  EXPECT_EQ(GetSettingFloat("Sound", "Music volume", 0.65f), 0.65f);
  EXPECT_EQ(GetSettingFloat("Sound", "SFX volume", 1.0f), 1.0f);
  EXPECT_EQ(GetSettingFloat("Sound", "Ambient volume", 0.45f), 0.45f);
  char name[16];
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", name, sizeof name), 1);
  EXPECT_STREQ(name, "*");
  EXPECT_FALSE(os::FileExists(path_));  // reading never creates anything
}

TEST_F(SettingsStore, ValuesRoundTripInTheDocumentedFormat) {
  EXPECT_EQ(SetSettingInt("Window", "Resolution", 3), 1);
  EXPECT_EQ(SetSettingInt("Window", "Left", -8), 1);
  EXPECT_EQ(SetSettingFloat("Sound", "Music volume", 0.5f), 1);
  EXPECT_EQ(SetSettingFloat("Window", "Gamma", 1.25f), 1);
  EXPECT_EQ(SetSettingString("Players", "Recent Player", "Ann \"Q\" \xC9lise"), 1);
  EXPECT_EQ(ReadRaw(),
            "[Window]\nResolution=dword:3\nLeft=dword:-8\nGamma=\"1.25\"\n\n"
            "[Sound]\nMusic volume=\"0.5\"\n\n"
            "[Players]\nRecent Player=\"Ann \\\"Q\\\" \\xC9lise\"\n");
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 3);
  EXPECT_EQ(GetSettingInt("window", "LEFT", 0), -8);  // names ignore case, as the registry's do
  EXPECT_EQ(GetSettingFloat("Sound", "Music volume", 0.65f), 0.5f);
  EXPECT_EQ(GetSettingFloat("Window", "Gamma", 1.0f), 1.25f);
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", 16), "Ann \"Q\" \xC9lise");
  EXPECT_EQ(SetSettingInt("Window", "Resolution", 0), 1);  // replaced in place
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 0);
  EXPECT_EQ(GetSettingFloat("Window", "Gamma", 1.0f), 1.25f);
  // "%g" keeps six significant digits.
  SetSettingFloat("Sound", "SFX volume", 0.123456789f);
  EXPECT_EQ(GetSettingString("Sound", "SFX volume", "", 50), "0.123457");
  SetSettingFloat("Sound", "SFX volume", 1e-7f);
  EXPECT_EQ(GetSettingString("Sound", "SFX volume", "", 50), "1e-07");
}

TEST_F(SettingsStore, WrongTypesAndBadTextsReadTheDefault) {
  SetSettingString("Window", "Resolution", "2");
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 1);
  SetSettingInt("Players", "Recent Player", 5);
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", 16), "*");
  SetSettingInt("Window", "Gamma", 2);
  EXPECT_EQ(GetSettingFloat("Window", "Gamma", 1.0f), 1.0f);
  for (const char* bad : {"", "loud", "0.5x", "nan", "inf", "1e999", "0x10"}) {
    SetSettingString("Sound", "Music volume", bad);
    EXPECT_EQ(GetSettingFloat("Sound", "Music volume", 0.65f), 0.65f) << bad;
  }
  SetSettingString("Sound", "Music volume", " 0.25 ");
  EXPECT_EQ(GetSettingFloat("Sound", "Music volume", 0.65f), 0.25f);
}

TEST_F(SettingsStore, RecentPlayerMustFitSixteenBytes) {
  SetSettingString("Players", "Recent Player", "Fifteen_Chars__");
  char buf[16];
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", buf, sizeof buf), 15);
  EXPECT_STREQ(buf, "Fifteen_Chars__");
  SetSettingString("Players", "Recent Player", "Sixteen_Chars___");
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "*");
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", 16), "*");
  // A default longer than the buffer is cut, never overrun.
  char tiny[4];
  EXPECT_EQ(GetSettingString("Players", "Missing", "abcdefgh", tiny, sizeof tiny), 3);
  EXPECT_STREQ(tiny, "abc");
  EXPECT_EQ(GetSettingString("Players", "Missing", "abc", tiny, 0), 0);
  // A stored zero byte ends the text, as it would for any C string.
  WriteRaw("[Players]\nRecent Player=\"Bob\\x00Evil\"\n");
  EXPECT_EQ(GetSettingString("Players", "Recent Player", "*", 16), "Bob");
}

TEST_F(SettingsStore, DamagedFilesReadAsDefaultsAndHealOnWrite) {
  WriteRaw(std::string("\x00\xFF\xFE garbage [[[ =\n", 17));
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 1);
  // One damaged line costs only itself.
  WriteRaw(
      "[Window]\r\nResolution=dword:2\r\nLeft=dword:99999999999\r\nTop=dword:\r\nGamma=\"1.5\r\n"
      "[Broken\nRight=dword:7\n[Sound]\nSFX volume=\"0.25\"\nOdd=hex:01,02\n");
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 2);
  EXPECT_EQ(GetSettingInt("Window", "Left", 0), 0);
  EXPECT_EQ(GetSettingInt("Window", "Top", 0), 0);
  EXPECT_EQ(GetSettingFloat("Window", "Gamma", 1.0f), 1.0f);
  EXPECT_EQ(GetSettingInt("Window", "Right", 800), 800);  // under the damaged header, not [Window]
  EXPECT_EQ(GetSettingFloat("Sound", "SFX volume", 1.0f), 0.25f);
  EXPECT_EQ(GetSettingInt("Sound", "Odd", 4), 4);

  // A write keeps every readable value and values of types it does not know.
  EXPECT_EQ(SetSettingInt("LoadingScreen", "MaxProgress", 170), 1);
  EXPECT_EQ(ReadRaw(),
            "[Window]\nResolution=dword:2\n\n[Sound]\nSFX volume=\"0.25\"\nOdd=hex:01,02\n\n"
            "[LoadingScreen]\nMaxProgress=dword:170\n");

  // A huge file is not settings: defaults, and the next write replaces it.
  WriteRaw(std::string(3 << 20, '#'));
  EXPECT_EQ(GetSettingInt("LoadingScreen", "MaxProgress", 165), 165);
  EXPECT_EQ(SetSettingInt("LoadingScreen", "MaxProgress", 160), 1);
  EXPECT_EQ(os::FileSize(path_), int64_t(ReadRaw().size()));
  EXPECT_EQ(GetSettingInt("LoadingScreen", "MaxProgress", 165), 160);
}

TEST_F(SettingsStore, FailedWritesReportZeroAndChangeNothing) {
  // A folder where the file should be: unreadable, so nothing may replace it.
  os::MakeDirectories(path_);
  EXPECT_EQ(SetSettingInt("Window", "Resolution", 3), 0);
  EXPECT_TRUE(os::IsDirectory(path_));
  EXPECT_EQ(GetSettingInt("Window", "Resolution", 1), 1);
  std::filesystem::remove_all(path_);

  // Names the file cannot hold, and missing arguments.
  EXPECT_EQ(SetSettingInt("Win]dow", "Resolution", 3), 0);
  EXPECT_EQ(SetSettingInt("Window", "A=B", 3), 0);
  EXPECT_EQ(SetSettingInt("Window", "", 3), 0);
  EXPECT_EQ(SetSettingString("Window", "Line\nBreak", "x"), 0);
  EXPECT_EQ(SetSettingString("Window", "Title", nullptr), 0);
  EXPECT_EQ(SetSettingInt(nullptr, "Resolution", 3), 0);
  EXPECT_EQ(GetSettingInt(nullptr, nullptr, 9), 9);
  EXPECT_FALSE(os::FileExists(path_));
}
