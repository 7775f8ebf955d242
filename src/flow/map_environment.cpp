#include "flow/map_environment.h"

#include "flow/extensible_line.h"
#include "flow/shutter.h"
#include "flow/travel_target.h"
#include "platform/os/host.h"
#include "scene/text_container.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"
#include "ui/tooltip.h"

namespace {

constexpr float kLineDepth = 0.1f, kIconDepth = 0.2f, kSkipDepth = 0.3f;
constexpr float kSkipHeight = 0.05f;

std::string BackgroundOf(const MapDescription* map) {
  return map && !map->background.empty() ? "Map\\" + map->background : std::string();
}

}  // namespace

CMapEnvironment::CMapEnvironment(const MapDescription* map)
    : CEnvironment(BackgroundOf(map).c_str()), standIn_(map == nullptr) {
  const float w = float(GetClientWidth()), h = float(GetClientHeight());
  if (map) {
    routeTime_ = map->time;
    for (const MapIcon& icon : map->icons) {
      const std::string picture = "Map\\" + icon.image;
      auto* sprite = new CSprite(MapIconRect(icon, w, h), GetDepth() + kIconDepth, picture.c_str(), this);
      icons_.push_back(sprite);
      if (!icon.name) continue;
      const int lines = GetLineCount(icon.name->c_str());
      const MapLabelPlace place = MapLabelRect(sprite->GetScreenRect(), icon.position, lines, w, h);
      auto* label = new CTooltip(place.rect, icon.name->c_str(), place.flags | kTooltipSticky, this);
      labels_.push_back({label, sprite, icon.position, lines});
    }
    for (const MapLine& line : map->lines) {
      auto* segment = new CExtensibleLine(line.startX, line.startY, line.endX, line.endY, line.width, this);
      segment->SetDepth(GetDepth() + kLineDepth);
    }
  }
  skip_ = new CPushbutton("Skip", kCodeSkipMap, kButtonLarge, this, this);
  skip_->SetScreenRect(MapSkipButtonRect(skip_->GetNaturalAspect(), w, h));
  skip_->SetDepth(GetDepth() + kSkipDepth);
}

void CMapEnvironment::PlaceLabels() {
  const float w = float(GetClientWidth()), h = float(GetClientHeight());
  for (const Label& label : labels_) {
    const MapLabelPlace place = MapLabelRect(label.icon->GetScreenRect(), label.position, label.lines, w, h);
    label.tooltip->Refresh(place.rect);
  }
}

int CMapEnvironment::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CEnvironment::RestoreDeviceObjects(device);
  PlaceLabels();
  return result;
}

void CMapEnvironment::Update() {
  CEnvironment::Update();
  // The transition that brought the stand-in is still running while it hears its arrival.
  if (travelPending_ && !GetShutter()) {
    travelPending_ = false;
    TravelOn();
  }
}

void CMapEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCodeTransitionDone:
      if (standIn_)
        travelPending_ = true;
      else
        StartRoute(routeTime_);
      break;
    case kCodeSkipMap:
    case kCodeRouteFinished:
      TravelOn();
      break;
    default:
      CEnvironment::OnNotify(sender, code);
  }
}

void CMapEnvironment::TravelOn() {
  if (GetShutter()) return;
  StartTransitionTo(TravelOnTarget());
}

ScreenRect MapSkipButtonRect(float aspect, float width, float height) {
  const float h = kSkipHeight * height, w = h * aspect, margin = 0.4f * h;
  return ScreenRect(width - margin - w, height - margin - h, width - margin, height - margin);
}

CEnvironment* BuildMapEnvironment(const char* name) {
  const std::optional<MapDescription> map = LoadMapDescription(name);
  if (!map) os::ShowMessageBox("Map", "Failed to open map \"" + MapMemberName(name) + "\"");
  return new CMapEnvironment(map ? &*map : nullptr);
}
