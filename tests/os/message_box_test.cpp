#include <gtest/gtest.h>

#include "platform/os/host.h"

TEST(MessageBox, AutomationPrintsAndAnswersAtOnce) {
  ASSERT_TRUE(os::IsAutomationMode());
  testing::internal::CaptureStderr();
  int ok = os::ShowMessageBox("Game Map", "Error opening game map.", os::MsgIcon::Error);
  int yes = os::ShowMessageBox("Q", "Sure?", os::MsgIcon::Question, os::MsgButtons::YesNo);
  int okc = os::ShowMessageBox("Caf\xE9", "x", os::MsgIcon::None, os::MsgButtons::OkCancel);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ok, os::kMsgOk);
  EXPECT_EQ(yes, os::kMsgYes);
  EXPECT_EQ(okc, os::kMsgOk);
  EXPECT_EQ(err, "Game Map: Error opening game map.\nQ: Sure?\nCaf\xC3\xA9: x\n");
}

TEST(MessageBox, HookCapturesBoxesUntilCleared) {
  std::vector<std::string> seen;
  os::SetMessageBoxHook([&](const std::string& c, const std::string& t, os::MsgIcon icon) {
    seen.push_back(c + "|" + t + "|" + std::to_string(int(icon)));
    return os::kMsgNo;
  });
  EXPECT_EQ(os::ShowMessageBox("CSprite::RestoreDeviceObjects()", "Failed", os::MsgIcon::Warning),
            os::kMsgNo);
  os::SetMessageBoxHook(nullptr);
  testing::internal::CaptureStderr();
  os::ShowMessageBox("after", "hook");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "after: hook\n");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "CSprite::RestoreDeviceObjects()|Failed|" + std::to_string(int(os::MsgIcon::Warning)));
}

TEST(OpenUrl, OnlyWebLinksWithoutControlCharacters) {
  for (const char* good : {"http://example.org", "https://example.org/a?b=c#d", "HTTPS://EXAMPLE.ORG/"}) {
    EXPECT_TRUE(os::IsOpenableUrl(good)) << good;
  }
  for (const char* bad : {"", "http://", "https://", "file:///etc/passwd", "javascript:alert(1)",
                          "ftp://x.org", " http://x.org", "http://x.org/\n--flag", "https://x.org/\x7F",
                          "https://x.org/a b", "httpx://x.org", "mailto:a@b.c"}) {
    EXPECT_FALSE(os::IsOpenableUrl(bad)) << bad;
  }
  std::vector<std::string> opened;
  os::SetUrlHook([&](const std::string& u) {
    opened.push_back(u);
    return true;
  });
  EXPECT_TRUE(os::OpenUrl("https://example.org/portal"));
  EXPECT_FALSE(os::OpenUrl("file:///bin/sh"));
  EXPECT_FALSE(os::OpenUrl("https://x.org/\r\nX"));
  os::SetUrlHook(nullptr);
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/portal"});
  // Automation: printed, never handed to a browser.
  testing::internal::CaptureStderr();
  EXPECT_TRUE(os::OpenUrl("https://example.org/"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "OpenUrl: https://example.org/\n");
}
