// An unattended run of the real game: a fixed clock step, a frame budget, a script of timed input,
// and the screenshot and object dump written at exit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/automation_script.h"
#include "app/command_line.h"

class AutomationRun : public ScriptSink {
 public:
  AutomationRun(const LaunchOptions& options, std::vector<ScriptCommand> script);
  ~AutomationRun() override;

  // With a fixed step the clock reads a counter that only the frame loop advances; installed
  // before the application clock exists.
  void InstallClock();
  // Before each frame attempt: one clock step.
  void BeforeFrame();
  // Inside the frame, before the input snapshot: the script's commands that are due.
  void OnFrame(uint32_t frameIndex, float time);
  // After each frame attempt: counts frames and asks to quit when the budget is spent.
  void AfterFrame(bool drew);
  // At the save-and-quit message, before anything is torn down. False when a file could not be
  // written (the run then ends with a failure code).
  bool AtExit();

  // ScriptSink
  void ScriptPointer(int x, int y, bool ref) override;
  void ScriptButton(bool right, bool down) override;
  void ScriptKey(int vk, bool down) override;
  void ScriptText(const std::string& text) override;
  void ScriptScreenshot(const std::string& path) override;
  void ScriptDump(const std::string& path) override;
  void ScriptQuit() override;
  void ScriptPlayer(const std::string& name) override;
  void ScriptFlag(int flag, bool on) override;
  void ScriptStage(int stage) override;
  void ScriptGoto(int classId, const char* argument) override;
  void ScriptSeed(int seed) override;

  bool Failed() const { return failed_; }

 private:
  void RequestQuit();

  LaunchOptions options_;
  ScriptRunner script_;
  bool hasScript_ = false;
  int64_t step_ = 0;  // fixed clock step in counter ticks
  long framesRun_ = 0;
  long attempts_ = 0;
  bool quitRequested_ = false;
  bool failed_ = false;
};

// The back buffer of the current device as PNG; false (with a message on stderr) when it fails.
bool SaveScreenshot(const std::string& path);
