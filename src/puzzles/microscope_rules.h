// The rules of the microscope comparison, without sprites: which variant an argument selects and
// what belongs to it, the order in which samples come under the lens (one order for the whole run
// of the game, shared by both variants), where everything stands, how the focus ring turns the
// view, the slow swim of the picture, and the game itself: clicks, matches, the view change.
#pragma once

#include <array>
#include <string>

#include "scene/screen_rect.h"

class Random;

namespace microscope {

inline constexpr int kSamples = 16;
inline constexpr int kMatchesToSolve = 5;
inline constexpr float kFadeTime = 0.5f;  // to black, and again back in
inline constexpr float kChangeTime = 2 * kFadeTime;
inline constexpr float kFlightTime = 1.0f;

enum class Variant { Fibre, Print };

struct VariantInfo {
  const char* samplePrefix;  // "Puzzles\Microscope\Fibre" + two digits + ".jpg"
  int enteredFlag;
  int solvedFlag;
  int itemClass;  // the evidence used up when solved
  const char* helpPicture;
  const char* solvedDialog;  // string-table key of the solved message
};

// "Print" (any letter case) selects the prints; anything else, and no argument at all, the fibres.
Variant VariantFromArgument(const char* argument);
const VariantInfo& Info(Variant variant);
// The picture of sample number (0..15) of the variant; numbers outside wrap into that range.
std::string SampleName(Variant variant, int number);
// Whether two picture names are the same picture (letter case ignored, as member names are).
bool SamePicture(const std::string& a, const std::string& b);

// The numbers 0..15, shuffled once by a thousand swaps of two random positions on first use, and
// walked round and round from there.
class SampleOrder {
 public:
  int Next(Random& random);
  const std::array<int, kSamples>& Order() const { return order_; }
  bool Shuffled() const { return shuffled_; }
  int Position() const { return position_; }

 private:
  std::array<int, kSamples> order_{};
  bool shuffled_ = false;
  int position_ = 0;  // the entry the next call gives; kept below 16 so it never overflows
};

// The order every microscope of this run of the game walks; its reset is for tests.
SampleOrder& SharedSampleOrder();
void ResetSharedSampleOrder();

// A quarter to a half turn, either way: how far the view's angle jumps with a new sample.
float RandomOffsetChange(Random& random);
// The view's angle for the ring's angle and the sample's offset, within (-pi, pi].
float ViewAngle(float ringAngle, float offset);
// The ring's angle while dragged: its angle at the grip plus how far the pointer has gone round
// since, within (-pi, pi].
float RingAngle(float ringAtGrip, float pointerAtGrip, float pointerNow);
// The ring is gripped on its knurled band: 0.7 to 1.0 of its radius from the centre.
bool OnRingBand(const ScreenRect& ring, float x, float y);
// Whether (x, y) lies inside the round picture of a square sample.
bool InsideSample(const ScreenRect& sample, float x, float y);

struct Layout {
  ScreenRect view;                              // the eyepiece field
  ScreenRect ring;                              // the focus ring around it
  std::array<ScreenRect, kSamples> candidates;  // candidate k shows sample number k
  std::array<ScreenRect, kMatchesToSolve> boxes;
};
// Everything placed in the scene's rectangle: eight candidates round the ring, four on either side.
Layout ComputeLayout(const ScreenRect& scene);
// Candidates wear a thin brass frame a little larger than the picture.
inline constexpr float kFrameScale = 1.03f;

// The swim of the picture: a fan of a centre and 13 rim points, each drifting on two slow sines.
class Wobble {
 public:
  static constexpr int kRimPoints = 13;
  static constexpr int kPoints = kRimPoints + 1;  // point 0 is the centre
  void Renew(Random& random);
  // Where point i sits at time t, in the picture's own frame (-1..1, the rim on the unit circle).
  void Point(int i, float t, float& x, float& y) const;
  // The largest drift any point can have, in radii.
  static float MaxDrift();

 private:
  struct Axis {
    float amplitude = 0, speed = 0, phase = 0;
  };
  std::array<Axis, kPoints> x_{}, y_{};
};

enum class ClickKind { Ignored, NotAMatch, Match };

struct ClickResult {
  ClickKind kind = ClickKind::Ignored;
  int box = -1;         // a match: the check box it is ticked into
  bool solved = false;  // this match was the last one needed
};

// One visit to the microscope: the sample under the lens, the matches so far and the view change.
class Game {
 public:
  Game(Variant variant, SampleOrder& order, Random& random);

  Variant GetVariant() const { return variant_; }
  const std::string& ViewPicture() const { return view_; }
  int Matches() const { return matches_; }
  bool Solved() const { return matches_ >= kMatchesToSolve; }
  float Offset() const { return offset_; }
  // While the view changes it takes no clicks.
  bool Changing(float now) const;
  // How bright the view is drawn: 1 at rest, down to black and back up during a change.
  float Brightness(float now) const;

  // A click on the candidate showing picture. Counted at once: the fifth match solves the puzzle
  // even while its copy is still on the way to its box. Unless solved, the view changes.
  ClickResult Click(const std::string& picture, float now);
  // Half way through a change the picture is swapped (once); true at that step.
  bool Step(float now);
  // Skip: the remaining matches are counted and nothing changes any more.
  void SolveNow();

 private:
  Variant variant_;
  SampleOrder& order_;
  Random& random_;
  std::string view_;
  std::string next_;
  int matches_ = 0;
  float offset_ = 0;
  float changeStart_ = -1;  // negative: at rest
  bool swapped_ = false;
};

}  // namespace microscope
