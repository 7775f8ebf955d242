#include "puzzles/circuit_puzzle_environment.h"

#include <cstdio>
#include <string>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/circuit_puzzle_wire.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sound_pan.h"

using namespace puzzle;

namespace {

constexpr uint32_t kCircuitOptions = 125;
constexpr int kEnteredFlag = 73;
constexpr int kSolvedFlag = 20;
constexpr int kSearchVenueClass = 43;
constexpr const char* kExitVenue = "Shops_CuriosityShop.xml";
constexpr float kTileDepth = 0.1f;
constexpr float kTileEnlarge = 1.01f;  // neighbouring tiles overlap a hair, so no seam shows
// The cable needs as many cells as lie left of the grid; a grid far off to the right of its frame
// must not make this loop long.
constexpr int kMaxCables = 64;
const std::string kFolder = "Puzzles\\CircuitPuzzle\\";

void PlayAt(const char* sound, float volume, CSprite* where) {
  SoundParams params;
  params.volume = volume;
  SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  char text[160];
  if (auto* w = dynamic_cast<CCircuitPuzzleWire*>(object)) {
    auto* scene = dynamic_cast<CCircuitPuzzleEnvironment*>(w->GetParent());
    if (!scene || w->Index() >= scene->Board().Count()) return;
    const circuit::Tile& t = scene->Board().At(w->Index());
    std::snprintf(text, sizeof text,
                  "wire %d | type %d | column %d | row %d | turn %d | solution %d | powered %d | turning %d",
                  w->Index(), t.type, t.column, t.row, circuit::QuarterIndex(t.angle),
                  circuit::QuarterIndex(t.solution), t.powered ? 1 : 0, t.turning ? 1 : 0);
  } else if (auto* s = dynamic_cast<CCircuitPuzzleEnvironment*>(object)) {
    int powered = 0;
    for (int i = 0; i < s->Board().Count(); ++i) powered += s->Board().At(i).powered ? 1 : 0;
    std::snprintf(text, sizeof text, "solved %d | powered %d of %d | solving now %d", s->IsSolved() ? 1 : 0,
                  powered, s->Board().Count(), s->IsSolvingNow() ? 1 : 0);
  } else {
    return;
  }
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildCircuitPuzzle(const char* fileName) {
  std::string why;
  const std::optional<circuit::CircuitFile> file = circuit::LoadCircuitFile(fileName, &why);
  if (!file) {
    const std::string text = std::string(fileName ? fileName : "(no file)") + ": " + why;
    os::ShowMessageBox("Failed to open circuit puzzle", text.c_str(), os::MsgIcon::Error);
    return nullptr;
  }
  return new CCircuitPuzzleEnvironment(*file);
}

CCircuitPuzzleEnvironment::CCircuitPuzzleEnvironment(const circuit::CircuitFile& file)
    : CPuzzleEnvironment(kCircuitOptions, (kFolder + file.background).c_str()), board_(file) {
  const ScreenRect scene = GetScreenRect();
  const ScreenRect grid = FromReference(
      ScreenRect(float(file.rect[0]), float(file.rect[1]), float(file.rect[2]), float(file.rect[3])), scene);
  const float cellW = grid.Width() / float(board_.Columns());
  const float cellH = grid.Height() / float(board_.Rows());
  auto cell = [&](int column, int row, float angle) {
    return ScreenRect::FromCenter(cellW * kTileEnlarge, cellH * kTileEnlarge,
                                  grid.left + (float(column) + 0.5f) * cellW,
                                  grid.top + (float(row) + 0.5f) * cellH, angle);
  };

  board_.Scramble();
  // Weak references write into their slots when a tile dies: the slots must never move.
  wires_.assign(size_t(board_.Count()), nullptr);
  for (int i = 0; i < board_.Count(); ++i) {
    const circuit::Tile& t = board_.At(i);
    auto* wire = new CCircuitPuzzleWire(this, i, t.type);
    wire->SetScreenRect(cell(t.column, t.row, t.angle));
    wire->SetDepth(GetDepth() + kTileDepth);
    CreateWeakRef(wire, &wires_[size_t(i)]);
  }
  // The live cable runs in from the left edge along the power row.
  for (int column = -1; cables_ < kMaxCables; --column) {
    const ScreenRect r = cell(column, board_.PowerRow(), circuit::kQuarter);
    new CSprite(r, GetDepth() + kTileDepth, (kFolder + "StraightOn.png").c_str(), this);
    ++cables_;
    if (r.CenterX() - cellW / 2 <= scene.left) break;
  }
  Sync();
}

CCircuitPuzzleEnvironment::~CCircuitPuzzleEnvironment() {
  for (CXRef*& ref : wires_) delete ref;
}

CCircuitPuzzleWire* CCircuitPuzzleEnvironment::GetWire(int index) const {
  if (index < 0 || size_t(index) >= wires_.size()) return nullptr;
  return static_cast<CCircuitPuzzleWire*>(WeakTarget(wires_[size_t(index)]));
}

void CCircuitPuzzleEnvironment::Sync() {
  for (int i = 0; i < board_.Count(); ++i)
    if (CCircuitPuzzleWire* w = GetWire(i)) w->Show(board_.At(i));
}

void CCircuitPuzzleEnvironment::TurnWire(CCircuitPuzzleWire* wire, bool forwards) {
  if (!wire || wire->IsHidden() || !AcceptsInput()) return;
  if (!board_.Turn(wire->Index(), forwards)) return;
  PlayAt("Squeak.wav", 0.4f, wire);
}

void CCircuitPuzzleEnvironment::Update() {
  CPuzzleEnvironment::Update();
  if (IsSolved()) return;
  for (int i : board_.Advance(GetElapsed())) PlayAt("LightImpact.wav", 0.5f, GetWire(i));
  board_.Flood();
  Sync();
  // After Skip the board is solved once the turns end, even if the file's solution left a tile
  // dark: the player has paid for the solution and must not be left waiting.
  if (board_.AllPowered() || (IsSolvingNow() && !board_.AnyTurning())) Solved();
}

void CCircuitPuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      ArriveWithHelp(kEnteredFlag);
      break;
    case kCmdReset:
      if (AcceptsInput()) board_.Reset();
      break;
    case kCmdSolvedSpeechClosed:
      StartTransition(kSearchVenueClass, kExitVenue);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CCircuitPuzzleEnvironment::ShowHelp() {
  Say("CircuitPuzzleHelp");
}

void CCircuitPuzzleEnvironment::SolveNow() {
  if (IsSolved() || IsSolvingNow()) return;
  SetSolvingNow(true);
  board_.SolveNow();
}

void CCircuitPuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetSolvingNow(false);
  board_.MarkSolved();
  SetFlag(kSolvedFlag);
  PlayAt("Spark.wav", 0.6f, this);
  Say("CircuitPuzzleSolved", kCmdSolvedSpeechClosed);
}
