// One step of the loading screen's and the transition's progress, made after every loaded resource.
// Declared here so every layer can count its loads; the scene flow defines it.
#pragma once

void LoadingProgressStep();
