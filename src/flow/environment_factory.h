// Builds a scene from its class id (the environment's type id) and argument. Every scene class
// registers its builder; a class without one builds nothing, and the transition then fades back
// in on the old scene.
#pragma once

class CEnvironment;

using EnvironmentBuilder = CEnvironment* (*)(const char* argument);

void RegisterEnvironmentBuilder(int classId, EnvironmentBuilder builder);  // null removes it
bool HasEnvironmentBuilder(int classId);
void ResetEnvironmentBuilders();  // tests

// The new scene (which is then current), or null. The clock stands still while it is built, so
// the build never arrives as one long frame. Class 29 builds the cheat screen while the
// return-to-cheat flag is set.
CEnvironment* BuildEnvironment(int classId, const char* argument);

// Set by the cheat screen when it is built, cleared by its Esc.
void SetReturnToCheat(bool on);
bool ReturnToCheat();
