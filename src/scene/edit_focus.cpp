#include "scene/edit_focus.h"

namespace {
CEditKeyTarget* g_focused = nullptr;
}

void SetFocusedEditControl(CEditKeyTarget* control) {
  g_focused = control;
}
CEditKeyTarget* GetFocusedEditControl() {
  return g_focused;
}

void ReleaseEditFocus(CEditKeyTarget* control) {
  if (g_focused == control) g_focused = nullptr;
}
