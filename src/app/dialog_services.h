// The shell's side of what dialogs ask for: scene transitions, the display gamma, the switch
// between full screen and window, the window title, the developer switch and quitting.
#pragma once

// Installs the shell's dialog host (the application object calls it at construction and removes
// it with null at destruction).
void InstallDialogServices(bool install);
