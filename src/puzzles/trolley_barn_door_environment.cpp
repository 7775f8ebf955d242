#include "puzzles/trolley_barn_door_environment.h"

#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_patch.h"
#include "puzzles/puzzle_rules.h"

using namespace puzzle;
using barndoor::kColumns;

namespace {

constexpr uint32_t kDoorOptions = 109;  // corner, Back, Skip, Menu, Help
constexpr int kCmdButton = 1344;
constexpr int kEnteredFlag = 74;
constexpr int kSolvedFlag = 60;
constexpr const char* kOff = "Puzzles\\TrolleyBarnDoor\\BackgroundOff.jpg";
constexpr const char* kOn = "Puzzles\\TrolleyBarnDoor\\BackgroundOn.jpg";
constexpr const char* kExit = "TrolleyBarn_ShopFloor.xml";
// The wrong-press buzz is spelled so in the content; sound names ignore letter case.
constexpr const char* kBuzz = "PUzzleBuzz.wav";

// Lamp columns in the content frame, left to right.
constexpr float kLampX[kColumns][2] = {{184, 227}, {250, 293}, {317, 361}, {384, 431},
                                       {451, 497}, {521, 565}, {588, 633}, {653, 700}};
constexpr float kCallY[2] = {9, 50};
constexpr float kProgressY[2] = {53, 99};

// Buttons left to right: x range and the column each answers (its engraved symbol).
struct ButtonPlace {
  float left, right;
  int value;
};
constexpr ButtonPlace kButtons[kColumns] = {{211, 269, 3}, {275, 341, 1}, {341, 409, 6}, {409, 477, 2},
                                            {477, 543, 4}, {543, 609, 7}, {609, 677, 0}, {677, 743, 5}};
constexpr float kButtonY[2] = {640, 697};

void Play(const char* sound, float pitch = 1.0f) {
  SoundParams params;
  params.pitch = pitch;
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CTrolleyBarnDoorEnvironment*>(object);
  if (!s) return;
  // What the panel shows: the column calling and how many are answered.
  char text[96];
  std::snprintf(text, sizeof text, "solved %d | calling %d | answered %d", s->IsSolved() ? 1 : 0,
                s->Sequence().Calling(), s->Sequence().Position());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildTrolleyBarnDoor(const char*) {
  return new CTrolleyBarnDoorEnvironment;
}

CTrolleyBarnDoorEnvironment::CTrolleyBarnDoorEnvironment() : CPuzzleEnvironment(kDoorOptions, kOff) {
  for (int c = 0; c < kColumns; ++c) {
    const ScreenRect call(kLampX[c][0], kCallY[0], kLampX[c][1], kCallY[1]);
    const ScreenRect done(kLampX[c][0], kProgressY[0], kLampX[c][1], kProgressY[1]);
    CreateWeakRef(new CPuzzlePatch(this, call, kOn, 0, CPuzzlePatch::kBlink), &calls_[size_t(c)]);
    CreateWeakRef(new CPuzzlePatch(this, done, kOn, 0), &progress_[size_t(c)]);
  }
  for (int i = 0; i < kColumns; ++i) {
    const ButtonPlace& b = kButtons[i];
    auto* button = new CPuzzlePatch(this, ScreenRect(b.left, kButtonY[0], b.right, kButtonY[1]), kOn,
                                    kCmdButton, CPuzzlePatch::kHighlight);
    button->SetId(b.value);
    CreateWeakRef(button, &buttons_[size_t(b.value)]);
  }
  Sync();
  GetSoundEffect("Ding.wav");
  GetSoundEffect(kBuzz);
  GetSoundEffect("Unlock.wav");
}

CTrolleyBarnDoorEnvironment::~CTrolleyBarnDoorEnvironment() {
  for (auto* refs : {&calls_, &progress_, &buttons_})
    for (CXRef*& ref : *refs) delete ref;
}

namespace {
CPuzzlePatch* At(const std::array<CXRef*, kColumns>& refs, int column) {
  if (column < 0 || column >= kColumns) return nullptr;
  return static_cast<CPuzzlePatch*>(WeakTarget(refs[size_t(column)]));
}
}  // namespace

CPuzzlePatch* CTrolleyBarnDoorEnvironment::CallLamp(int column) const {
  return At(calls_, column);
}
CPuzzlePatch* CTrolleyBarnDoorEnvironment::ProgressLamp(int column) const {
  return At(progress_, column);
}
CPuzzlePatch* CTrolleyBarnDoorEnvironment::Button(int value) const {
  return At(buttons_, value);
}

void CTrolleyBarnDoorEnvironment::Sync() {
  const int calling = sequence_.Calling();
  for (int c = 0; c < kColumns; ++c) {
    if (CPuzzlePatch* p = CallLamp(c)) p->SetOpacity(c == calling ? 1.0f : 0.0f);
    if (CPuzzlePatch* p = ProgressLamp(c)) p->SetOpacity(sequence_.Answered(c) ? 1.0f : 0.0f);
  }
}

void CTrolleyBarnDoorEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdButton:
      Press(sender);
      break;
    case kCmdArrived:
      ArriveWithHelp(kEnteredFlag);
      break;
    case kCmdSolvedSpeechClosed:
      StartTransition(TypeId::kSearchEnvironment, kExit);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CTrolleyBarnDoorEnvironment::Press(CGameObject* sender) {
  if (!AcceptsInput() || !sender || sender->GetParent() != this) return;
  const int column = sender->GetId();
  switch (sequence_.Push(column)) {
    case barndoor::Press::Right:
      Sync();
      Play("Ding.wav", barndoor::DingPitch(column));
      break;
    case barndoor::Press::Wrong:
      Sync();
      Say("PushedTheWrongButton");
      Play(kBuzz);
      break;
    case barndoor::Press::Solved:
      Solved();
      break;
    case barndoor::Press::Ignored:
      break;
  }
}

void CTrolleyBarnDoorEnvironment::ShowHelp() {
  Say("TrolleyBarnDoorPuzzleHelp");
}

void CTrolleyBarnDoorEnvironment::SolveNow() {
  if (IsSolved()) return;
  sequence_.SolveNow();
  Solved();
}

void CTrolleyBarnDoorEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetFlag(kSolvedFlag);
  Sync();  // every call lamp out, the four answers lit
  for (int c = 0; c < kColumns; ++c) {
    CPuzzlePatch* p = ProgressLamp(c);
    if (p && sequence_.Answered(c)) p->SetOptions(p->GetOptions() | CPuzzlePatch::kBlink);
  }
  Play("Unlock.wav");
  Say("TrolleyBarnDoorPuzzleSolved", kCmdSolvedSpeechClosed);
}
