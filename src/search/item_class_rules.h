// What an inventory item's class does when the item arrives in the strip and when the player
// clicks it while it rests in its slot. Classes without a rule do nothing on arrival and are
// picked up on a click.
#pragma once

#include <string>

#include "search/rule_outcome.h"

namespace rules {

// Where the player is when the rule runs.
struct ItemContext {
  bool inVenue = false;          // a search venue is the current scene
  std::string venueName;         // its name without folder and extension
  bool venueHasUnfound = false;  // its item board still lists objects to find
  bool tipsOn = false;           // the player's tips option (story flag 0)
};

Outcome ItemArrivalRule(int itemClass, int instances, const ItemContext& where);
Outcome ItemClickRule(int itemClass, int instances, const ItemContext& where);

}  // namespace rules
