#include "app/automation_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/shell.h"
#include "app/tree_dump.h"
#include "core/frame_timer.h"
#include "core/random.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "scene/game_object.h"

namespace {

constexpr int64_t kFixedFrequency = 1000000;  // microsecond ticks
int64_t g_fixedNow = 0;
int64_t FixedCounter() {
  return g_fixedNow;
}

}  // namespace

AutomationRun::AutomationRun(const LaunchOptions& options, std::vector<ScriptCommand> script)
    : options_(options), script_(std::move(script)) {
  hasScript_ = !script_.Finished();
}

AutomationRun::~AutomationRun() {
  if (step_ > 0) FrameTimer::SetCounterForTests(nullptr, 0);
}

void AutomationRun::InstallClock() {
  if (options_.fixedDt <= 0) return;
  step_ = std::max<int64_t>(1, std::llround(options_.fixedDt * double(kFixedFrequency)));
  g_fixedNow = 0;
  FrameTimer::SetCounterForTests(&FixedCounter, kFixedFrequency);
}

void AutomationRun::BeforeFrame() {
  if (step_ > 0) g_fixedNow += step_;
  if (options_.frames == 0) RequestQuit();
}

void AutomationRun::OnFrame(uint32_t frameIndex, float time) {
  if (hasScript_) script_.BeforeFrame(frameIndex, time, *this);
}

void AutomationRun::AfterFrame(bool drew) {
  ++attempts_;
  if (drew) ++framesRun_;
  if (options_.frames >= 0) {
    // A clock that never runs again would skip every frame; the budget still ends the run.
    if (framesRun_ >= options_.frames || attempts_ >= options_.frames * 20 + 1000) RequestQuit();
  }
}

void AutomationRun::RequestQuit() {
  if (quitRequested_) return;
  quitRequested_ = true;
  PostAppMessage(kMsgSaveAndQuit, 0);
}

bool AutomationRun::AtExit() {
  bool ok = true;
  if (!options_.screenshotFile.empty()) ok = SaveScreenshot(options_.screenshotFile) && ok;
  if (!options_.dumpTreeFile.empty() && !WriteTreeDump(options_.dumpTreeFile)) {
    std::fprintf(stderr, "vardell: could not write %s\n", options_.dumpTreeFile.c_str());
    ok = false;
  }
  if (!ok) failed_ = true;
  return ok && !failed_;
}

void AutomationRun::ScriptPointer(int x, int y, bool ref) {
  if (ref) {
    // The 1024 x 768 reference frame onto the back buffer.
    x = int(std::lround(double(x) * GetClientWidth() / 1024.0));
    y = int(std::lround(double(y) * GetClientHeight() / 768.0));
  }
  os::host().InjectPointer(x, y);
}

void AutomationRun::ScriptButton(bool right, bool down) {
  os::host().InjectButton(right, down);
}
void AutomationRun::ScriptKey(int vk, bool down) {
  os::host().InjectKey(vk, down);
}
void AutomationRun::ScriptText(const std::string& text) {
  os::host().InjectText(text);
}

void AutomationRun::ScriptScreenshot(const std::string& path) {
  if (!SaveScreenshot(path)) failed_ = true;
}

void AutomationRun::ScriptDump(const std::string& path) {
  if (!WriteTreeDump(path)) {
    std::fprintf(stderr, "vardell: could not write %s\n", path.c_str());
    failed_ = true;
  }
}

void AutomationRun::ScriptQuit() {
  RequestQuit();
}

void AutomationRun::ScriptPlayer(const std::string& name) {
  if (!SelectPlayer(name.c_str())) {
    std::fprintf(stderr, "vardell: script: \"%s\" is not a valid player name\n", name.c_str());
    failed_ = true;
  }
}

void AutomationRun::ScriptFlag(int flag, bool on) {
  if (!CurrentGameState()) {
    std::fprintf(stderr, "vardell: script: flag %d needs a player first\n", flag);
    failed_ = true;
    return;
  }
  if (on)
    SetFlag(flag);
  else
    ClearFlag(flag);
}

void AutomationRun::ScriptStage(int stage) {
  if (!CurrentGameState()) {
    std::fprintf(stderr, "vardell: script: stage %d needs a player first\n", stage);
    failed_ = true;
    return;
  }
  SetStage(stage);
}

void AutomationRun::ScriptSeed(int seed) {
  SeedRandom(uint32_t(seed));
}

void AutomationRun::ScriptGoto(int classId, const char* argument) {
  StartTransition(classId, argument);
}

bool SaveScreenshot(const std::string& path) {
  gfx::Device* device = GetDevice();
  gfx::Image image;
  if (!device || !device->ReadBackBuffer(image) || image.width <= 0 || image.height <= 0) {
    std::fprintf(stderr, "vardell: no picture to save as %s (a headless run draws nothing)\n", path.c_str());
    return false;
  }
  if (!gfx::SavePng(path, image)) {
    std::fprintf(stderr, "vardell: could not write %s\n", path.c_str());
    return false;
  }
  return true;
}
