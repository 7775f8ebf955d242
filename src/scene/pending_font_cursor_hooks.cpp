// Placeholders until fonts, input and the cursor land.
#include "app/shell_hooks.h"

void LoadStandardFonts() {}
void PollInput() {}
void CreateCursor() {}
void SetCursorKind(int) {}
void DrawCursor(gfx::Device*) {}
