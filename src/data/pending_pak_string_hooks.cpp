// Placeholders until the archive reader and the string table land.
#include "app/shell_hooks.h"

void LoadStringTable(const char*) {}
void FreeStringTable() {}
void CloseAllPaks() {}
