#include "puzzles/slide_puzzle_environment.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_inventory.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/slide_puzzle_token.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "scene/sprite_animator.h"
#include "search/inventory_board.h"
#include "search/inventory_item.h"

using namespace puzzle;

namespace {

constexpr uint32_t kSlideOptions = 127;
constexpr int kCmdBlockLeft = 1340;
constexpr int kSolvedFlag = 96;
constexpr int kPuzzleBoxClass = 18;
constexpr float kSlideTime = 0.5f;
constexpr float kTokenDepth = 0.1f;
const std::string kFolder = "Puzzles\\SlidePuzzle\\";

void PlayAt(const char* sound, CSprite* where) {
  SoundParams params;
  SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CSlidePuzzleEnvironment*>(object);
  if (!s) return;
  char text[96];
  std::snprintf(text, sizeof text, "solved %d | dragging %d", s->IsSolved() ? 1 : 0, s->Board().Dragged());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

ScreenRect ToScreen(const slide::Rect& r) {
  return ScreenRect::FromCenter(r.Width(), r.Height(), r.CentreX(), r.CentreY());
}

}  // namespace

CEnvironment* BuildSlidePuzzle(const char* fileName) {
  const std::optional<slide::SlideFile> file = slide::LoadSlideFile(fileName);
  if (!file) {
    os::ShowMessageBox("Failed to open slide puzzle", fileName ? fileName : "(no file)", os::MsgIcon::Error);
    return nullptr;
  }
  return new CSlidePuzzleEnvironment(*file);
}

CSlidePuzzleEnvironment::CSlidePuzzleEnvironment(const slide::SlideFile& file)
    : CPuzzleEnvironment(kSlideOptions, (kFolder + file.background).c_str()),
      file_(file),
      board_(slide::Board::FromFile(file, GetScreenRect().Width() / 1024.0f,
                                    GetScreenRect().Height() / 768.0f, GetScreenRect().left,
                                    GetScreenRect().top)) {
  // Weak references write into their slots when the token dies: the slots must never move.
  tokens_.assign(size_t(board_.Count()), nullptr);
  for (int i = 0; i < board_.Count(); ++i) {
    auto* token = new CSlidePuzzleToken(this, i, kFolder + slide::BlockPictureName(file_.tokens[size_t(i)]));
    token->SetDepth(GetDepth() + kTokenDepth);
    CreateWeakRef(token, &tokens_[size_t(i)]);
  }
  prizeIndex_ = board_.IndexOf(file_.prizeToken);
  if (!file_.prize.empty() && prizeIndex_ >= 0) {
    auto* prize = new CSprite;
    prize->Attach(this, 0);
    prize->SetTexture((kFolder + file_.prize).c_str());
    prize->SetDepth(GetDepth() + 2 * kTokenDepth);
    CreateWeakRef(prize, &prize_);
  }
  if (CInventoryBoard* strip = GetInventory()) new CSpriteAnimator(strip, kAnimSlideOutRight, 0.0f, 0);
  SyncTokens();
}

CSlidePuzzleEnvironment::~CSlidePuzzleEnvironment() {
  EndDrag();
  for (CXRef*& ref : tokens_) delete ref;
  delete prize_;
}

CSlidePuzzleToken* CSlidePuzzleEnvironment::GetToken(int index) const {
  if (index < 0 || size_t(index) >= tokens_.size()) return nullptr;
  return static_cast<CSlidePuzzleToken*>(WeakTarget(tokens_[size_t(index)]));
}

void CSlidePuzzleEnvironment::SyncTokens() {
  for (int i = 0; i < board_.Count(); ++i) {
    if (CSlidePuzzleToken* t = GetToken(i)) t->SetScreenRect(ToScreen(board_.At(i).rect));
  }
  if (auto* prize = static_cast<CSprite*>(WeakTarget(prize_)); prize && prizeIndex_ >= 0)
    prize->SetScreenRect(ToScreen(board_.At(prizeIndex_).rect));
}

void CSlidePuzzleEnvironment::GripToken(CSlidePuzzleToken* token) {
  if (!token || !AcceptsInput() || DraggedObject()) return;
  const slide::Rect& r = board_.At(token->Index()).rect;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!board_.Pick(token->Index())) return;
  if (!BeginDrag(token, r.CentreX(), r.CentreY(), float(x), float(y))) board_.Release();
}

void CSlidePuzzleEnvironment::Update() {
  CPuzzleEnvironment::Update();
  if (slideStart_ >= 0 && prizeIndex_ >= 0) {
    // The prize slides right until its left edge meets the scene's right edge.
    const slide::Rect& r = board_.At(prizeIndex_).rect;
    const float t = std::clamp((GetTime() - slideStart_) / kSlideTime, 0.0f, 1.0f);
    const float toX = GetScreenRect().right + r.Width() / 2;
    board_.Place(prizeIndex_, slideFromX_ + t * (toX - slideFromX_), r.CentreY());
    SyncTokens();
    if (t >= 1) slideStart_ = -1;
  }
  DragStep();
}

void CSlidePuzzleEnvironment::DragStep() {
  auto* token = dynamic_cast<CSlidePuzzleToken*>(DraggedObject());
  if (!token || token->GetParent() != this) return;
  if (!AcceptsInput() || !IsLeftButtonDown()) {
    EndDrag();
    board_.Release();
    return;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float cx = 0, cy = 0;
  DragTarget(float(x), float(y), cx, cy);
  const slide::MoveResult moved = board_.MoveTo(board_.At(token->Index()).horizontal ? cx : cy);
  SyncTokens();
  if (moved.thump) PlayAt("Thump.wav", token);
  if (moved.exited) {
    EndDrag();
    PlayAt("PuzzleMatch.wav", token);
    OnNotify(token, kCmdBlockLeft);
  }
}

void CSlidePuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      Say("SlidePuzzleIntro");
      break;
    case kCmdBlockLeft:
      Solved();
      break;
    case kCmdReset:
      Reset();
      break;
    case kCmdSolvedSpeechClosed:
      ReturnToVenue(0.0f);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CSlidePuzzleEnvironment::ShowHelp() {
  Say("SlidePuzzleHelp");
}

void CSlidePuzzleEnvironment::SolveNow() {
  if (IsSolved()) return;
  EndDrag();
  Solved();
}

void CSlidePuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  board_.MarkSolved();
  SetFlag(kSolvedFlag);
  if (prizeIndex_ >= 0) {
    slideStart_ = GetTime();
    slideFromX_ = board_.At(prizeIndex_).rect.CentreX();
  }
  RemoveInventoryClass(kPuzzleBoxClass);
  if (CInventoryBoard* strip = GetInventory()) {
    bool held = false;
    for (CInventoryItem* i = FirstInventoryItem(); i; i = i->Next())
      held = held || i->GetClass() == file_.inventoryId;
    if (!held)
      AddInventoryItem(strip, file_.inventoryId, file_.inventoryImage.c_str(),
                       file_.inventorySingular.c_str(), file_.inventoryPlural.c_str());
    new CSpriteAnimator(strip, kAnimSlideInRight, kSlideTime, 0);
  }
  Say("SlidePuzzleSolved", kCmdSolvedSpeechClosed);
}

void CSlidePuzzleEnvironment::Reset() {
  if (!AcceptsInput()) return;
  EndDrag();
  board_.Reset();
  SyncTokens();
}
