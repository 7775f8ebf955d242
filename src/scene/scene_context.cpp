#include "scene/scene_context.h"

#include "scene/sprite.h"

namespace {
CSprite* g_environment = nullptr;

ScreenRect ClientRect() {
  return ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
}
}  // namespace

CSprite* GetCurrentEnvironment() {
  return g_environment;
}

void SetCurrentEnvironment(CSprite* environment) {
  g_environment = environment;
}

void ClearCurrentEnvironmentIf(CSprite* environment) {
  if (g_environment == environment) g_environment = nullptr;
}

ScreenRect CurrentEnvironmentRect() {
  return g_environment ? g_environment->GetScreenRect() : ClientRect();
}

SceneAreaSource* AsSearchVenue(CGameObject* parent) {
  if (!parent || parent->GetTypeId() != TypeId::kSearchEnvironment) return nullptr;
  return dynamic_cast<SceneAreaSource*>(parent);
}

ScreenRect ReferenceTarget(CGameObject* parent) {
  if (SceneAreaSource* venue = AsSearchVenue(parent)) return venue->GetSceneArea();
  if (parent && (parent->GetTypeFlags() & kTypeFlagSprite))
    return static_cast<CSprite*>(parent)->GetScreenRect();
  return ClientRect();
}
