// The game's command line: what a player types ("/Cheat", --windowed, --data) and the automation
// options that let tests and scripts drive the real binary.
#pragma once

#include <string>

struct LaunchOptions {
  bool help = false;
  bool cheat = false;     // "/Cheat"
  bool headless = false;  // null devices, no window
  bool windowed = false;  // start in a window whatever the saved choice
  std::string dataDir;
  double fixedDt = 0;  // > 0: the clock advances by exactly this per frame
  long frames = -1;    // >= 0: quit through the normal path after this many frames
  std::string scriptFile;
  std::string screenshotFile;
  std::string dumpTreeFile;

  // Any option that means nobody is watching: message boxes go to stderr, no pacing.
  bool Automation() const {
    return headless || fixedDt > 0 || frames >= 0 || !scriptFile.empty() || !screenshotFile.empty() ||
           !dumpTreeFile.empty();
  }
};

// False with a message in error for an unknown option or a bad value.
bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions& out, std::string& error);
std::string UsageText();
