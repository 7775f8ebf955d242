// The item board's rules as pure functions: which findable objects are listed and in which slot,
// where each slot's caption goes, and what it reads. Random choices use the game's generator.
#pragma once

#include <string>
#include <vector>

#include "scene/screen_rect.h"

namespace itemlist {

// One object offered for listing.
struct Candidate {
  std::string name;
  std::string plural;
  bool required = false;  // an inventory class or hotspot id 9: always listed
  int object = 0;         // caller's handle (the object's index)
};

// Candidates in name order without regard to case; a new one goes before the first equal or
// greater name.
void InsertCandidate(std::vector<Candidate>& list, Candidate c);

struct SlotChoice {
  int slot = 0;
  std::string name, plural;
  std::vector<int> objects;  // handles of the group's objects
};
struct ListChoice {
  bool tooManyRequired = false;   // more required groups than slots: nothing is listed
  std::vector<SlotChoice> slots;  // one per listed group, in no particular slot order
  int total = 0;                  // listed objects
};
inline constexpr int kSwapAttempts = 100;
inline constexpr int kShuffleSwaps = 1000;
// Groups the sorted candidates by name, keeps at most slotCount groups (never dropping a required
// one), tries up to 100 swaps to bring the total to itemsToFind, and deals the groups into shuffled
// slots 0..m-1.
ListChoice ChooseList(const std::vector<Candidate>& sortedCandidates, int itemsToFind, int slotCount);
// A permutation of 0..m-1 made by 1000 swaps of two random positions.
std::vector<int> ShuffledSlots(int m);

// The caption grid for S slots.
struct Grid {
  int columns, rows;
};
Grid SlotGrid(int slotCount);
// The board's inner area for captions.
ScreenRect SlotArea(const ScreenRect& board);
// Where slot i's caption goes, for a caption of the given text aspect (width / height).
ScreenRect CaptionRect(const ScreenRect& slotArea, int slotCount, int slot, float textAspect);
// The caption after its text changed: same height and centre, never wider than before.
ScreenRect RefitCaption(const ScreenRect& old, float textAspect);
// "%d %s" with the plural for two or more, else the name; in a differences venue "Find %d
// differences" or "Find 1 difference".
std::string CaptionText(int count, bool differences, const std::string& name, const std::string& plural);

inline constexpr unsigned kCaptionWhite = 0xFFFFFFFFu;
inline constexpr unsigned kCaptionStruck = 0xFFC08080u;
inline constexpr float kStrikeDuration = 0.5f;
// The strike-out's progress 0..1 after the given time.
float StrikeProgress(float elapsed);
// The caption colour at that progress.
unsigned StrikeColor(float progress);
// The bar over the caption at that progress: 0.3 of its height, centred, growing from the left.
ScreenRect StrikeBar(const ScreenRect& caption, float progress);

}  // namespace itemlist
