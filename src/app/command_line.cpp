#include "app/command_line.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

bool ParseLong(const std::string& s, long& out) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions& out, std::string& error) {
  out = LaunchOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    // --name=value is accepted as well as --name value.
    std::string value;
    bool inlineValue = false;
    if (arg.rfind("--", 0) == 0) {
      size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
        inlineValue = true;
      }
    }
    auto takeValue = [&](std::string& into) {
      if (inlineValue) {
        into = value;
      } else if (i + 1 < argc) {
        into = argv[++i];
      } else {
        error = arg + " needs a value";
        return false;
      }
      if (into.empty()) {
        error = arg + " needs a value";
        return false;
      }
      return true;
    };
    auto noValue = [&] {
      if (inlineValue) error = arg + " takes no value";
      return !inlineValue;
    };

    if (arg == "/Cheat") {
      out.cheat = true;
    } else if (arg == "--help" || arg == "-h") {
      if (!noValue()) return false;
      out.help = true;
    } else if (arg == "--headless") {
      if (!noValue()) return false;
      out.headless = true;
    } else if (arg == "--windowed") {
      if (!noValue()) return false;
      out.windowed = true;
    } else if (arg == "--data") {
      if (!takeValue(out.dataDir)) return false;
    } else if (arg == "--fixed-dt") {
      std::string v;
      if (!takeValue(v)) return false;
      char* end = nullptr;
      double dt = std::strtod(v.c_str(), &end);
      if (end != v.c_str() + v.size() || !std::isfinite(dt) || dt <= 0 || dt > 10) {
        error = "--fixed-dt needs seconds above 0 and at most 10";
        return false;
      }
      out.fixedDt = dt;
    } else if (arg == "--frames") {
      std::string v;
      if (!takeValue(v)) return false;
      long n = 0;
      if (!ParseLong(v, n) || n < 0) {
        error = "--frames needs a count of 0 or more";
        return false;
      }
      out.frames = n;
    } else if (arg == "--script") {
      if (!takeValue(out.scriptFile)) return false;
    } else if (arg == "--screenshot") {
      if (!takeValue(out.screenshotFile)) return false;
    } else if (arg == "--dump-tree") {
      if (!takeValue(out.dumpTreeFile)) return false;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

std::string UsageText() {
  return "Usage: vardell [options]\n"
         "\n"
         "  --windowed          start in a window (the choice is kept for the next start)\n"
         "  --data DIR          read Textures.pak, Sounds.pak, Database.pak and Music/ from DIR\n"
         "  /Cheat              developer cheat mode\n"
         "  --help              this text\n"
         "\n"
         "Automation (tests and scripts; message boxes go to standard error):\n"
         "  --headless          no window, no picture, no sound\n"
         "  --fixed-dt S        the clock advances by exactly S seconds per frame\n"
         "  --frames N          after N frames quit through the normal save-and-quit path\n"
         "  --script FILE       timed input, see docs/command-line.md\n"
         "  --screenshot FILE   the last frame as PNG at exit\n"
         "  --dump-tree FILE    JSON of every live game object at exit\n";
}
