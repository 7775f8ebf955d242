#include "puzzles/jigsaw_environment.h"

#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "effects/starburst.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/jigsaw_piece.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_inventory.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "scene/sprite_animator.h"
#include "search/inventory_board.h"
#include "search/inventory_item.h"
#include "search/inventory_layout.h"

using namespace puzzle;

namespace {

constexpr uint32_t kJigsawOptions = 127;
constexpr float kSideShare = 0.2f;  // a piece is a fifth of the scene's width
constexpr float kStripSlideTime = 0.5f;
constexpr float kFlightDepthAboveStrip = 0.1f;
constexpr float kSolvedLeftSides = 1.0f, kSolvedUpSides = 0.3f;

void PlayAt(const char* sound, CSprite* where) {
  SoundParams params;
  SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* j = dynamic_cast<CJigsawEnvironment*>(object);
  if (!j) return;
  char text[96];
  std::snprintf(text, sizeof text, "solved %d | links %d | dragging %d", j->IsSolved() ? 1 : 0,
                j->Board().JoinedLinks(), DraggedObject() ? 1 : 0);
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildJigsaw(const char* fileName) {
  const std::optional<jigsaw::JigsawFile> file = jigsaw::LoadJigsawFile(fileName);
  if (!file) {
    os::ShowMessageBox("Failed to open jigsaw puzzle", fileName ? fileName : "(no file)", os::MsgIcon::Error);
    return nullptr;
  }
  return new CJigsawEnvironment(*file);
}

CJigsawEnvironment::CJigsawEnvironment(const jigsaw::JigsawFile& file)
    : CPuzzleEnvironment(kJigsawOptions, file.BackgroundName().c_str()),
      file_(file),
      board_(kSideShare * GetScreenRect().Width(), GetDepth()) {
  // The strip waits off the screen until the picture is whole.
  if (CInventoryBoard* strip = GetInventory()) new CSpriteAnimator(strip, kAnimSlideOutRight, 0.0f, 0);
  for (int r = 1; r <= jigsaw::kRows; ++r) {
    for (int c = 1; c <= jigsaw::kColumns; ++c) {
      const int index = jigsaw::PieceIndex(r, c);
      CreateWeakRef(new CJigsawPiece(this, index, file_.PieceName(r, c)), &pieces_[size_t(index)]);
    }
  }
  board_.Scatter(GetScreenRect());
  SyncPieces();
}

CJigsawEnvironment::~CJigsawEnvironment() {
  EndDrag();
  for (CXRef*& ref : pieces_) delete ref;
  delete completing_;
  delete prize_;
}

CJigsawPiece* CJigsawEnvironment::GetPiece(int index) const {
  if (index < 0 || size_t(index) >= pieces_.size()) return nullptr;
  return static_cast<CJigsawPiece*>(WeakTarget(pieces_[size_t(index)]));
}

int CJigsawEnvironment::PieceCount() const {
  int n = 0;
  for (CXRef* ref : pieces_) n += WeakTarget(ref) ? 1 : 0;
  return n;
}

CJigsawPiece* CJigsawEnvironment::GetCompletingPiece() const {
  return static_cast<CJigsawPiece*>(WeakTarget(completing_));
}

void CJigsawEnvironment::SyncPieces() {
  const float s = board_.Side();
  for (int i = 0; i < jigsaw::kPieces; ++i) {
    CJigsawPiece* piece = GetPiece(i);
    if (!piece || piece->IsFlying()) continue;
    const jigsaw::Piece& p = board_.At(i);
    piece->SetScreenRect(ScreenRect::FromCenter(s, s, p.x, p.y));
    piece->SetDepth(p.depth);
  }
}

// ---- Dragging ------------------------------------------------------------------------------------

void CJigsawEnvironment::GripPiece(CJigsawPiece* piece) {
  if (!piece || !AcceptsInput() || DraggedObject()) return;
  const jigsaw::Piece& p = board_.At(piece->Index());
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!BeginDrag(piece, p.x, p.y, float(x), float(y))) return;
  board_.Lift(piece->Index());
  SyncPieces();
  PlayAt("PuzzleClick.wav", piece);
}

void CJigsawEnvironment::Update() {
  CPuzzleEnvironment::Update();
  if (flying_) {
    FlightStep();
    return;
  }
  DragStep();
}

void CJigsawEnvironment::DragStep() {
  auto* piece = dynamic_cast<CJigsawPiece*>(DraggedObject());
  if (!piece || piece->GetParent() != this) return;
  // A solve that started meanwhile takes the picture out of the player's hand.
  if (!AcceptsInput()) {
    EndDrag();
    return;
  }
  if (!IsLeftButtonDown()) {
    Release(piece);
    return;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float cx = 0, cy = 0;
  DragTarget(float(x), float(y), cx, cy);
  board_.MoveGroup(piece->Index(), cx, cy);
  SyncPieces();
}

void CJigsawEnvironment::Release(CJigsawPiece* piece) {
  EndDrag();
  const std::vector<jigsaw::Snap> snaps = board_.Drop(piece->Index());
  SyncPieces();
  for (const jigsaw::Snap& snap : snaps) {
    const float w = 0.5f * board_.Side();
    const ScreenRect burst = ScreenRect::FromCenter(w, w, snap.burstX, snap.burstY);
    new CStarburst(piece, this, &burst);
  }
  if (snaps.empty()) return;
  PlayAt("Thump.wav", piece);
  if (board_.IsComplete()) OnNotify(piece, kCmdSolved);
}

// ---- Commands ------------------------------------------------------------------------------------

void CJigsawEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      if (!SetFlag(file_.startedFlag)) Say(file_.introSpeech.c_str());
      break;
    case kCmdSolved:
      Solved(sender);
      break;
    case kCmdReset:
      Reset();
      break;
    case kCmdSolvedSpeechClosed:
      if (CJigsawPiece* piece = GetCompletingPiece()) piece->OnNotify(this, kCmdFlyToInventory);
      if (file_.exitVenue)
        StartTransition(TypeId::kSearchEnvironment, file_.exitVenue->c_str(), 1.0f);
      else
        ReturnToVenue(1.0f);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CJigsawEnvironment::ShowHelp() {
  Say(file_.helpSpeech.c_str());
}

void CJigsawEnvironment::Solved(CGameObject* sender) {
  if (!MarkSolved()) return;  // once only, whoever reports it
  SetFlag(file_.solvedFlag);
  delete completing_;
  CreateWeakRef(dynamic_cast<CJigsawPiece*>(sender), &completing_);
  if (!GetCompletingPiece()) CreateWeakRef(GetPiece(0), &completing_);
  // The scraps leave the strip and the mended picture is promised to it at once, so leaving now
  // (or quitting during the speech) keeps the prize; the flight only shows it arriving.
  RemoveInventoryClass(file_.pieceInventoryClass);
  if (CInventoryBoard* strip = GetInventory()) {
    delete prize_;
    CreateWeakRef(ReserveInventoryItem(strip, file_.solutionInventoryClass, file_.solutionImage.c_str(),
                                       file_.solutionSingular.c_str(), file_.solutionPlural.c_str()),
                  &prize_);
    new CSpriteAnimator(strip, kAnimSlideInRight, kStripSlideTime, 0);
  }
  Say(file_.solvedSpeech.c_str(), kCmdSolvedSpeechClosed);
}

void CJigsawEnvironment::Reset() {
  if (!AcceptsInput()) return;
  EndDrag();
  board_.Scatter(GetScreenRect());
  SyncPieces();
}

void CJigsawEnvironment::SolveNow() {
  if (IsSolved()) return;
  EndDrag();
  const ScreenRect r = GetScreenRect();
  const float s = board_.Side();
  board_.Solve(r.CenterX() - kSolvedLeftSides * s, r.CenterY() - kSolvedUpSides * s);
  SyncPieces();
  OnNotify(GetPiece(0), kCmdSolved);
}

// ---- The flight into the strip ---------------------------------------------------------------------

ScreenRect CJigsawEnvironment::FlightTarget(float& width) {
  width = board_.Side() / 10.0f;
  if (auto* item = static_cast<CInventoryItem*>(WeakTarget(prize_))) return item->SlotRect();
  if (CInventoryBoard* strip = GetInventory()) {
    std::vector<int> used;
    for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next()) used.push_back(i->GetSlot());
    return strip->SlotRect(inventory::SmallestFreeSlot(used));
  }
  const ScreenRect r = GetScreenRect();
  return ScreenRect::FromCenter(width, width, r.right, r.CenterY());
}

void CJigsawEnvironment::StartFlightFrom(CJigsawPiece* piece) {
  if (!piece || flying_ || !IsSolved()) return;
  float width = 0;
  const ScreenRect target = FlightTarget(width);
  const float depth = (GetInventory() ? GetInventory()->GetDepth() : GetDepth()) + kFlightDepthAboveStrip;
  for (int i = 0; i < jigsaw::kPieces; ++i) {
    if (CJigsawPiece* p = GetPiece(i)) p->SetDepth(depth);
  }
  piece->StartFlight(target.CenterX(), target.CenterY(), width);
  flying_ = piece;
}

void CJigsawEnvironment::FlightStep() {
  const float now = GetTime();
  float x = 0, y = 0, w = 0;
  flying_->FlightAt(now, x, y, w);
  // The whole picture travels around the leading piece, shrinking with it.
  const int lead = flying_->Index();
  for (int i = 0; i < jigsaw::kPieces; ++i) {
    CJigsawPiece* p = GetPiece(i);
    if (!p) continue;
    const float dx = float(i % jigsaw::kColumns - lead % jigsaw::kColumns) * jigsaw::kSpacing * w;
    const float dy = float(i / jigsaw::kColumns - lead / jigsaw::kColumns) * jigsaw::kSpacing * w;
    p->SetScreenRect(ScreenRect::FromCenter(w, w, x + dx, y + dy));
  }
  if (now >= flying_->GetFlight().endTime) Land();
}

void CJigsawEnvironment::Land() {
  auto* item = static_cast<CInventoryItem*>(WeakTarget(prize_));
  LandInventoryItem(item);
  CSprite* anchor = item ? static_cast<CSprite*>(item) : flying_;
  new CStarburst(anchor, this);
  PlayAt("Thump.wav", anchor);
  flying_ = nullptr;
  for (int i = 0; i < jigsaw::kPieces; ++i) delete GetPiece(i);
}
