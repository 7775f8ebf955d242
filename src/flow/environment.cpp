#include "flow/environment.h"

#include "scene/scene_context.h"

CEnvironment::CEnvironment(const char* background) {
  if (background && *background) SetTexture(background);
  SetDepth(0.0f);
  SetAspectRatio(GetClientHeight() > 0 ? float(GetClientWidth()) / float(GetClientHeight()) : 1.0f);
  // The old scene goes first, with everything attached to it, so nothing of it outlives the switch.
  if (CSprite* old = GetCurrentEnvironment()) delete old;
  SetCurrentEnvironment(this);
}

CEnvironment::~CEnvironment() {
  ClearCurrentEnvironmentIf(this);
}

int CEnvironment::RestoreDeviceObjects(gfx::Device* device) {
  if (GetClientHeight() > 0) SetAspectRatio(float(GetClientWidth()) / float(GetClientHeight()));
  return CSprite::RestoreDeviceObjects(device);
}

int CEnvironment::HitTest() {
  return GetEffectiveOpacity() > 0.0f ? kHitBlocking : kHitNone;
}

CEnvironment* CurrentScene() {
  // Only environments publish themselves as the current scene.
  return static_cast<CEnvironment*>(GetCurrentEnvironment());
}

CEnvironment* GetCurrentEnvironmentOfType(int typeId) {
  CEnvironment* env = CurrentScene();
  return env && env->GetTypeId() == typeId ? env : nullptr;
}

int EscapeCurrentEnvironment() {
  CEnvironment* env = CurrentScene();
  if (!env) return 0;
  env->OnEscape();
  return 1;
}

int CurrentEnvironmentCountsPlayTime() {
  CEnvironment* env = CurrentScene();
  return env ? env->CountsPlayTime() : 0;
}
