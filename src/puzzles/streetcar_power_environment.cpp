#include "puzzles/streetcar_power_environment.h"

#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_patch.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sound_pan.h"

using namespace puzzle;

namespace {

constexpr uint32_t kPowerOptions = 125;  // corner, Back, Skip, Reset, Menu, Help
constexpr int kCmdLever = 1339;
constexpr int kEnteredFlag = 75;
constexpr int kSolvedFlag = 52;
constexpr const char* kOff = "Puzzles\\StreetcarPower\\BackgroundOff.jpg";
constexpr const char* kOn = "Puzzles\\StreetcarPower\\BackgroundOn.jpg";
constexpr const char* kExit = "TrolleyBarn_Office.xml";

// Lamp rectangles row by row (A1 A2 A3, B1 ..., C1 ...), content frame.
constexpr float kColumnX[] = {85, 401, 654, 950};
constexpr float kRowY[] = {22, 190, 341, 520};

struct LeverRects {
  ScreenRect drawn, click;
};
const LeverRects kLevers[power::kSwitchCount] = {
    {{148, 542, 219, 692}, {148, 567, 210, 654}}, {{304, 542, 393, 692}, {333, 567, 382, 654}},
    {{445, 542, 543, 692}, {496, 567, 532, 654}}, {{595, 542, 709, 692}, {657, 567, 706, 654}},
    {{751, 542, 890, 692}, {826, 567, 890, 654}},
};

void Play(const char* sound, CSprite* where = nullptr) {
  SoundParams params;
  if (where) SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CStreetcarPowerEnvironment*>(object);
  if (!s) return;
  // Lamps A1..C3 and levers 0..4 as 1 (lit) and 0 (dark).
  char lamps[power::kLampCount + 1] = {}, levers[power::kSwitchCount + 1] = {};
  for (int i = 0; i < power::kLampCount; ++i) lamps[i] = s->Panel().LampLit(i) ? '1' : '0';
  for (int v = 0; v < power::kSwitchCount; ++v) levers[v] = s->Panel().LeverOn(v) ? '1' : '0';
  char text[96];
  std::snprintf(text, sizeof text, "solved %d | lamps %s | levers %s", s->IsSolved() ? 1 : 0, lamps, levers);
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildStreetcarPower(const char*) {
  return new CStreetcarPowerEnvironment;
}

CStreetcarPowerEnvironment::CStreetcarPowerEnvironment() : CPuzzleEnvironment(kPowerOptions, kOff) {
  for (int i = 0; i < power::kLampCount; ++i) {
    const int row = i / 3, col = i % 3;
    const ScreenRect r(kColumnX[col], kRowY[row], kColumnX[col + 1], kRowY[row + 1]);
    CreateWeakRef(new CPuzzlePatch(this, r, kOn, 0), &lamps_[size_t(i)]);
  }
  for (int v = 0; v < power::kSwitchCount; ++v) {
    const LeverRects& r = kLevers[v];
    auto* lever = new CPuzzlePatch(this, r.drawn, kOn, kCmdLever, 0, nullptr, &r.click);
    lever->SetId(v);
    CreateWeakRef(lever, &levers_[size_t(v)]);
  }
  panel_.Scramble();
  Sync();
  // Loaded now so that the first lever and the bell play at once.
  GetSoundEffect("LightSwitch.wav");
  GetSoundEffect("StreetcarBell.wav");
}

CStreetcarPowerEnvironment::~CStreetcarPowerEnvironment() {
  for (CXRef*& ref : lamps_) delete ref;
  for (CXRef*& ref : levers_) delete ref;
}

CPuzzlePatch* CStreetcarPowerEnvironment::Lamp(int index) const {
  if (index < 0 || index >= power::kLampCount) return nullptr;
  return static_cast<CPuzzlePatch*>(WeakTarget(lamps_[size_t(index)]));
}

CPuzzlePatch* CStreetcarPowerEnvironment::Lever(int value) const {
  if (value < 0 || value >= power::kSwitchCount) return nullptr;
  return static_cast<CPuzzlePatch*>(WeakTarget(levers_[size_t(value)]));
}

void CStreetcarPowerEnvironment::Sync() {
  for (int i = 0; i < power::kLampCount; ++i)
    if (CPuzzlePatch* p = Lamp(i)) p->SetOpacity(panel_.LampLit(i) ? 1.0f : 0.0f);
  for (int v = 0; v < power::kSwitchCount; ++v)
    if (CPuzzlePatch* p = Lever(v)) p->SetOpacity(panel_.LeverOn(v) ? 1.0f : 0.0f);
}

void CStreetcarPowerEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdLever:
      Flip(sender);
      break;
    case kCmdArrived:
      ArriveWithHelp(kEnteredFlag);
      break;
    case kCmdReset:
      if (!AcceptsInput()) break;
      panel_.Reset();
      Sync();
      Play("LightSwitch.wav");
      break;
    case kCmdSolvedSpeechClosed:
      StartTransition(TypeId::kSearchEnvironment, kExit);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CStreetcarPowerEnvironment::Flip(CGameObject* sender) {
  if (!AcceptsInput() || !sender || sender->GetParent() != this) return;
  if (!panel_.Flip(sender->GetId())) return;
  Sync();
  Play("LightSwitch.wav", static_cast<CSprite*>(sender));
  if (panel_.Solved()) Solved();
}

void CStreetcarPowerEnvironment::ShowHelp() {
  Say("StreetcarPowerPuzzleHelp");
}

void CStreetcarPowerEnvironment::SolveNow() {
  if (IsSolved()) return;
  panel_.LightAll();
  Sync();
  Solved();
}

void CStreetcarPowerEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetFlag(kSolvedFlag);
  Play("StreetcarBell.wav");
  Say("StreetcarPowerPuzzleSolved", kCmdSolvedSpeechClosed);
}
