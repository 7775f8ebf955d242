// The story rules of doors: whether a portal is built at all, and what a click on it does with the
// held item and the story flags.
#pragma once

#include "player/flag_set.h"
#include "search/rule_outcome.h"

namespace rules {

// False when every flag listed for the PortalID is set; ids without a list are always built.
bool PortalIsBuilt(int portalId, const FlagSet& flags);

// The entry check of PortalID id. out.pass says whether the player walks through; the caller adds
// the footsteps and the travel.
Outcome PortalEntryRule(int id, const HeldItem& held, const FlagSet& flags);

}  // namespace rules
