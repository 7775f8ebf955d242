#include "search/rule_actions.h"

#include "audio/sound_effects.h"
#include "flow/environment.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "scene/sound_pan.h"
#include "search/inventory_item.h"
#include "ui/jorvane_corner.h"
#include "ui/tooltip.h"

namespace {

ItemContextQuery g_contextQuery = nullptr;

FlagSet CurrentFlags() {
  GameState* state = CurrentGameState();
  return state ? state->flags : FlagSet{};
}

}  // namespace

void SetItemContextQuery(ItemContextQuery query) {
  g_contextQuery = query;
}

rules::ItemContext CurrentItemContext() {
  if (g_contextQuery) return g_contextQuery();
  rules::ItemContext where;
  where.inVenue = GetCurrentEnvironmentOfType(rules::kOpenVenue) != nullptr;
  where.venueHasUnfound = where.inVenue;
  where.tipsOn = TestFlag(kShowTipsFlag);
  return where;
}

rules::HeldItem HeldForRules() {
  CInventoryItem* held = HeldInventoryItem();
  if (!held) return {};
  return {held->GetClass(), held->GetInstances()};
}

void CarryOutRule(const rules::Outcome& outcome, CSprite* source, CInventoryItem* held) {
  for (int flag : outcome.setFlags) SetFlag(flag);
  if (!outcome.sound.empty()) {
    SoundParams params;
    if (!outcome.soundCentred && source) SetPanFromObject(params, source);
    PlaySound(GetSoundEffect(outcome.sound.c_str()), params);
  }
  if (!outcome.tooltipKey.empty() && source) ShowObjectTooltip(source, outcome.tooltipKey.c_str());
  if (!outcome.say.empty()) SpeakAsJorvane(outcome.say.c_str());
  if (outcome.openClass != 0) {
    StartTransition(outcome.openClass, outcome.openArgument.empty() ? nullptr : outcome.openArgument.c_str());
  }
  // Last: the source may be the item itself.
  if (held && outcome.consume)
    ConsumeInventoryItem(held);
  else if (held && outcome.putBack)
    PutBackInventoryItem(held);
}

void RunHotspotRule(CSprite* hotspot, int hotspotId) {
  const rules::Outcome outcome = rules::HotspotRule(hotspotId, HeldForRules(), CurrentFlags());
  CarryOutRule(outcome, hotspot, HeldInventoryItem());
}
