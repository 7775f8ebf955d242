// Every call the application shell makes into the other subsystems, in one place. Each subsystem
// defines its own functions; until a subsystem exists, its definitions are named placeholders in a
// "pending_*" file of its folder, which the subsystem deletes when it brings the real ones.
#pragma once

#include "core/loading_progress.h"
#include "platform/gfx/device.h"

// Sound effects, music and ambient sounds.
int InitSound();  // 1 when a sound device exists afterwards
void ShutdownSound();  // saves "Sound"/"SFX volume"
void StartMusic();  // starts the music thread; reads "Sound"/"Music volume"
void SetMusicMode(int mood, float fadeTime = -1.0f);  // fade < 0: the default fade
void MusicScheduleCheck(float appTime);
void StopMusic();  // ends the music thread; saves "Sound"/"Music volume"
// Every frame, right after the clock query: the music thread reads the frame's application time
// from here (fades, the piano start time, the next search track).
void PublishMusicTime(float appTime);
int LoadAmbientSounds();  // every device restore; 0 when the table exists
void ShutdownAmbientSounds();  // saves "Sound"/"Ambient volume"

// Archives, string table, textures.
void LoadStringTable(const char* memberName);
void FreeStringTable();
void CloseAllPaks();
void RestoreAllTextures(gfx::Device* device);
void InvalidateAllTextures();
void DestroyAllTextures();

// Shared device resources of the visual classes (sprite quads, button and dialog buffers, effects).
void RestoreSharedDeviceObjects(gfx::Device* device);
void InvalidateSharedDeviceObjects();

// Fonts, input and the cursor.
void LoadStandardFonts();
void PollInput();
void CreateCursor();
void SetCursorKind(int kind);
void DrawCursor(gfx::Device* device);
void CreateClickToContinueMarker();

// Player profiles and the story map.
void CreatePlayersFolder();
bool OpenGameMap();  // false: the shell shows "Error opening game map."
void CloseGameMap();
const char* CurrentPlayerName();  // null when no player is current
void ClosePlayer();
void AddPlayTime(float seconds);

// Scenes, transitions and the loading screen (LoadingProgressStep: core/loading_progress.h).
int CurrentEnvironmentCountsPlayTime();
int EscapeCurrentEnvironment();
void CreateLoadingScreen();
void DrawShutter(gfx::Device* device);
void UpdateLoadingScreenFade();
void CreateMainMenu();
void LoadPortalDescription();
void FreePortalDescription();
void FreeTransitionTable();
void FreeSearchSceneNames();
void CreateSceneCamera();

// Dialogs.
bool IsDialogOpen();
void CancelCurrentDialog();
