// Archives and a running world for the control tests: a string table with the test keys, the
// fonts and interface pictures the build made, short sounds for every button sound, a published
// device (null or GL), sound on the null sound device, and frames driven the way the shell drives
// them (input, hover, update) with a pointer the test places.
#pragma once

#include <string>

#include "platform/gfx/device.h"
#include "platform/snd/null_device.h"

namespace controlstest {

// Keys in the test string table.
inline constexpr const char* kOneLineKey = "TipOne";    // one line
inline constexpr const char* kTwoLineKey = "TipTwo";    // two lines
inline constexpr const char* kPlayKey = "Play";         // "Play"
inline constexpr const char* kNoValueKey = "NoValue";   // an entry without a Value
inline constexpr const char* kMissingKey = "NotThere";  // no entry

// Writes the archives once per process and makes them the data root; false when the build has not
// baked the fonts yet.
bool UseControlArchives();
// Whether the interface pictures of the build are in the archive (render tests need them).
bool HaveBuiltArt();

class World {
 public:
  // Publishes device (not owned) with the client size, starts sound on a null sound device, loads
  // the string table and the shared button resources.
  void Open(gfx::Device* device, int clientW, int clientH);
  // Destroys every object and shared resource; the device stays the caller's.
  void Close();

  // One frame at time t with the pointer at (x, y) and the left button as given.
  void Frame(float t, int x, int y, bool leftDown = false);
  // Times a sound effect of Sounds\ has been started since Open.
  int Plays(const char* soundName) const;
  float Now() const { return time_; }

  snd::NullDevice* sound = nullptr;

 private:
  float time_ = 0;
};

}  // namespace controlstest
