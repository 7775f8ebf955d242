// The application shell on the headless host and the recording device: start-up choices, the
// private messages, closing, focus and pause bookkeeping, and the frame loop's skip rule.
#include <gtest/gtest.h>

#include <memory>

#include "app/gamma.h"
#include "app/shell.h"
#include "app/tolvek.h"
#include "audio/sound_effects.h"
#include "core/frame_timer.h"
#include "core/settings.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "scene/game_object.h"
#include "ui/checkbox.h"
#include "ui/dialog_host.h"
#include "ui/options_dialog.h"

namespace {

int64_t g_now = 0;
int64_t FakeCounter() {
  return g_now;
}

struct Box {
  std::string caption, text;
  os::MsgIcon icon;
};
std::vector<Box> g_boxes;

gfx::HRESULT NullFactory(os::Window*, int w, int h, bool, gfx::Device** out) {
  return gfx::CreateNullDevice(w, h, out);
}

// The headless host with a desktop that cannot hold a window.
class NoWindowHost : public os::Host {
 public:
  NoWindowHost() : inner_(os::CreateHeadlessHost()) {}
  os::DisplayInfo Display() override {
    os::DisplayInfo d = inner_->Display();
    d.canWindow = false;
    return d;
  }
  os::Window* CreateWindow(const os::WindowParams& p) override { return inner_->CreateWindow(p); }
  void DestroyWindow() override { inner_->DestroyWindow(); }
  os::Window* GetWindow() override { return inner_->GetWindow(); }
  bool PollEvent(os::Event& ev, bool wait, int timeoutMs) override {
    return inner_->PollEvent(ev, wait, timeoutMs);
  }
  void PostAppMessage(uint32_t m, intptr_t w) override { inner_->PostAppMessage(m, w); }
  os::InputSnapshot Input() override { return inner_->Input(); }
  void DisableInput() override { inner_->DisableInput(); }
  void EnableInput() override { inner_->EnableInput(); }
  bool InputEnabled() const override { return inner_->InputEnabled(); }
  void InjectPointer(int x, int y) override { inner_->InjectPointer(x, y); }
  void InjectButton(bool r, bool d) override { inner_->InjectButton(r, d); }
  void InjectKey(int vk, bool d) override { inner_->InjectKey(vk, d); }
  void InjectText(const std::string& t) override { inner_->InjectText(t); }

 private:
  std::unique_ptr<os::Host> inner_;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os::RemoveFile(SettingsFilePath());
    os::SetHost(os::CreateHeadlessHost(1024, 768));
    SelectSoundBackend(SoundBackend::kNull);
    g_boxes.clear();
    os::SetMessageBoxHook([](const std::string& c, const std::string& t, os::MsgIcon i) {
      g_boxes.push_back({c, t, i});
      return int(os::kMsgOk);
    });
    g_now = 1000000;
    FrameTimer::SetCounterForTests(&FakeCounter, 1000000);
  }
  void TearDown() override {
    if (app_ && !app_->QuitRequested()) app_->OnAppMessage(kMsgSaveAndQuit, 0);
    app_.reset();
    FrameTimer::SetCounterForTests(nullptr, 0);
    os::SetMessageBoxHook({});
    os::SetHost(os::CreateHeadlessHost());
  }

  CTolvek& Start() {
    app_ = std::make_unique<CTolvek>();
    app_->SetDeviceFactory(&NullFactory);
    EXPECT_EQ(app_->Create(), gfx::S_OK);
    return *app_;
  }
  // One pass of the loop with the clock moved on by dt seconds.
  void Frame(double dt = 0.02) {
    g_now += int64_t(dt * 1e6);
    app_->RunOnce();
  }
  gfx::NullDevice* Recorder() { return gfx::NullDevice::From(app_->Device()); }
  bool BoxWithCaption(const std::string& caption) const {
    for (const Box& b : g_boxes)
      if (b.caption == caption) return true;
    return false;
  }

  std::unique_ptr<CTolvek> app_;
};

// Posts a message from inside Update and notes what the shell looked like right after.
class Poster : public CGameObject {
 public:
  explicit Poster(uint32_t message, intptr_t wparam) : message_(message), wparam_(wparam) {}
  void Update() override {
    if (done) return;
    done = true;
    if (message_ == kMsgChangeResolution)
      SendAppMessage(message_, wparam_);  // even a send is only queued
    else
      PostAppMessage(message_, wparam_);
    deviceAfterPost = GetDevice();
    widthAfterPost = GetClientWidth();
  }
  bool done = false;
  gfx::Device* deviceAfterPost = nullptr;
  int widthAfterPost = 0;

 private:
  uint32_t message_;
  intptr_t wparam_;
};

}  // namespace

TEST_F(AppTest, FirstStartIsFullScreen1024AndRestoresTheDevice) {
  CTolvek& app = Start();
  EXPECT_FALSE(app.IsWindowed());
  EXPECT_EQ(app.BackBufferWidth(), 1024);
  EXPECT_EQ(app.BackBufferHeight(), 768);
  ASSERT_NE(app.Window(), nullptr);
  EXPECT_TRUE(app.Window()->IsFullscreen());
  EXPECT_EQ(GetAppWindow(), app.Window());
  EXPECT_TRUE(app.IsActive());
  EXPECT_TRUE(app.IsReady());
  EXPECT_EQ(GetDevice(), app.Device());
  EXPECT_EQ(GetClientWidth(), 1024);
  ASSERT_NE(ApplicationClock(), nullptr);

  uint32_t v = 0;
  app.Device()->GetRenderState(gfx::RS_ALPHAREF, &v);
  EXPECT_EQ(v, 8u);
  app.Device()->GetRenderState(gfx::RS_ALPHAFUNC, &v);
  EXPECT_EQ(v, uint32_t(gfx::CMP_GREATEREQUAL));
  app.Device()->GetRenderState(gfx::RS_AMBIENT, &v);
  EXPECT_EQ(v, 0xFFFFFFFFu);
  app.Device()->GetTextureStageState(1, gfx::TSS_ADDRESSV, &v);
  EXPECT_EQ(v, uint32_t(gfx::TADDRESS_WRAP));
  EXPECT_EQ(SendAppMessage(kMsgQueryResolution), 1);
}

TEST_F(AppTest, SavedChoicesPickTheModeAndTheWindowKeeps4By3) {
  SetSettingInt("Window", "Resolution", 0);
  {
    CTolvek& app = Start();
    EXPECT_EQ(app.BackBufferWidth(), 800);
    EXPECT_EQ(app.BackBufferHeight(), 600);
    EXPECT_EQ(app.OnAppMessage(kMsgQueryResolution, 0), 0);
    app.OnAppMessage(kMsgSaveAndQuit, 0);
  }
  SetSettingInt("Window", "Resolution", 3);
  SetSettingInt("Window", "Left", 10);
  SetSettingInt("Window", "Top", 20);
  SetSettingInt("Window", "Right", 1010);  // a 1000 x 600 client is cut to 800 x 600
  SetSettingInt("Window", "Bottom", 620);
  CTolvek& app = Start();
  EXPECT_TRUE(app.IsWindowed());
  EXPECT_EQ(app.BackBufferWidth(), 800);
  EXPECT_EQ(app.BackBufferHeight(), 600);
  EXPECT_EQ(app.Window()->OuterRect().left, 10);
  EXPECT_EQ(app.OnAppMessage(kMsgQueryResolution, 0), 3);
}

TEST_F(AppTest, WindowedChoiceOnADesktopThatCannotWindowFailsWithItsMessage) {
  SetSettingInt("Window", "Resolution", 3);
  os::SetHost(std::make_unique<NoWindowHost>());
  app_ = std::make_unique<CTolvek>();
  app_->SetDeviceFactory(&NullFactory);
  EXPECT_EQ(app_->Create(), int32_t(0x82000004u));
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].caption, "Vardell");
  EXPECT_EQ(g_boxes[0].icon, os::MsgIcon::Error);
  EXPECT_EQ(
      g_boxes[0].text,
      "This game cannot run in a desktop\nwindow with the current display settings.\nPlease change your "
      "desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.\n\nFenwhistle will now "
      "exit.");
  app_.reset();
}

TEST_F(AppTest, CloseBoxSavesExactlyLikeTheExitCommand) {
  auto runAndClose = [&](bool closeBox) {
    os::RemoveFile(SettingsFilePath());
    SetSettingInt("Window", "Resolution", 3);
    CTolvek& app = Start();
    app.Window()->SetOuterRect(os::Rect{40, 50, 840, 650});
    Frame();
    SetGamma(1.25f);  // as the options dialog would, after the first frame read the saved one
    if (closeBox) {
      os::Event close;
      close.type = os::Event::kClose;
      app.MsgProc(close);
    } else {
      app.OnCommand(kCmdExit);
    }
    EXPECT_FALSE(app.QuitRequested());  // queued, handled by the loop
    Frame();
    EXPECT_TRUE(app.QuitRequested());
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_EQ(GetAppWindow(), nullptr);
    EXPECT_EQ(GetDevice(), nullptr);
    EXPECT_EQ(CountObjects(), 0);
    EXPECT_EQ(ApplicationClock(), nullptr);
    std::string text;
    os::ReadTextFile(SettingsFilePath(), text);
    return text;
  };
  std::string viaClose = runAndClose(true);
  std::string viaExit = runAndClose(false);
  EXPECT_EQ(viaClose, viaExit);
  EXPECT_EQ(GetSettingInt("Window", "Resolution", -1), 3);
  EXPECT_EQ(GetSettingInt("Window", "Left", -1), 40);
  EXPECT_EQ(GetSettingInt("Window", "Bottom", -1), 650);
  EXPECT_FLOAT_EQ(GetSettingFloat("Window", "Gamma", 0), 1.25f);

  // The next start reads them back.
  CTolvek& next = Start();
  EXPECT_TRUE(next.IsWindowed());
  EXPECT_EQ(next.Window()->OuterRect().top, 50);
}

TEST_F(AppTest, ResolutionMessagesChangeTheDeviceBetweenFrames) {
  CTolvek& app = Start();
  Frame();
  auto* poster = new Poster(kMsgChangeResolution, 3);
  Frame();
  ASSERT_TRUE(poster->done);
  EXPECT_NE(poster->deviceAfterPost, nullptr);  // still the old device inside Update
  EXPECT_EQ(poster->widthAfterPost, 1024);
  EXPECT_FALSE(app.IsWindowed());
  Frame();  // the loop handles the message before this frame
  EXPECT_TRUE(app.IsWindowed());
  EXPECT_EQ(SendAppMessage(kMsgQueryResolution), 3);
  EXPECT_TRUE(app.ShowLoadingScreenOnRestore() == false);  // consumed by the restore
  EXPECT_FALSE(IsClockPaused());

  EXPECT_EQ(app.OnAppMessage(kMsgChangeResolution, 7), gfx::E_FAIL);
  EXPECT_EQ(app.OnAppMessage(kMsgChangeResolution, 2), gfx::S_OK);
  EXPECT_EQ(app.BackBufferWidth(), 1280);
  EXPECT_EQ(GetClientWidth(), 1280);
  EXPECT_EQ(SendAppMessage(kMsgQueryResolution), 2);
  EXPECT_FALSE(IsClockPaused());
  EXPECT_TRUE(g_boxes.empty() || !BoxWithCaption("Vardell"));
}

TEST_F(AppTest, AFrameWithZeroElapsedTimeIsSkipped) {
  CTolvek& app = Start();
  Frame();
  // The loading screen presents frames of its own while the first restore loads.
  int presents = Recorder()->PresentCount();
  EXPECT_GE(presents, 1);
  EXPECT_TRUE(app.FirstFrameDone());
  Frame(0.0);  // the counter did not move
  EXPECT_EQ(Recorder()->PresentCount(), presents);
  PauseClock();
  Frame();
  EXPECT_EQ(Recorder()->PresentCount(), presents);
  ResumeClock();
  Frame();
  EXPECT_EQ(Recorder()->PresentCount(), presents + 1);
  EXPECT_FLOAT_EQ(app.ElapsedTime(), 0.02f);  // the paused frame's time is not in it
}

TEST_F(AppTest, FocusChangesPauseOnlyOnTheirEdges) {
  CTolvek& app = Start();
  os::Event ev;
  ev.type = os::Event::kDeactivate;
  app.MsgProc(ev);
  app.MsgProc(ev);
  EXPECT_TRUE(IsClockPaused());
  ev.type = os::Event::kActivate;
  app.MsgProc(ev);
  EXPECT_FALSE(IsClockPaused());  // one activation undoes however many deactivations

  {
    ClockPauseGuard busy;  // someone else's pause survives a stray activation
    app.MsgProc(ev);
    EXPECT_TRUE(IsClockPaused());
  }
  EXPECT_FALSE(IsClockPaused());

  // Minimised and in the background: both must end before the clock runs again.
  ev.type = os::Event::kMinimize;
  app.MsgProc(ev);
  EXPECT_FALSE(app.IsActive());
  EXPECT_TRUE(IsClockPaused());
  ev.type = os::Event::kDeactivate;
  app.MsgProc(ev);
  ev.type = os::Event::kRestore;
  app.MsgProc(ev);
  EXPECT_TRUE(app.IsActive());
  EXPECT_TRUE(IsClockPaused());
  ev.type = os::Event::kActivate;
  app.MsgProc(ev);
  EXPECT_FALSE(IsClockPaused());
}

TEST_F(AppTest, PauseCountNeverGoesNegative) {
  CTolvek& app = Start();
  app.Pause(false);
  EXPECT_EQ(app.PauseCount(), 0);
  EXPECT_TRUE(app.IsReady());
  app.Pause(true);
  EXPECT_FALSE(app.IsReady());
  EXPECT_TRUE(IsClockPaused());
  app.Pause(true);
  app.Pause(false);
  EXPECT_TRUE(IsClockPaused());
  app.Pause(false);
  app.Pause(false);
  EXPECT_EQ(app.PauseCount(), 0);
  EXPECT_TRUE(app.IsReady());
  EXPECT_FALSE(IsClockPaused());
  app.Pause(true);  // a later pause still takes effect
  EXPECT_TRUE(IsClockPaused());
  app.Pause(false);
}

TEST_F(AppTest, FirstFrameAppliesTheSavedGamma) {
  SetSettingFloat("Window", "Gamma", 1.5f);
  CTolvek& app = Start();
  Frame();
  EXPECT_FLOAT_EQ(GetGamma(), 1.5f);
  gfx::GammaRamp ramp;
  app.Device()->GetGammaRamp(ramp);
  gfx::GammaRamp expected;
  BuildGammaRamp(1.5f, expected);
  EXPECT_EQ(ramp.red[128], expected.red[128]);
  app.OnAppMessage(kMsgSaveAndQuit, 0);
  EXPECT_FLOAT_EQ(GetSettingFloat("Window", "Gamma", 0), 1.5f);
  SetGamma(1.0f);
}

TEST_F(AppTest, RecentPlayerReadsWholeNamesOnly) {
  EXPECT_EQ(GetRecentPlayer(), "*");
  SetSettingString("Players", "Recent Player", "Fifteen_Chars_1");
  EXPECT_EQ(GetRecentPlayer(), "Fifteen_Chars_1");
  SetSettingString("Players", "Recent Player", "Sixteen_Chars_12");
  EXPECT_EQ(GetRecentPlayer(), "*");
}

TEST_F(AppTest, DialogsReachTheShellThroughTheirHost) {
  CTolvek& app = Start();
  Frame();
  DialogHost& host = GetDialogHost();
  COptionsDialog* options = OpenOptionsDialog(nullptr, nullptr);
  EXPECT_FALSE(host.IsWindowed());
  EXPECT_TRUE(options->GetCheckbox(kCmdFullScreen)->IsChecked());
  // The switch is queued and happens between frames; the open options follow the new mode.
  host.RequestFullScreen(false);
  EXPECT_FALSE(app.IsWindowed());
  Frame();
  Frame();
  EXPECT_TRUE(app.IsWindowed());
  EXPECT_TRUE(host.IsWindowed());
  EXPECT_FALSE(options->GetCheckbox(kCmdFullScreen)->IsChecked());
  host.RequestFullScreen(true);
  Frame();
  Frame();
  EXPECT_FALSE(app.IsWindowed());
  EXPECT_EQ(app.BackBufferWidth(), 1024);
  EXPECT_TRUE(options->GetCheckbox(kCmdFullScreen)->IsChecked());
  // Brightness goes to the final pass at once and is stored at exit.
  host.SetGamma(0.8f);
  EXPECT_FLOAT_EQ(GetGamma(), 0.8f);
  // Esc with a dialog open goes to the dialog, not the scene.
  os::Event esc{};
  esc.type = os::Event::kKeyDown;
  esc.key = 0x1B;
  app.MsgProc(esc);
  EXPECT_TRUE(options->IsClosing());
  app.OnAppMessage(kMsgSaveAndQuit, 0);
  EXPECT_FLOAT_EQ(GetSettingFloat("Window", "Gamma", 0), 0.8f);
  EXPECT_FALSE(IsDialogOpen());
}
