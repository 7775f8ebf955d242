#include "puzzles/puzzle_environment.h"

#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_button_board.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_inventory.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sprite_animator.h"
#include "search/inventory_board.h"
#include "ui/dialog_host.h"
#include "ui/game_dialog.h"
#include "ui/jorvane_corner.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"
#include "ui/speech_balloon.h"

using puzzle::EndDrag;
using puzzle::kBoardSlideTime;
using puzzle::kCmdBack;
using puzzle::kCmdBookClosed;
using puzzle::kCmdMenu;
using puzzle::kCmdSkip;
using puzzle::kSkipBoxId;

namespace {
constexpr unsigned kMenuOptions = 7;
constexpr float kSkipBoxLineHeight = 0.05f;

// Every puzzle class derives from the frame, so "is a puzzle" asks the frame's own table of ids.
bool IsPuzzleTypeId(int id) {
  switch (id) {
    case TypeId::kJigsawEnvironment:
    case TypeId::kCameraPuzzleEnvironment:
    case TypeId::kPlayerPianoEnvironment:
    case TypeId::kCircuitPuzzleEnvironment:
    case TypeId::kMicroscopeEnvironment:
    case TypeId::kStreetcarPowerEnvironment:
    case TypeId::kSlidePuzzleEnvironment:
    case TypeId::kMatch3PuzzleEnvironment:
    case TypeId::kTrolleyBarnDoorEnvironment:
    case TypeId::kSafePuzzleEnvironment:
    case TypeId::kRoomLockPuzzleEnvironment:
    case TypeId::kJewelPuzzleEnvironment:
    case TypeId::kPuzzleEnvironment:
      return true;
    default:
      return false;
  }
}
}  // namespace

CPuzzleEnvironment::CPuzzleEnvironment(uint32_t options, const char* background)
    : CEnvironment(background), options_(options), arrivalTime_(GetTime()) {
  if (options & puzzle::kOptCorner) CreateWeakRef(new CJorvaneCorner(this), &corner_);
  if (options & puzzle::kOptInventory) CreateWeakRef(puzzle::RestoreInventoryStrip(this), &inventory_);
  if (options & puzzle::kOptButtons) {
    auto* board = new CPuzzleButtonBoard(this, this, options);
    CreateWeakRef(board, &board_);
    if (CPushbutton* skip = board->GetButton(kCmdSkip); skip && !GetDialogHost().IsCheatMode())
      skip->Disable(puzzle::kSkipDelay);
  }
}

CPuzzleEnvironment::~CPuzzleEnvironment() {
  // Whatever the player carried in the puzzle stays with the player.
  if (CInventoryBoard* strip = GetInventory()) puzzle::SaveInventoryStrip(strip);
  EndDrag();
  delete corner_;
  delete inventory_;
  delete board_;
  delete skipBox_;
}

CPuzzleEnvironment* CurrentPuzzle() {
  CEnvironment* scene = CurrentScene();
  return scene && IsPuzzleTypeId(scene->GetTypeId()) ? static_cast<CPuzzleEnvironment*>(scene) : nullptr;
}

CJorvaneCorner* CPuzzleEnvironment::GetCorner() const {
  return static_cast<CJorvaneCorner*>(WeakTarget(corner_));
}

CInventoryBoard* CPuzzleEnvironment::GetInventory() const {
  return static_cast<CInventoryBoard*>(WeakTarget(inventory_));
}

CPuzzleButtonBoard* CPuzzleEnvironment::GetButtonBoard() const {
  return static_cast<CPuzzleButtonBoard*>(WeakTarget(board_));
}

bool CPuzzleEnvironment::SkipReady() const {
  return puzzle::SkipReady(GetTime(), arrivalTime_, GetDialogHost().IsCheatMode());
}

void CPuzzleEnvironment::Update() {
  if (const int code = deferredCode_) {
    deferredCode_ = 0;
    OnNotify(this, code);
  }
}

void CPuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdMenu:
      OnEscape();
      break;
    case kCmdBack:
      ReturnToVenue(0.0f);
      break;
    case kCmdSkip:
      AskSkip();
      break;
    case puzzle::kCmdYes:
      // Only the Skip question's Yes, and only while there is still something to skip.
      if (!IsSkipBox(sender) || solved_ || solvingNow_) break;
      AddTimePenalty(puzzle::kSkipPenalty);
      SolveNow();
      break;
    case puzzle::kCmdHelp:
      ShowHelp();
      break;
    case kCmdBookClosed:
      ShowButtons();
      break;
    default:
      break;
  }
}

void CPuzzleEnvironment::OnEscape() {
  OpenGameDialog(this, kMenuOptions);
}

void CPuzzleEnvironment::AskSkip() {
  if (solved_ || solvingNow_ || !SkipReady()) return;
  if (auto* open = static_cast<CMessageBox*>(WeakTarget(skipBox_)); open && !open->IsClosing()) return;
  auto* box = new CMessageBox("ConfirmSkip", "GoldFlat2", kSkipBoxLineHeight, this, kBoxYesNo);
  box->SetId(kSkipBoxId);
  delete skipBox_;
  CreateWeakRef(box, &skipBox_);
}

bool CPuzzleEnvironment::IsSkipBox(CGameObject* sender) const {
  return sender && sender->GetTypeId() == TypeId::kMessageBox && sender->GetId() == kSkipBoxId;
}

bool CPuzzleEnvironment::MarkSolved() {
  if (solved_) return false;
  solved_ = true;
  solvedTime_ = GetTime();
  EndDrag();
  if (CPuzzleButtonBoard* board = GetButtonBoard())
    new CSpriteAnimator(board, kAnimSlideOutBottom, kBoardSlideTime, 0);
  return true;
}

void CPuzzleEnvironment::HideButtons() {
  if (CPuzzleButtonBoard* board = GetButtonBoard(); board && !board->IsAnimating())
    new CSpriteAnimator(board, kAnimSlideOutBottom, kBoardSlideTime, 0);
}

void CPuzzleEnvironment::ShowButtons() {
  if (solved_) return;
  if (CPuzzleButtonBoard* board = GetButtonBoard(); board && board->IsAnimating())
    new CSpriteAnimator(board, kAnimSlideInBottom, kBoardSlideTime, 0);
}

bool CPuzzleEnvironment::ArriveWithHelp(int enteredFlag) {
  const bool first = !SetFlag(enteredFlag);
  if (first) ShowHelp();
  return first;
}

CSpeechBalloon* CPuzzleEnvironment::Say(const char* key, int code) {
  CSpeechBalloon* balloon = key && *key ? SpeakAsJorvane(key) : nullptr;
  if (balloon && code) balloon->SetNotifyTarget(this, code);
  if (!balloon && code) deferredCode_ = code;
  return balloon;
}

void CPuzzleEnvironment::ReturnToVenue(float delay) {
  ResumeGame(delay);
}
