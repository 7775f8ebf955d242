// Scenes, transitions and the loading screen do not exist yet: these are their named call sites.
// Each becomes real when its subsystem lands.
#include "app/shell_hooks.h"
#include "scene/game_object.h"

// The loading screen draws a frame per step; while IsFrameBeingDrawn() it must only count.
void LoadingProgressStep() {}
int CurrentEnvironmentCountsPlayTime() { return 0; }
int EscapeCurrentEnvironment() { return 0; }
void CreateLoadingScreen() {}
void DrawShutter(gfx::Device*) {}
void UpdateLoadingScreenFade() {}
void CreateMainMenu() {}
void LoadPortalDescription() {}
void FreePortalDescription() {}
void FreeTransitionTable() {}
void FreeSearchSceneNames() {}
bool ShutterTransitionExists() { return false; }
