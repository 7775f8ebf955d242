#include "scene/sound_pan.h"

#include "platform/os/host.h"
#include "scene/game_object.h"
#include "scene/sprite.h"

void SetPanFromPointer(SoundParams& params) {
  params.pan = PanForScreenX(float(os::host().Input().x), float(GetViewport().width));
}

void SetPanFromObject(SoundParams& params, CSprite* object) {
  if (!object) return;
  params.pan = PanForScreenX(object->GetScreenRect().CenterX(), float(GetViewport().width));
}

void SetPanRelativeTo(SoundParams& params, CSprite* object, CSprite* reference) {
  if (!object || !reference) return;
  ScreenRect ref = reference->GetScreenRect();
  params.pan = PanRelative(object->GetScreenRect().CenterX(), ref.CenterX(), ref.Width());
}
