// The back button of a close-up scene: the back picture with its glow at the bottom left of the
// scene's picture. A click plays footsteps (when the scene asks for them) and passes the button's
// notification to the scene, which decides where it leads.
#pragma once

#include <string>

#include "data/xml_document.h"
#include "ui/pushbutton.h"

class CBackButton : public CPushbutton {
 public:
  static constexpr int kBackId = 108;

  // element: the scene file's back-button element ("LevelName", "ButtonID", "Footsteps",
  // "Tooltip"); kNoNode gives an unnamed button without sound or tooltip.
  CBackButton(CSprite* scene, XmlDocument& sceneFile, XmlNode element);

  int GetTypeId() override { return TypeId::kBackButton; }
  void OnNotify(CGameObject* sender, int code) override;

  const std::string& GetLevelName() const { return levelName_; }
  int GetButtonNumber() const { return buttonNumber_; }
  bool HasFootsteps() const { return footsteps_; }

  // The button's rectangle for a scene picture P in a client of the given height.
  static ScreenRect PlaceIn(const ScreenRect& picture, float clientHeight);

 private:
  std::string levelName_;
  int buttonNumber_ = 0;
  bool footsteps_ = false;
};
