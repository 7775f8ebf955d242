#include "search/hint_flight.h"

#include "audio/sound_effects.h"
#include "effects/particle_trail.h"
#include "scene/sound_pan.h"
#include "scene/sprite_animator.h"

void LaunchHintFlight(CSprite* venue, CSprite* button, CSprite* target, int targetIndex) {
  if (!venue || !target) return;
  const ScreenRect from = button ? button->GetScreenRect() : venue->GetScreenRect();
  auto* carrier = new CSprite(ScreenRect::FromCenter(1, 1, from.CenterX(), from.CenterY()),
                              venue->GetDepth() + 1.0f, nullptr, venue);
  TrailParams trail;
  trail.count = 30;
  trail.lifetime = 0.75f;
  trail.spread = 0.3f;
  trail.color = 0xFFE0E0FFu;
  trail.size = 0.06f;
  new CParticleTrail(carrier, trail);
  const ScreenRect to = target->GetScreenRect();
  const ScreenRect dest = ScreenRect::FromCenter(1, 1, to.CenterX(), to.CenterY());
  auto* flight = new CSpriteAnimator(carrier, kAnimMove, 1.0f, kAnimDeleteSprite, &dest);
  flight->SetId(targetIndex);
  flight->SetNotifyTarget(venue, kCodeHintArrival);
  SoundParams params;
  params.volume = 0.75f;
  SetPanFromObject(params, target);
  PlaySound(GetSoundEffect("Hint.wav"), params);
}
