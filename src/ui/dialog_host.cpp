#include "ui/dialog_host.h"

namespace {

class InertHost final : public DialogHost {
 public:
  void StartTransition(int) override {}
  float GetGamma() override { return gamma_; }
  void SetGamma(float gamma) override { gamma_ = gamma; }
  bool IsWindowed() override { return true; }
  void RequestFullScreen(bool) override {}

 private:
  float gamma_ = 1.0f;
};

InertHost g_inert;
DialogHost* g_host = nullptr;

}  // namespace

DialogHost& GetDialogHost() {
  return g_host ? *g_host : g_inert;
}

void SetDialogHost(DialogHost* host) {
  g_host = host;
}
