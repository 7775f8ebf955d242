#include "ui/control_hover.h"

#include "scene/input.h"

bool PointerOverControl(CSprite* control) {
  // A half-faded control (a dialog still opening, a scene fading) takes no pointer.
  if (control->GetEffectiveOpacity() < 1.0f) return false;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  return control->ContainsPoint(float(x), float(y)) != 0;
}
