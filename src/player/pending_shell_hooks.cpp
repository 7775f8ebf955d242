// Placeholders until player profiles land.
#include "app/shell_hooks.h"

void CreatePlayersFolder() {}
bool OpenGameMap() { return true; }
void CloseGameMap() {}
const char* CurrentPlayerName() { return nullptr; }
void ClosePlayer() {}
void AddPlayTime(float) {}
