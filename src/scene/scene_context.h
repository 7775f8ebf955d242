// What the lower layers may ask of the current full-screen scene. Scenes live in the flow layer;
// they publish themselves here, so effects, controls and speech balloons can place themselves
// against a scene without including it.
#pragma once

#include "scene/screen_rect.h"

class CGameObject;
class CSprite;

// Implemented by the search venue: the rectangle of its (left) search picture, against which
// hidden objects, patches and effects place themselves.
class SceneAreaSource {
 public:
  virtual ScreenRect GetSceneArea() = 0;

 protected:
  ~SceneAreaSource() = default;
};

// The current environment; null before the first scene and while a scene's factory runs.
CSprite* GetCurrentEnvironment();
// Called by an environment's constructor (with itself) and destructor (with null, only when it is
// still the published one).
void SetCurrentEnvironment(CSprite* environment);
void ClearCurrentEnvironmentIf(CSprite* environment);
// The current environment's screen rectangle, or the client area when there is none.
ScreenRect CurrentEnvironmentRect();

// The rectangle that 1024 x 768 reference coordinates map onto for an object placed in parent:
// a search venue's scene area, else the parent's screen rectangle (the client area when the
// parent is not a sprite or is null).
ScreenRect ReferenceTarget(CGameObject* parent);
// The venue's scene area when parent is a search venue, else null (for callers that also need
// the unscaled parent rectangle, such as smoke's parent-relative placement).
SceneAreaSource* AsSearchVenue(CGameObject* parent);
