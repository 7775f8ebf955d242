// The real application in automation mode: a script moves the pointer over a button-like object
// and the dumped tree shows the cursor's shape change.
#include <gtest/gtest.h>

#include <memory>

#include "app/automation_run.h"
#include "app/automation_script.h"
#include "app/command_line.h"
#include "app/tolvek.h"
#include "audio/sound_effects.h"
#include "core/settings.h"
#include "platform/gfx/device.h"
#include "platform/os/host.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "support/test_env.h"

namespace {

// Made before the application exists, so it takes its place when the device is restored (the
// client size is known only then). It sits above anything a scene may put up.
class HoverTarget : public CSprite {
 public:
  HoverTarget() { SetDepth(1e6f); }
  int RestoreDeviceObjects(gfx::Device* device) override {
    CSprite::RestoreDeviceObjects(device);
    if (GetClientHeight() > 0) SetScreenRect(ScreenRect(100, 100, 300, 160));
    return 0;
  }
  int GetCursorKind() override { return kCursorHand; }
  int HitTest() override {
    int x, y;
    GetPointerPosition(x, y);
    return ContainsPoint(float(x), float(y)) ? kHitHovered : kHitNone;
  }
};

gfx::HRESULT NullDeviceFactory(os::Window*, int w, int h, bool, gfx::Device** out) {
  return gfx::CreateNullDevice(w, h, out);
}

std::string Read(const std::string& path) {
  std::string s;
  os::ReadTextFile(path, s);
  return s;
}

TEST(AutomationCursor, ScriptOverAButtonShowsTheHandInTheDump) {
  const std::string dir = testenv::MakeTempDir("autocursor");
  const std::string before = os::JoinPath(dir, "before.json"), over = os::JoinPath(dir, "over.json");
  std::vector<ScriptCommand> script;
  std::string error;
  ASSERT_TRUE(ParseScript("frame 40\nmove 20 20\nframe 42\ndump " + before +
                              "\nmove 200 130\nframe 44\ndump " + over + "\nquit\n",
                          script, error))
      << error;
  LaunchOptions options;
  options.headless = true;
  options.fixedDt = 0.02;
  options.frames = 200;
  os::SetDataRoot(dir);  // no archives: the game goes on with what it has
  os::SetHost(os::CreateHeadlessHost(1024, 768));
  SelectSoundBackend(SoundBackend::kNull);
  // A returning player: a first start would put the name editor over everything, the target too.
  SetSettingString("Players", "Recent Player", "Tester");
  {
    new HoverTarget();
    CTolvek app;
    app.SetDeviceFactory(NullDeviceFactory);
    app.SetAutomation(std::make_unique<AutomationRun>(options, std::move(script)));
    ASSERT_FALSE(gfx::Failed(app.Create()));
    app.Run();
  }
  os::SetHost(nullptr);
  EXPECT_NE(Read(before).find("GUI\\\\CursorArrowAnim.png"), std::string::npos) << Read(before);
  EXPECT_NE(Read(over).find("GUI\\\\CursorHand.png"), std::string::npos) << Read(over);
}

}  // namespace
