// The shell's calls into parts of the game that have not landed yet. Each one moves to its
// subsystem's own header when that subsystem brings the real definition.
#pragma once

// The click-to-continue marker (speech balloons).
void CreateClickToContinueMarker();
