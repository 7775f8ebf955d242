#include "flow/loading_screen.h"

#include <gtest/gtest.h>

#include "core/loading_progress.h"
#include "core/settings.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "flow/event_pump.h"
#include "flow/flow_fixture.h"
#include "platform/os/host.h"
#include "support/test_env.h"

using flowtest::FlowTest;

namespace {
unsigned g_fakeMs = 0;
unsigned FakeNow() {
  return g_fakeMs;
}
void FakeSleep(int ms) {
  g_fakeMs += unsigned(ms);
}

// A Textures.pak whose maker logo is a real JPEG (one of the decoder's fuzz seeds).
void UseTexturesWithLogo() {
  std::vector<uint8_t> jpeg, archive;
  ASSERT_TRUE(os::ReadFile(testenv::SourceDir() + "/fuzz/corpus/image_jpeg/baseline_rgb.jpg", jpeg));
  pak::BuildArchive({{"LoadingScreen\\Brannock.jpg", jpeg}}, 3, archive);
  const std::string root = testenv::MakeTempDir("logo");
  os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
  ResetPaksForTest();
  os::SetDataRoot(root);
}
}  // namespace

TEST_F(FlowTest, LoadingScreenClampsItsBarAndStoresTheFirstStartsSteps) {
  struct Case {
    int stored;
    int maximum;
  } cases[] = {{0, kDefaultMaxProgress}, {-4, kDefaultMaxProgress}, {3, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SetSettingInt("LoadingScreen", "MaxProgress", c.stored);
    SetFirstStart(false);
    CreateLoadingScreen();
    CLoadingScreen* screen = GetLoadingScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(os::host().InputEnabled());
    EXPECT_EQ(screen->Maximum(), c.maximum);
    for (int i = 0; i < 5; ++i) LoadingProgressStep();
    EXPECT_EQ(screen->Progress(), std::min(5, c.maximum));
    EXPECT_LE(screen->RevealFraction(), 0.854f + 1e-6f);
    delete screen;
    EXPECT_TRUE(os::host().InputEnabled());
    EXPECT_EQ(GetSettingInt("LoadingScreen", "MaxProgress", -1), c.stored) << "only the first start stores";
  }
  SetFirstStart(true);
  CreateLoadingScreen();
  for (int i = 0; i < 9; ++i) LoadingProgressStep();
  CreateLoadingScreen();  // a second one replaces the first
  EXPECT_EQ(CountObjects(), 1);
  EXPECT_EQ(GetSettingInt("LoadingScreen", "MaxProgress", -1), 9);
  EXPECT_FALSE(IsFirstStart());
  EXPECT_FALSE(os::host().InputEnabled());
  // The frame loop's fade: half-way at 0.25 s, gone after 0.5 s.
  RunAt(1.0f);
  UpdateLoadingScreenFade();
  RunAt(1.25f);
  UpdateLoadingScreenFade();
  EXPECT_NE(GetLoadingScreen(), nullptr);
  RunAt(1.5f);
  UpdateLoadingScreenFade();
  EXPECT_EQ(GetLoadingScreen(), nullptr);
  EXPECT_TRUE(os::host().InputEnabled());
}

TEST_F(FlowTest, FirstStartLogoWaitFollowsTheWaitClockAndKeepsPostedMessages) {
  SetWaitClock({&FakeNow, &FakeSleep});
  for (bool withLogo : {false, true}) {
    SCOPED_TRACE(withLogo);
    if (withLogo) UseTexturesWithLogo();
    g_fakeMs = 0;
    const int presents = Rec()->PresentCount();
    os::host().PostAppMessage(0x8100, 0);
    SetFirstStart(true);
    CreateLoadingScreen();
    // Three seconds of logo, then a half-second fade drawn frame by frame.
    EXPECT_EQ(g_fakeMs, withLogo ? 3500u : 0u);
    EXPECT_GE(Rec()->PresentCount() - presents, withLogo ? 50 : 1);
    delete GetLoadingScreen();
    os::Event event;
    ASSERT_TRUE(os::host().PollEvent(event, false)) << "a message posted before the wait is still queued";
    EXPECT_EQ(event.type, os::Event::kAppMessage);
    EXPECT_FALSE(os::host().PollEvent(event, false));
  }
  SetWaitClock({});
}
