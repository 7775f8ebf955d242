#include "search/portal_rules.h"

#include <initializer_list>

namespace rules {
namespace {

struct BuildRule {
  int portalId;
  std::initializer_list<int> flags;
};

// clang-format off
const BuildRule kBuildRules[] = {
  {1, {24, 25}}, {2, {28}}, {3, {23}}, {4, {22, 24, 25}}, {5, {22, 23}}, {6, {25}}, {7, {22, 23, 24}},
  {8, {27, 28}}, {9, {26, 29, 30}}, {10, {26, 27, 29, 30}}, {11, {29}}, {12, {26, 27, 28, 30}},
  {13, {30}}, {14, {36, 37, 38, 67}}, {15, {35}}, {16, {37, 67}}, {17, {35, 36, 38}}, {18, {38}},
  {19, {32, 33, 34, 57}}, {20, {31}}, {21, {33}}, {22, {34, 57}}, {23, {31, 32, 34, 57}},
  {24, {31, 32, 33}}, {25, {57}}, {26, {35, 36, 37, 38}}, {27, {67}}, {28, {40, 41, 59}}, {29, {39}},
  {30, {41, 59}}, {31, {39, 40}}, {32, {59}}, {33, {39, 40, 41}}, {34, {43}}, {35, {42}}, {36, {45}},
  {37, {44}}, {38, {80}}, {39, {81}}, {40, {85}}, {41, {84}}, {42, {86}}, {43, {89}},
};
// clang-format on

// A door that a key of class 1 unlocks for good.
Outcome KeyDoor(int flag, const HeldItem& held, const FlagSet& flags, const char* remark) {
  Outcome out;
  if (flags.Test(flag)) {
    out.pass = true;
  } else if (held.itemClass == 1) {
    out.setFlags = {flag};
    out.consume = true;
    out.sound = "Unlock.wav";
    out.pass = true;
  } else {
    out.say = remark;
    out.sound = "LockedDoor.wav";
  }
  return out;
}

Outcome LockedUntil(int flag, const FlagSet& flags, const char* remark) {
  Outcome out;
  if (flags.Test(flag))
    out.pass = true;
  else
    out.say = remark;
  return out;
}

}  // namespace

bool PortalIsBuilt(int portalId, const FlagSet& flags) {
  for (const BuildRule& rule : kBuildRules) {
    if (rule.portalId != portalId) continue;
    for (int flag : rule.flags) {
      if (!flags.Test(flag)) return true;
    }
    return false;
  }
  return true;
}

Outcome PortalEntryRule(int id, const HeldItem& held, const FlagSet& flags) {
  switch (id) {
    case 1:
      return KeyDoor(2, held, flags, "DoorLockedNeedKey");
    case 2:
      return LockedUntil(20, flags, "EgyptianRoomLightsOut");
    case 18:
      return LockedUntil(68, flags, "NeedToUnlockHotelRoom");
    case 19: {
      // The barn door's keypad: a screwdriver opens its panel, the puzzle opens the door.
      Outcome out;
      if (flags.Test(60)) {
        out.pass = true;
        return out;
      }
      bool panelOpen = flags.Test(61);
      if (!panelOpen && held.itemClass == 8) {
        out.setFlags = {61};
        out.consume = true;
        panelOpen = true;
      }
      if (panelOpen) {
        out.sound = "OpenPanel.wav";
        out.openClass = kOpenBarnDoor;
      } else {
        out.sound = "LockedDoor.wav";
        out.say = "NeedScrewdriverForKeypad";
      }
      return out;
    }
    case 21:
      return LockedUntil(52, flags, "StreetcarLightsOut");
    case 25:
      return KeyDoor(95, held, flags, "TrolleyBarnClosetLocked");
    case 27:
      return KeyDoor(64, held, flags, "SecurityRoomDoorLocked");
    default: {
      Outcome out;
      out.pass = true;
      return out;
    }
  }
}

}  // namespace rules
