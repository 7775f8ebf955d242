// The transition between scenes: the screen fades to black in 0.5 s, the new scene is built while
// a progress bar shows, and it fades in; 1.0 s after the start (plus any delay) the new scene
// hears 1254. While a shutter exists nothing is hovered and the window takes no input.
#pragma once

#include <string>

#include "scene/sprite.h"

inline constexpr int kCodeTransitionDone = 1254;

class CShutter : public CSprite {
 public:
  CShutter(int classId, const char* argument, float delay);
  ~CShutter() override;

  void Update() override;
  void Render(gfx::Device*) override {}  // drawn over everything by DrawShutter
  int HitTest() override { return kHitNone; }
  int GetTypeId() override { return TypeId::kShutter; }

  int State() const { return state_; }  // 0 fading out, 1 fading in
  bool Finished() const { return finished_; }
  int ClassId() const { return classId_; }
  const char* Argument() const { return hasArgument_ ? argument_.c_str() : nullptr; }
  int ProgressCount() const { return progressCount_; }
  int ExpectedTotal() const { return expectedTotal_; }
  CGameObject* NewScene() const { return WeakTarget(newScene_); }

  // One loading step while the new scene is built; draws an immediate frame with the bar when a
  // total is known and no frame is being drawn.
  void CountStep();
  // The per-frame black layer and bar (after the cursor).
  void Draw(gfx::Device* device);
  // The opacity of the black layer now.
  float Opacity() const;

 private:
  void DrawLayer(gfx::Device* device, float opacity, float fullFraction);

  int classId_;
  std::string argument_;
  bool hasArgument_;
  float startTime_;
  float delay_;
  int state_ = 0;
  bool finished_ = false;
  int progressCount_ = 0;
  int expectedTotal_ = 0;
  CXRef* newScene_ = nullptr;
  TextureEntry* barEmpty_ = nullptr;
  TextureEntry* barFull_ = nullptr;
};

// Starts a transition to (class, argument) after delay seconds; a running one is returned
// unchanged and the request is dropped.
CShutter* StartTransition(int classId, const char* argument, float delay = 0.0f);
// To the current player's venue, else the main menu.
CShutter* ResumeGame(float delay);
// The game is over: records it for the player, then goes to the main menu.
void ReturnToMainMenu();
CShutter* GetShutter();
void DrawShutter(gfx::Device* device);

// The system pointer stays hidden while any shutter exists (a counter, as the window's show count).
int PointerHideCount();
