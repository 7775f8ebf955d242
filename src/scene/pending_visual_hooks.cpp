// Placeholder until speech balloons land (the marker shows while a balloon waits for a click).
#include "app/shell_hooks.h"

void CreateClickToContinueMarker() {}
