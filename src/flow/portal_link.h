// The optional distributor link: "Portal.xml" beside the data (read from disk, never from the
// archives) names a URL and where its icon sits on the main menu. Only http and https links are
// kept; anything else reads as no link.
#pragma once

#include <string>

#include "scene/screen_rect.h"

void LoadPortalDescription();
void FreePortalDescription();
bool HasPortalDescription();
const std::string& PortalUrl();    // empty when there is no usable link
ScreenRect PortalIconFractions();  // left, top, right, bottom as fractions of the screen
