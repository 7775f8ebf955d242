// The travel map between two stages: a full-screen picture with labelled place icons, over which
// the route is drawn line by line once the scene has faded in; then, or on Skip or Esc, the player
// travels on to the start of the current stage.
#pragma once

#include <vector>

#include "flow/environment.h"
#include "flow/map_description.h"

class CPushbutton;
class CTooltip;

inline constexpr int kCodeSkipMap = 1291;

class CMapEnvironment : public CEnvironment {
 public:
  // The scene of a map description; null builds the stand-in for a map that could not be read,
  // which travels on as soon as it has faded in (and keeps Skip for the player meanwhile).
  explicit CMapEnvironment(const MapDescription* map);

  void Update() override;
  int RestoreDeviceObjects(gfx::Device* device) override;  // labels follow the new client size
  int GetTypeId() override { return TypeId::kMapEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override { TravelOn(); }

  // Opens the start of the current stage unless a transition is already running.
  void TravelOn();

  bool IsStandIn() const { return standIn_; }
  float RouteTime() const { return routeTime_; }
  CPushbutton* SkipButton() const { return skip_; }
  const std::vector<CSprite*>& Icons() const { return icons_; }
  struct Label {
    CTooltip* tooltip;
    CSprite* icon;
    int position;
    int lines;
  };
  const std::vector<Label>& Labels() const { return labels_; }

 private:
  void PlaceLabels();

  bool standIn_;
  bool travelPending_ = false;
  float routeTime_ = kDefaultRouteTime;
  CPushbutton* skip_ = nullptr;  // children: they live exactly as long as the scene
  std::vector<CSprite*> icons_;
  std::vector<Label> labels_;
};

// Where Skip stands: in the bottom-right corner, 0.05 of the height high at the button's aspect.
ScreenRect MapSkipButtonRect(float aspect, float width, float height);

// The factory entry of class 31: the map named by the argument ("Map\<name>.xml"). A map that
// cannot be read is reported and gives the stand-in, so the story still moves on.
CEnvironment* BuildMapEnvironment(const char* name);
