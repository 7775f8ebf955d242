// Mode lists, the start-up choice, changes of choice and the 4:3 arithmetic.
#include "app/display_modes.h"

#include <gtest/gtest.h>

namespace {
const std::vector<DisplayMode> kAll = {{1280, 960}, {640, 480},  {800, 600},
                                       {1024, 768}, {1024, 768}, {320, 240}};
}

TEST(DisplayModes, RecordDropsTinyModesMergesDuplicatesAndSorts) {
  DeviceRecord r = BuildDeviceRecord(kAll, true);
  ASSERT_EQ(r.modes.size(), 4u);
  EXPECT_EQ(r.modes[0].width, 640);
  EXPECT_EQ(r.modes[3].width, 1280);
  EXPECT_EQ(r.mode800, 1);
  EXPECT_EQ(r.mode1024, 2);
  EXPECT_EQ(r.mode1280, 3);
  EXPECT_EQ(r.currentMode, r.mode1024);
  EXPECT_TRUE(r.canDoWindowed);
}

TEST(DisplayModes, StartupChoices) {
  std::vector<DeviceRecord> devs = {BuildDeviceRecord(kAll, true)};
  for (int choice : {0, 1, 2}) {
    ModeSelection s = ChooseStartupMode(devs, choice);
    ASSERT_EQ(s.result, gfx::S_OK);
    EXPECT_FALSE(s.windowed);
    int expected[] = {devs[0].mode800, devs[0].mode1024, devs[0].mode1280};
    EXPECT_EQ(s.mode, expected[choice]) << choice;
  }
  ModeSelection w = ChooseStartupMode(devs, 3);
  EXPECT_EQ(w.result, gfx::S_OK);
  EXPECT_TRUE(w.windowed);
  // A stored choice outside 0-3 behaves as the default 1024 x 768.
  EXPECT_EQ(ChooseStartupMode(devs, 17).mode, devs[0].mode1024);
}

TEST(DisplayModes, MissingSizesFallBackTo800x600ThenToAnyMode) {
  std::vector<DeviceRecord> devs = {BuildDeviceRecord({{800, 600}, {1600, 1200}}, false)};
  EXPECT_EQ(ChooseStartupMode(devs, 1).mode, devs[0].mode800);
  EXPECT_EQ(ChooseStartupMode(devs, 2).mode, devs[0].mode800);
  devs = {BuildDeviceRecord({{1600, 1200}}, false)};
  ModeSelection s = ChooseStartupMode(devs, 1);
  EXPECT_EQ(s.result, gfx::S_OK);
  EXPECT_EQ(s.mode, 0);
}

TEST(DisplayModes, WindowedNeedsAWindowableDevice) {
  std::vector<DeviceRecord> devs = {BuildDeviceRecord(kAll, false)};
  EXPECT_EQ(ChooseStartupMode(devs, 3).result, AppError::kNoWindowableDevices);
  devs.push_back(BuildDeviceRecord({}, true));  // a later device that can
  ModeSelection s = ChooseStartupMode(devs, 3);
  EXPECT_EQ(s.result, gfx::S_OK);
  EXPECT_EQ(s.device, 1);
  EXPECT_EQ(ChooseStartupMode({}, 1).result, AppError::kNoCompatibleDevices);
  EXPECT_EQ(ChooseStartupMode({BuildDeviceRecord({{320, 200}}, false)}, 1).result,
            AppError::kNoCompatibleDevices);
}

TEST(DisplayModes, ChangingTheChoiceRefusesWhatTheDeviceLacks) {
  DeviceRecord r = BuildDeviceRecord({{800, 600}, {1024, 768}}, false);
  EXPECT_EQ(ApplyResolutionChoice(r, 3), gfx::E_FAIL);
  EXPECT_EQ(ApplyResolutionChoice(r, 2), gfx::E_FAIL);
  EXPECT_EQ(ApplyResolutionChoice(r, 4), gfx::E_FAIL);
  EXPECT_EQ(ApplyResolutionChoice(r, -1), gfx::E_FAIL);
  EXPECT_EQ(r.currentMode, r.mode1024);
  EXPECT_EQ(ApplyResolutionChoice(r, 0), gfx::S_OK);
  EXPECT_EQ(r.currentMode, r.mode800);
  EXPECT_FALSE(r.windowed);
  r.canDoWindowed = true;
  EXPECT_EQ(ApplyResolutionChoice(r, 3), gfx::S_OK);
  EXPECT_TRUE(r.windowed);
}

TEST(DisplayModes, ReportedChoiceFollowsWindowAndWidth) {
  EXPECT_EQ(ResolutionChoiceFor(true, 1024), 3);
  EXPECT_EQ(ResolutionChoiceFor(false, 800), 0);
  EXPECT_EQ(ResolutionChoiceFor(false, 1023), 0);
  EXPECT_EQ(ResolutionChoiceFor(false, 1024), 1);
  EXPECT_EQ(ResolutionChoiceFor(false, 1025), 2);
  EXPECT_EQ(ResolutionChoiceFor(false, 1280), 2);
}

TEST(DisplayModes, ClientIsCutTo4By3WithIntegerArithmetic) {
  auto force = [](int w, int h) {
    ForceClientAspect(w, h);
    return std::make_pair(w, h);
  };
  EXPECT_EQ(force(1000, 600), std::make_pair(800, 600));  // too wide
  EXPECT_EQ(force(900, 1000), std::make_pair(900, 675));  // too tall
  EXPECT_EQ(force(800, 600), std::make_pair(800, 600));
  EXPECT_EQ(force(1001, 751), std::make_pair(1001, 750));  // 751 * 4 / 3 = 1001 is not less: cut height
  EXPECT_EQ(force(1002, 751), std::make_pair(1001, 751));
}
