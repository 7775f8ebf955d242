#include "app/dialog_services.h"

#include "app/gamma.h"
#include "app/shell.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "ui/dialog_host.h"

namespace {

constexpr intptr_t kChoiceFullScreen = 1;
constexpr intptr_t kChoiceWindowed = 3;

class ShellDialogHost final : public DialogHost {
 public:
  void StartTransition(int classId) override { ::StartTransition(classId, nullptr); }
  float GetGamma() override { return ::GetGamma(); }
  // Our gamma is applied in the final pass, so it takes effect in a window as well.
  void SetGamma(float gamma) override { ::SetGamma(gamma); }
  bool IsWindowed() override { return SendAppMessage(kMsgQueryResolution) == kChoiceWindowed; }
  // Queued: the device is rebuilt between frames, never under the options' feet.
  void RequestFullScreen(bool fullScreen) override {
    PostAppMessage(kMsgChangeResolution, fullScreen ? kChoiceFullScreen : kChoiceWindowed);
  }
  void RequestQuit() override { PostAppMessage(kMsgSaveAndQuit); }
  void SetWindowTitle(const std::string& title) override {
    if (os::Window* window = GetAppWindow()) window->SetTitle(title);
  }
  bool IsCheatMode() override { return ::IsCheatMode(); }
};

ShellDialogHost g_host;

}  // namespace

void InstallDialogServices(bool install) {
  SetDialogHost(install ? &g_host : nullptr);
}
