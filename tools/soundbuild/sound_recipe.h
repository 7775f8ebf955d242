// Sound effects described as text recipes (content/sounds/*.sfx), rendered to mono samples.
//
//   sound length=0.4 gain=-3            total length in seconds, peak level in dBFS
//   tone  freq=880 to=440 wave=sine dur=0.2 decay=0.05 ...
//   noise color=pink filter=band:2000:2 sweep=800 ...
//   modal freq=1200 partials=1:2.76:5.4 amps=1:0.5:0.3 decays=0.8:0.4:0.2
//   pluck freq=660 bright=0.3
//   crackle density=40 length=0.004
//   reverb mix=0.2 size=0.4 damp=0.5    master filter=low:5000
//
// Every layer also takes at, dur, amp, attack, hold, decay, release, repeat, every, accel, fade,
// jitter, ampjitter, pitchjitter, filter, sweep, seed, trem (rate:depth) and drive.
#pragma once

#include <string>
#include <vector>

#include "recipe_text.h"

namespace soundbuild {

// Throws RecipeError on a mistake in the recipe.
std::vector<float> RenderSoundRecipe(const std::string& text, int rate);

}  // namespace soundbuild
