// The focused edit control: the one object that receives typed characters and editing keys.
#pragma once

// What an edit control implements to take keys: codes 0..255 are Windows-1252 characters (8 is
// Backspace), -1 Left, -2 Right, -3 Delete.
class CEditKeyTarget {
 public:
  virtual void OnKey(int code) = 0;

 protected:
  ~CEditKeyTarget() = default;
};

// Makes the control the focused one (null clears the focus); the window takes typed text only
// while some control has the focus.
void SetFocusedEditControl(CEditKeyTarget* control);
CEditKeyTarget* GetFocusedEditControl();
// Clears the focus only when it is this control: a control being destroyed must not take the focus
// away from a newer one. Edit controls call it from their destructors.
void ReleaseEditFocus(CEditKeyTarget* control);
