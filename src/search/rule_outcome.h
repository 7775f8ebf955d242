// What a story rule decides when the player clicks a hotspot, a door or an item in the strip. The
// rule tables are pure functions that return one of these; the scene objects then carry it out,
// so every row can be checked without a scene.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rules {

// Environment class ids that rules open.
enum : int {
  kOpenVenue = 43,
  kOpenJigsaw = 26,
  kOpenCameraCode = 62,
  kOpenPlayerPiano = 70,
  kOpenCircuit = 73,
  kOpenMicroscope = 77,
  kOpenStreetcarPower = 82,
  kOpenSlide = 84,
  kOpenMatch3 = 87,
  kOpenBarnDoor = 93,
  kOpenSafe = 94,
  kOpenRoomLock = 97,
  kOpenJewels = 99,
};

// The item the player carries; class 0 when nothing is held.
struct HeldItem {
  int itemClass = 0;
  int instances = 0;
};

struct Outcome {
  std::vector<int> setFlags;  // in this order
  bool consume = false;       // the held item leaves the strip
  bool putBack = false;       // the held item goes back into its slot at once
  std::string sound;          // played once; panned to the clicked object unless centred
  bool soundCentred = false;
  int openClass = 0;  // a scene to open (0: none)
  std::string openArgument;
  std::string say;         // the lead character's line
  std::string tooltipKey;  // a sticky explanation beside the item
  bool pass = false;       // a door: walk through
  bool pickUp = false;     // an item in the strip: take it in hand

  bool operator==(const Outcome&) const = default;
};

// Names from content and profiles compare without regard to ASCII letter case.
inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace rules
