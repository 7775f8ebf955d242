// Archives and a running world for the dialog tests: the demo's string table, the baked fonts,
// the interface pictures the build made (the dialog frame and night sky among them) and a scene
// background, short button sounds on the null sound device, a published device (null or GL), a
// recording dialog host, and frames driven the way the shell drives them.
#pragma once

#include <vector>

#include "platform/gfx/device.h"
#include "platform/snd/null_device.h"
#include "ui/dialog_host.h"

class CEnvironment;

namespace dialogstest {

inline constexpr const char* kSceneBackground = "Main\\Background.png";

// Writes the archives once per process and makes them the data root; false when the build has not
// baked the fonts yet.
bool UseDialogArchives();
// Whether the build's dialog pictures (frame and night sky) are in the archive.
bool HaveDialogArt();

// Remembers what the dialogs asked of the shell.
class RecordingHost : public DialogHost {
 public:
  void StartTransition(int classId) override { transitions.push_back(classId); }
  float GetGamma() override { return gamma; }
  void SetGamma(float g) override { gamma = g; }
  bool IsWindowed() override { return windowed; }
  void RequestFullScreen(bool fullScreen) override { fullScreenRequests.push_back(fullScreen); }

  std::vector<int> transitions;
  std::vector<bool> fullScreenRequests;
  float gamma = 1.0f;
  bool windowed = true;
};

class World {
 public:
  // Publishes device (not owned) with the client size, starts sound on a null sound device, loads
  // the string table and the shared button resources, installs the recording host.
  void Open(gfx::Device* device, int clientW, int clientH);
  // Destroys every object and shared resource; the device stays the caller's.
  void Close();

  // A plain scene showing the background picture.
  CEnvironment* MakeScene();
  // One frame at time t with the pointer at (x, y) and the left button as given.
  void Frame(float t, int x, int y, bool leftDown = false);
  float Now() const { return time_; }

  snd::NullDevice* sound = nullptr;
  RecordingHost host;

 private:
  float time_ = 0;
};

}  // namespace dialogstest
