#include "scene/edit_focus.h"

#include "platform/os/host.h"

namespace {
CEditKeyTarget* g_focused = nullptr;

// The system delivers typed text only while a control can take it.
void ApplyTextInput() {
  if (os::HasHost()) os::host().SetTextInput(g_focused != nullptr);
}
}  // namespace

void SetFocusedEditControl(CEditKeyTarget* control) {
  g_focused = control;
  ApplyTextInput();
}
CEditKeyTarget* GetFocusedEditControl() {
  return g_focused;
}

void ReleaseEditFocus(CEditKeyTarget* control) {
  if (g_focused != control) return;
  g_focused = nullptr;
  ApplyTextInput();
}
