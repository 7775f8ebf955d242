// Music described as text scores (content/music/*.score), rendered to 44.1 kHz stereo.
//
//   score tempo=120 length=80 loop=no reverb=0.2 size=0.5 gain=-1
//   pattern NAME ... end                   a named run of notes, used as @NAME
//   voice NAME instrument=piano vol=0.5 pan=-0.3 reverb=1 gate=0.9 ... end
//
// Notes: C4, F#3, Bb5 (middle C is C4), chords joined with "+" (C4+E4+G4), "r" a rest, "x" an
// unpitched hit; "/2" sets the length in beats (it carries over to the following notes); "v0.6"
// sets the velocity; "|" marks a bar and is ignored. "@NAME" plays a pattern, "@NAME+5" transposed
// by five semitones, "@NAME*4" four times ("@NAME-2*2" both).
// length is in beats; with loop=yes the file is exactly that long and whatever rings past the end
// (release tails, reverb) is folded back onto the start, so the track loops without a seam.
#pragma once

#include <string>
#include <vector>

#include "recipe_text.h"

namespace soundbuild {

struct RenderedMusic {
  int rate = 44100;
  std::vector<float> samples;  // interleaved stereo
};

struct ScoreNote {
  double beat = 0;           // start
  double beats = 1;          // length
  std::vector<int> pitches;  // MIDI numbers; -1 an unpitched hit
  double velocity = 0.8;
};

// The notes of one voice after patterns are expanded.
std::vector<ScoreNote> ExpandVoice(const std::string& scoreText, const std::string& voice);
// One line per voice: its name and the beat where its last note or rest ends, for checking that
// the voices of a score line up.
std::string DescribeVoices(const std::string& scoreText);
// Throws RecipeError on a mistake in the score.
RenderedMusic RenderScore(const std::string& text);

}  // namespace soundbuild
