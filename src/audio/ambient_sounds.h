// The table of ambient sounds per venue, read once from "Search\VenueMap\VenueMap.xml": timing,
// pitch, volume and pan ranges for each sound. Loading it also loads every sound it names, so they
// are ready; nothing plays them yet. The ambient volume is a setting of its own.
#pragma once

#include <string>
#include <vector>

struct AmbientSound {
  std::string fileName;  // empty: none given (no effect is loaded)
  float minInterval = 1.0f;
  float maxInterval = 10.0f;
  float minPitch = 1.0f;
  float maxPitch = 1.0f;
  float minVolume = 1.0f;
  float maxVolume = 1.0f;
  float minPan = 0.0f;
  float maxPan = 0.0f;
};

struct AmbientVenue {
  int venueIndex = 0;
  std::vector<AmbientSound> sounds;  // in the reverse of file order
};

// Reads "Sound"/"Ambient volume" (default 0.45); when the table exists already, returns 0.
// Otherwise reads the file: 0 when at least one venue entry was made, E_FAIL otherwise.
int LoadAmbientSounds();  // every device restore; 0 when the table exists
void ShutdownAmbientSounds();  // saves "Sound"/"Ambient volume"
void SetAmbientVolume(float volume);
float GetAmbientVolume();
// Frees the table and stores "Sound"/"Ambient volume".
void FreeAmbientSounds();
// The venues in the reverse of file order; empty before loading.
const std::vector<AmbientVenue>& AmbientTable();
