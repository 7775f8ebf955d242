#include "flow/portal_icon.h"

#include "flow/portal_link.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {
constexpr float kIconDepth = 13.0f;
}

CPortalIcon::CPortalIcon(CGameObject* parent, const ScreenRect& rect, const char* picture) {
  Attach(parent, 0);
  SetScreenRect(rect);
  texture_ = AcquireTexture(picture, kTexLooseFile);
  SetDepth(kIconDepth);
}

int CPortalIcon::HitTest() {
  if (PortalUrl().empty()) return kHitNone;
  if (!PointerOverControl(this)) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CPortalIcon::Update() {
  if (HoveredThisFrame(this) && IsLeftClick() && !PortalUrl().empty()) os::OpenUrl(PortalUrl());
}

std::string PortalIconPicture() {
  const std::string path = os::JoinPath(os::DataRoot(), "PortalIcon.png");
  return os::FileExists(path) ? path : std::string();
}

CPortalIcon* AddPortalIcon(CGameObject* menu) {
  if (!menu || !HasPortalDescription()) return nullptr;
  const std::string picture = PortalIconPicture();
  if (picture.empty()) return nullptr;
  const ScreenRect f = PortalIconFractions();
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const ScreenRect rect(f.left * W, f.top * H, f.right * W, f.bottom * H);
  if (!(rect.Width() > 0 && rect.Height() > 0)) return nullptr;
  return new CPortalIcon(menu, rect, picture.c_str());
}
