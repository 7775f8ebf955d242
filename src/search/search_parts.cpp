#include "search/search_parts.h"

#include "player/game_state.h"
#include "search/hidden_object.h"
#include "search/hint_button.h"
#include "search/hint_flight.h"
#include "search/hint_halo.h"
#include "search/inventory_board.h"
#include "search/item_board.h"
#include "search/portal.h"
#include "search/rule_actions.h"
#include "search/search_environment.h"
#include "search/venue_parts.h"
#include "search/wrong_clicks.h"

namespace {

InventoryFind FindOf(CHiddenObject* object) {
  const venue::HiddenObjectSpec& spec = object->Spec();
  InventoryFind what;
  what.itemClass = spec.inventoryClass;
  what.name = spec.BoardName();
  what.plural = spec.plural.empty() ? what.name : spec.plural;
  what.file = spec.file;
  what.aspect = object->GetScreenRect().Aspect();
  return what;
}

CInventoryBoard* AsStrip(CSprite* strip) {
  return strip && strip->GetTypeId() == TypeId::kInventoryBoard ? static_cast<CInventoryBoard*>(strip)
                                                                : nullptr;
}

rules::ItemContext VenueContext() {
  rules::ItemContext where;
  where.tipsOn = TestFlag(kShowTipsFlag);
  if (CSearchEnvironment* venue = CurrentSearchVenue()) {
    where.inVenue = true;
    where.venueName = venue->GetVenueName();
    CItemBoard* board = venue->GetItemBoard();
    where.venueHasUnfound = board && board->UnfoundTotal() > 0;
  }
  return where;
}

bool Reserve(CSprite* strip, CHiddenObject* object, float& x, float& y) {
  CInventoryBoard* board = AsStrip(strip);
  if (!board || !object) return false;
  board->Reserve(FindOf(object), x, y);
  return true;
}

void Receive(CSprite* strip, CHiddenObject* object) {
  CInventoryBoard* board = AsStrip(strip);
  if (!board || !object) return;
  // A venue that is being left only books the find; its class rule waits for the next arrival.
  CSearchEnvironment* venue = object->GetVenue();
  board->Receive(FindOf(object), !(venue && venue->IsLeaving()));
}

void RemoveClass(CSprite*, int itemClass) {
  ConsumeInventoryItem(InventoryItemByClass(itemClass));
}

bool StartHint(CSearchEnvironment* venue) {
  CHiddenObject* target = venue ? venue->FirstHintTarget() : nullptr;
  if (!target) return false;
  LaunchHintFlight(venue, static_cast<CSprite*>(venue->FindChild(TypeId::kHintButton)), target,
                   target->GetIndex());
  return true;
}

void HintArrived(CSearchEnvironment* venue, CHiddenObject* target) {
  if (!venue || !target) return;
  CHiddenObject* last = venue->LastHiddenObject();
  new CHintHalo(target, (last ? last->GetDepth() : venue->GetDepth()) + 0.01f);
}

void StopHalo(CHiddenObject* object) {
  if (CHintHalo* halo = FindHintHalo(object)) halo->Stop();
}

}  // namespace

void InstallSearchParts(VenueParts& parts) {
  parts.buildPortal = [](CSearchEnvironment* venue, XmlDocument& doc, XmlNode element) -> CSprite* {
    return BuildPortal(venue, doc, element);
  };
  parts.buildInventory = [](CSearchEnvironment* venue) -> CSprite* {
    return BuildInventoryFromProfile(venue);
  };
  parts.saveInventory = [](CSprite* strip) { SaveInventoryToProfile(AsStrip(strip)); };
  parts.reserveInventory = &Reserve;
  parts.receiveInventory = &Receive;
  parts.removeInventoryClass = &RemoveClass;
  parts.runHotspot = [](CSearchEnvironment*, CHiddenObject* hotspot) {
    if (hotspot) RunHotspotRule(hotspot, hotspot->GetHotspotId());
  };
  parts.buildHintButton = [](CSearchEnvironment* venue) -> CSprite* { return new CHintButton(venue); };
  parts.startHint = &StartHint;
  parts.hintArrived = &HintArrived;
  parts.stopHintHalo = &StopHalo;
  parts.countWrongClick = &CountWrongClick;
  parts.resetWrongClicks = &ResetWrongClicks;
  SetItemContextQuery(&VenueContext);
}

VenueParts DefaultVenueParts() {
  VenueParts parts;
  InstallSearchParts(parts);
  return parts;
}
