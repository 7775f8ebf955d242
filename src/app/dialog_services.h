// The shell's side of what dialogs ask for: scene transitions, the display gamma and the switch
// between full screen and window.
#pragma once

// Installs the shell's dialog host (the application object calls it at construction and removes
// it with null at destruction).
void InstallDialogServices(bool install);
