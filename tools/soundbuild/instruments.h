// The music voices: each renders one note (with its release and ring) as mono samples.
#pragma once

#include <string>
#include <vector>

#include "dsp.h"

namespace soundbuild {

struct NoteRequest {
  double frequency = 440;  // 0 for unpitched hits
  double seconds = 0.5;    // how long the note is held
  double velocity = 0.8;   // 0..1
};

// Throws RecipeError for an unknown instrument name.
std::vector<float> RenderInstrumentNote(const std::string& instrument, const NoteRequest& note, int rate,
                                        Noise& noise);
bool IsKnownInstrument(const std::string& instrument);

}  // namespace soundbuild
