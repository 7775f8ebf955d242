// A world for the main menu tests: the demo's string table and fonts, the build's pictures, short
// button sounds, a small story map, an 800 x 600 null device, a recording dialog host, a private
// players folder emptied before each test, and frames driven the way the shell drives them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/main_menu.h"
#include "platform/gfx/null_device.h"
#include "platform/snd/null_device.h"
#include "ui/dialog_host.h"

namespace menutest {

class Host : public DialogHost {
 public:
  void StartTransition(int classId) override { transitions.push_back(classId); }
  float GetGamma() override { return 1.0f; }
  void SetGamma(float) override {}
  bool IsWindowed() override { return true; }
  void RequestFullScreen(bool) override {}
  void RequestQuit() override { ++quits; }
  void SetWindowTitle(const std::string& title) override { titles.push_back(title); }
  bool IsCheatMode() override { return cheat; }

  std::vector<int> transitions;
  std::vector<std::string> titles;
  int quits = 0;
  bool cheat = false;
};

class MenuTest : public testing::Test {
 protected:
  static constexpr int kW = 800, kH = 600;
  static constexpr float kFrame = 1.0f / 60.0f;

  void SetUp() override;
  void TearDown() override;

  // One frame with the pointer at (x, y) (parked in the corner by default).
  void Frame(int x = 1, int y = 1, bool down = false);
  void RunFor(float seconds);
  void Settle() { RunFor(0.6f); }
  void Click(CSprite* sprite);
  // The menu built by the factory, as the shell's first frame builds it.
  CMainEnvironment* BuildMenu();
  // A profile on disk with these attributes.
  void WriteProfile(const std::string& name, float cumulative, float best, int stage);
  // The shutter's target, "" without one ("43 Alpha_Start.xml", "5").
  std::string ShutterTarget();

  Host host;
  gfx::Device* device = nullptr;
  snd::NullDevice* sound = nullptr;
  std::vector<std::string> boxes;  // "caption: text" of every system message box
  float now = 0;
};

}  // namespace menutest
