// Placeholders until the audio subsystem lands: the game runs silent.
#include "app/shell_hooks.h"

int InitSound() { return 0; }
void ShutdownSound() {}
void StartMusic() {}
void SetMusicMode(int, float) {}
void MusicScheduleCheck(float) {}
void StopMusic() {}
void ShutdownAmbientSounds() {}
