#include "puzzles/safe_puzzle_environment.h"

#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/safe_dial.h"

using namespace puzzle;

namespace {

constexpr uint32_t kSafeOptions = 125;
constexpr int kEnteredFlag = 76;
constexpr int kSolvedFlag = 66;
constexpr int kStethoscopeClass = 13;
constexpr const char* kInsideTheSafe = "Warehouse_Safe.xml";

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CSafePuzzleEnvironment*>(object);
  if (!s) return;
  f.hasText = true;
  f.text = s->IsSolved() ? "solved 1" : "solved 0";
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildSafePuzzle(const char*) {
  return new CSafePuzzleEnvironment();
}

CSafePuzzleEnvironment::CSafePuzzleEnvironment()
    : CPuzzleEnvironment(kSafeOptions, "Puzzles\\SafePuzzle\\Background.jpg") {
  CreateWeakRef(new CSafeDial(this), &dial_);
}

CSafePuzzleEnvironment::~CSafePuzzleEnvironment() {
  delete dial_;
}

CSafeDial* CSafePuzzleEnvironment::GetDial() const {
  return static_cast<CSafeDial*>(WeakTarget(dial_));
}

void CSafePuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      ArriveWithHelp(kEnteredFlag);
      break;
    case kCmdSafeOpened:
      Solved();
      break;
    case kCmdReset:
      if (CSafeDial* dial = GetDial(); dial && AcceptsInput()) dial->StartReset();
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CSafePuzzleEnvironment::ShowHelp() {
  Say("SafePuzzleHelp");
}

void CSafePuzzleEnvironment::Overshot() {
  Say("SafeCombinationError");
}

void CSafePuzzleEnvironment::SolveNow() {
  Solved();
}

void CSafePuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  RemoveSavedInventoryItem(kStethoscopeClass);
  SetFlag(kSolvedFlag);
  PlaySound(GetSoundEffect("OpenSafe.wav"), SoundParams{});
  StartTransition(TypeId::kSearchEnvironment, kInsideTheSafe);
}
