// The story rules of hotspots: what a click on an active hotspot does with the held item and the
// story flags. Flags the rule sets are visible to its own later steps ("use 2 for 3; if flag 3").
#pragma once

#include "player/flag_set.h"
#include "search/rule_outcome.h"

namespace rules {

// The rule of HotspotID id; an unknown id does nothing.
Outcome HotspotRule(int id, const HeldItem& held, const FlagSet& flags);

}  // namespace rules
