// Process entry: the command line, the host and device choice, then the application's life.
#include <cstdio>
#include <memory>
#include <string>

#include "app/automation_run.h"
#include "app/automation_script.h"
#include "app/command_line.h"
#include "app/shell.h"
#include "app/tolvek.h"
#include "audio/sound_effects.h"
#include "platform/gfx/device.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"

namespace {

gfx::HRESULT CreateHeadlessDevice(os::Window*, int width, int height, bool, gfx::Device** out) {
  gfx::HRESULT hr = gfx::CreateNullDevice(width, height, out);
  // A long unattended run must not keep a record of every draw.
  if (gfx::Succeeded(hr)) gfx::NullDevice::From(*out)->SetRecording(false);
  return hr;
}

gfx::HRESULT CreateWindowDevice(os::Window* window, int width, int height, bool windowed, gfx::Device** out) {
  if (!window) return gfx::E_FAIL;
  return gfx::CreateGLDevice(*window, width, height, windowed, out);
}

bool LoadScript(const std::string& path, std::vector<ScriptCommand>& out) {
  std::string text;
  if (!os::ReadTextFile(path, text)) {
    std::fprintf(stderr, "vardell: cannot read script %s\n", path.c_str());
    return false;
  }
  std::string error;
  if (!ParseScript(text, out, error)) {
    std::fprintf(stderr, "vardell: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int VardellMain(int argc, char** argv) {
  LaunchOptions options;
  std::string error;
  if (!ParseCommandLine(argc, argv, options, error)) {
    std::fprintf(stderr, "vardell: %s\n\n%s", error.c_str(), UsageText().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }

  std::vector<ScriptCommand> script;
  if (!options.scriptFile.empty() && !LoadScript(options.scriptFile, script)) return 2;

  if (options.Automation()) os::SetAutomationMode(true);
  if (!options.dataDir.empty()) {
    if (!os::IsDirectory(options.dataDir)) {
      std::fprintf(stderr, "vardell: --data %s is not a folder\n", options.dataDir.c_str());
      return 2;
    }
    os::SetDataRoot(options.dataDir);
  }

  if (options.headless) {
    os::SetHost(os::CreateHeadlessHost(1024, 768));
    SelectSoundBackend(SoundBackend::kNull);
  } else {
    std::unique_ptr<os::Host> sdl = os::CreateSdlHost();
    if (!sdl) {
      os::ShowMessageBox("Vardell", "The display cannot be opened (see the messages above).",
                         os::MsgIcon::Error);
      return 1;
    }
    os::SetHost(std::move(sdl));
  }

  int code = 0;
  {
    CTolvek app;
    app.SetDeviceFactory(options.headless ? CreateHeadlessDevice : CreateWindowDevice);
    if (options.windowed) app.RequestWindowed();
    if (options.Automation()) app.SetAutomation(std::make_unique<AutomationRun>(options, std::move(script)));
    if (gfx::Failed(app.Create())) {
      code = 1;
    } else {
      SetCheatMode(options.cheat);
      code = app.Run();
    }
  }
  os::SetHost(nullptr);
  return code;
}
