#include "ui/back_button.h"

#include "audio/sound_effects.h"
#include "scene/scene_context.h"
#include "ui/button_style.h"

CBackButton::CBackButton(CSprite* scene, XmlDocument& sceneFile, XmlNode element)
    : CPushbutton(nullptr, kBackId, kButtonBackStyle, nullptr, scene) {
  SetOwner(this);
  levelName_ = sceneFile.CopyAttribute(element, "LevelName", "").value_or("");
  buttonNumber_ = sceneFile.GetIntAttribute(element, "ButtonID", 0);
  footsteps_ = sceneFile.GetIntAttribute(element, "Footsteps", 0) != 0;
  if (auto key = sceneFile.CopyAttribute(element, "Tooltip"); key && !key->empty()) {
    SetTooltip(key->c_str(), kTooltipLeftAligned);
  }
  SetScreenRect(PlaceIn(ReferenceTarget(scene), float(GetClientHeight())));
  SetDepth(GetTopDepth() + 0.1f);
}

ScreenRect CBackButton::PlaceIn(const ScreenRect& picture, float clientHeight) {
  const float height = 0.05f * clientHeight, width = 2.0f * height;
  return ScreenRect::FromCenter(width, height, picture.left + width / 2 + height / 2,
                                picture.bottom - height);
}

void CBackButton::OnNotify(CGameObject* sender, int code) {
  if (sender != this || code != kBackId) {
    CPushbutton::OnNotify(sender, code);
    return;
  }
  if (footsteps_) {
    SoundParams params;
    PlaySound(GetSoundEffect("Footsteps.wav"), params);
  }
  // The scene may delete this button while it handles the notification.
  if (CGameObject* scene = GetParent()) scene->OnNotify(this, kBackId);
}
