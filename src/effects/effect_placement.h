// How effects read their placement from a venue's content and map it onto their parent.
#pragma once

#include "data/xml_document.h"
#include "scene/screen_rect.h"

class CGameObject;

namespace effects {

// A rectangle attribute of four numbers (left, top, right, bottom) in the 1024 x 768 reference
// frame; anything else gives the empty rectangle.
ScreenRect ReadReferenceRect(XmlDocument& doc, XmlNode element, const char* name);
// The reference rectangle mapped onto what parent offers (a search venue's scene area, else the
// parent's screen rectangle, else the client area).
ScreenRect MapToParent(CGameObject* parent, const ScreenRect& reference);

}  // namespace effects
