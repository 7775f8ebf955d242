// Dialogs do not exist yet: these are their named call sites.
#include "app/shell_hooks.h"

bool IsDialogOpen() {
  return false;
}
void CancelCurrentDialog() {}
