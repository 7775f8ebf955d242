// The distributor's link icon on the main menu ("PortalIcon.png" beside the data, placed by
// "Portal.xml"). It answers the pointer only when the description named a usable link, and a click
// opens that link in the browser.
#pragma once

#include <string>

#include "scene/sprite.h"

class CPortalIcon : public CSprite {
 public:
  CPortalIcon(CGameObject* parent, const ScreenRect& rect, const char* picture);

  void Update() override;
  int GetTypeId() override { return TypeId::kPortalIcon; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;
};

// The icon's picture (a loose file beside the data), empty when there is none to show.
std::string PortalIconPicture();
// Adds the icon to the menu when the description and the picture are there; null otherwise.
CPortalIcon* AddPortalIcon(CGameObject* menu);
