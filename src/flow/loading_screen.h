// The loading screen: covers the window while device resources load at start-up and after a
// change of resolution, revealing the lit skyline as loading goes on; on the first start of a run
// it also shows the distributor's splash (when present) and the maker's logo. Once the frame loop
// draws again it fades out over 0.5 s and goes.
#pragma once

#include "scene/game_object.h"

struct TextureEntry;

inline constexpr int kDefaultMaxProgress = 165;

class CLoadingScreen : public CGameObject {
 public:
  CLoadingScreen();
  ~CLoadingScreen() override;
  int GetTypeId() override { return TypeId::kLoadingScreen; }

  void Step();  // one loaded resource: the skyline lights a little further
  int Progress() const { return progress_; }
  int Maximum() const { return maximum_; }
  int Steps() const { return steps_; }
  // 0.138 .. 0.854 of the width: the painted skyline's first and last lamps.
  float RevealFraction() const;
  // Inside the frame loop's frame: the fade after loading. True once the fade is over.
  bool DrawFading(gfx::Device* device, float alpha);

 private:
  void DrawFrame(float background, float logo, float splash);
  void DrawLayers(gfx::Device* device, float background, float logo, float splash);
  void ShowFirstStartPictures();
  void Fade(float& alpha, float from, float to);

  int maximum_ = kDefaultMaxProgress;
  int progress_ = 0;
  int steps_ = 0;
  TextureEntry* background_ = nullptr;
  TextureEntry* progressPicture_ = nullptr;
  TextureEntry* logo_ = nullptr;
  TextureEntry* splash_ = nullptr;
  float logoAlpha_ = 0.0f;
  float splashAlpha_ = 0.0f;
};

// Called on a device restore when the shell asks for it; an existing one is replaced.
void CreateLoadingScreen();
CLoadingScreen* GetLoadingScreen();
// From the frame loop's Render, after the shutter.
void UpdateLoadingScreenFade();
// Set at program start, cleared when the first loading screen goes.
bool IsFirstStart();
void SetFirstStart(bool first);
