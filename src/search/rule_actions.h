// Carrying out what a story rule decided: flags, the held item, sounds, lines, tips and the
// next scene. Also the context the item rules need and the hotspot click.
#pragma once

#include "search/hotspot_rules.h"
#include "search/item_class_rules.h"

class CSprite;
class CInventoryItem;

// Where the player is now, for the item rules. The venue installs how to ask it; without that,
// a current scene of class 43 counts as a venue with things left to find.
rules::ItemContext CurrentItemContext();
using ItemContextQuery = rules::ItemContext (*)();
void SetItemContextQuery(ItemContextQuery query);

// The held item as the rule tables see it.
rules::HeldItem HeldForRules();

// source: the clicked object (sounds are panned to it, tips placed beside it); held: the item
// in hand that the rule may consume or put back.
void CarryOutRule(const rules::Outcome& outcome, CSprite* source, CInventoryItem* held);

// A click on an active hotspot with this HotspotID.
void RunHotspotRule(CSprite* hotspot, int hotspotId);
