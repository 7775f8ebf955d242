// A full-screen scene: the main menu, the map, a venue, a puzzle, the epilogue. Exactly one is
// current; building a new one deletes the old one with every sprite on it. Scenes are switched
// only through a transition (flow/shutter.h), never directly.
#pragma once

#include "scene/sprite.h"

class CEnvironment : public CSprite {
 public:
  // Covers the client area with the background picture (null: none), deletes the current scene
  // and becomes current.
  explicit CEnvironment(const char* background = nullptr);
  ~CEnvironment() override;

  int RestoreDeviceObjects(gfx::Device* device) override;  // follows the client's aspect
  int HitTest() override;                                  // blocks everything below while visible
  int GetTypeId() override { return TypeId::kEnvironment; }

  // The player pressed Esc with no dialog open.
  virtual void OnEscape() {}
  // 1 while the player's play time should run.
  virtual int CountsPlayTime() { return 0; }
};

CEnvironment* CurrentScene();
// The current scene when its type id is typeId, else null.
CEnvironment* GetCurrentEnvironmentOfType(int typeId);
// Esc without a dialog: 1 when a scene took it.
int EscapeCurrentEnvironment();
int CurrentEnvironmentCountsPlayTime();
