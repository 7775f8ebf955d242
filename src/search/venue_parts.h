// The venue's pieces that come with the hints, inventory and portals: each registers what it does
// here, and the venue builds and calls them when they exist. Without them a venue still plays:
// no portals, no inventory strip (finds with an inventory class count on the board only), no hint
// button and no click penalty.
#pragma once

#include "data/xml_document.h"

class CGameObject;
class CHiddenObject;
class CSearchEnvironment;
class CSprite;

struct VenueParts {
  // A portal from a "Portal" element, or null when its rule leaves it out.
  CSprite* (*buildPortal)(CSearchEnvironment* venue, XmlDocument& doc, XmlNode element) = nullptr;

  // The inventory strip, rebuilt from the profile (or empty), and its way back into the profile.
  CSprite* (*buildInventory)(CSearchEnvironment* venue) = nullptr;
  void (*saveInventory)(CSprite* strip) = nullptr;
  // A place on the strip for a found object; false when the strip takes none.
  bool (*reserveInventory)(CSprite* strip, CHiddenObject* object, float& x, float& y) = nullptr;
  void (*receiveInventory)(CSprite* strip, CHiddenObject* object) = nullptr;
  void (*removeInventoryClass)(CSprite* strip, int itemClass) = nullptr;
  // A hotspot was clicked: its story rule.
  void (*runHotspot)(CSearchEnvironment* venue, CHiddenObject* hotspot) = nullptr;

  // The hint button, the hint itself (false: nothing to hint), the halo on the hint's target and
  // its early stop when the target is found.
  CSprite* (*buildHintButton)(CSearchEnvironment* venue) = nullptr;
  bool (*startHint)(CSearchEnvironment* venue) = nullptr;
  void (*hintArrived)(CSearchEnvironment* venue, CHiddenObject* target) = nullptr;
  void (*stopHintHalo)(CHiddenObject* object) = nullptr;

  // The wrong-click penalty (class id of the caller) and its reset after a find.
  void (*countWrongClick)(int classId) = nullptr;
  void (*resetWrongClicks)() = nullptr;

  // Cheat mode (the status board's "Cheat" button); installed by the shell.
  bool (*isCheatMode)() = nullptr;
};

VenueParts& GetVenueParts();
void ResetVenuePartsForTests();
