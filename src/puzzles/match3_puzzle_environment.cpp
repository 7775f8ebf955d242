#include "puzzles/match3_puzzle_environment.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "effects/fire_halo.h"
#include "effects/starburst.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/match3_puzzle_backer.h"
#include "puzzles/match3_puzzle_token.h"
#include "puzzles/puzzle_button_board.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sound_pan.h"
#include "search/wrong_clicks.h"
#include "ui/jorvane_corner.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"

using namespace puzzle;

namespace {

constexpr uint32_t kMatch3Options = 237;
constexpr int kEnteredFlag = 72;
constexpr int kSolvedFlag = 62;
constexpr int kCmdNoMatchesClosed = 1341;
constexpr const char* kExitVenue = "Shops_PizzaParty.xml";
constexpr const char* kHelpPicture = "Puzzles\\Match3\\Help.jpg";
constexpr float kHelpWidth = 0.6f, kHelpAspect = 1.66f;
constexpr float kNoMatchesLineHeight = 0.08f;
constexpr float kLayerStep = 0.1f;
constexpr float kFlyOut = 5.0f;

// The board's own rectangle: it draws nothing, but plates and tokens hang from it so the whole
// board fades as one.
class CBoardFrame : public CSprite {
 public:
  void Render(gfx::Device*) override {}
  int HitTest() override { return kHitNone; }
};

void PlayAt(const char* sound, CSprite* where) {
  SoundParams params;
  if (where) SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

uint32_t Grey(float level) {
  const auto v = uint32_t(std::clamp(level, 0.0f, 1.0f) * 255.0f + 0.5f);
  return 0xFF000000u | v << 16 | v << 8 | v;
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  char text[96];
  if (auto* scene = dynamic_cast<CMatch3PuzzleEnvironment*>(object)) {
    const match3::Board& b = scene->Board();
    std::snprintf(text, sizeof text, "solved %d | red %d | settled %d | tokens %d", scene->IsSolved() ? 1 : 0,
                  b.RedCount(), b.Settled() ? 1 : 0, int(b.Tokens().size()));
  } else if (auto* backer = dynamic_cast<CMatch3PuzzleBacker*>(object)) {
    auto* scene = dynamic_cast<CMatch3PuzzleEnvironment*>(CurrentPuzzle());
    if (!scene) return;
    const match3::Cell& c = scene->Board().CellAt(backer->Cell());
    const match3::Token* t = scene->Board().TokenOn(backer->Cell());
    const int symbol = t && t->state == match3::TokenState::kResting ? t->symbol : -1;
    std::snprintf(text, sizeof text, "cell %d,%d | green %d | symbol %d", c.column, c.row, c.green ? 1 : 0,
                  symbol);
  } else if (auto* token = dynamic_cast<CMatch3PuzzleToken*>(object)) {
    std::snprintf(text, sizeof text, "token %d | symbol %d", token->Id(), token->Symbol());
  } else {
    return;
  }
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildMatch3Puzzle(const char* fileName) {
  std::string why;
  const std::optional<match3::Match3File> file = match3::LoadMatch3File(fileName, &why);
  if (!file) {
    const std::string text = std::string(fileName ? fileName : "(no file)") + ": " + why;
    os::ShowMessageBox("Failed to open match-three puzzle", text.c_str(), os::MsgIcon::Error);
    return nullptr;
  }
  return new CMatch3PuzzleEnvironment(*file);
}

CMatch3PuzzleEnvironment::CMatch3PuzzleEnvironment(const match3::Match3File& file)
    : CPuzzleEnvironment(kMatch3Options, "Puzzles\\Match3\\Background.jpg"), board_(file) {
  SetColor(Grey(kDimmed));
  const ScreenRect scene = GetScreenRect();
  layout_ = match3::ComputeLayout(board_.Columns(), board_.Rows(), scene.left, scene.top, scene.Width(),
                                  scene.Height());
  const float rowHeight = layout_.height / float(layout_.rows);
  if (rowHeight > 0) board_.SetLeaveLimit((scene.bottom - layout_.top) / rowHeight);

  auto* frame = new CBoardFrame;
  frame->Attach(this, 0);
  frame->SetScreenRect(
      ScreenRect(layout_.left, layout_.top, layout_.left + layout_.width, layout_.top + layout_.height));
  frame->SetDepth(GetDepth() + kLayerStep);
  CreateWeakRef(frame, &frame_);
  backers_.assign(size_t(board_.CellCount()), nullptr);
  for (int i = 0; i < board_.CellCount(); ++i) {
    auto* backer = new CMatch3PuzzleBacker(this, frame, i);
    backer->SetScreenRect(CellRect(i));
    backer->SetDepth(frame->GetDepth() + kLayerStep);
    CreateWeakRef(backer, &backers_[size_t(i)]);
  }
}

CMatch3PuzzleEnvironment::~CMatch3PuzzleEnvironment() {
  // The box belongs to this board; it must not linger over the next scene.
  delete GetNoMatchBox();
  delete noMatchBox_;
  delete halo_;
  for (auto& [id, ref] : tokens_) delete ref;
  for (CXRef*& ref : backers_) delete ref;
  delete frame_;
}

ScreenRect CMatch3PuzzleEnvironment::CellRect(int cell) const {
  const match3::Cell& c = board_.CellAt(cell);
  return ScreenRect::FromCenter(layout_.side, layout_.side, layout_.CellCentreX(c.column),
                                layout_.RowCentreY(float(c.row)));
}

CMatch3PuzzleToken* CMatch3PuzzleEnvironment::GetToken(int id) const {
  const auto it = tokens_.find(id);
  return it == tokens_.end() ? nullptr : static_cast<CMatch3PuzzleToken*>(WeakTarget(it->second));
}

CMatch3PuzzleBacker* CMatch3PuzzleEnvironment::GetBacker(int cell) const {
  if (cell < 0 || size_t(cell) >= backers_.size()) return nullptr;
  return static_cast<CMatch3PuzzleBacker*>(WeakTarget(backers_[size_t(cell)]));
}

int CMatch3PuzzleEnvironment::HoverGroupSize() const {
  const int frame = int(GetFrameCount());
  return hoverFrame_ == frame || hoverFrame_ + 1 == frame ? int(hoverGroup_.size()) : 0;
}

// ---- Tokens --------------------------------------------------------------------------------------

void CMatch3PuzzleEnvironment::SyncTokens() {
  auto* frame = static_cast<CSprite*>(WeakTarget(frame_));
  const float now = GetTime();
  const float side = match3::kTokenShare * layout_.side;
  const float rowHeight = layout_.height / float(layout_.rows);
  const bool hovering = HoverGroupSize() >= 2 && AcceptsInput();
  for (const match3::Token& t : board_.Tokens()) {
    CMatch3PuzzleToken* sprite = GetToken(t.id);
    if (!sprite && !tokens_.contains(t.id) && frame) {
      sprite = new CMatch3PuzzleToken(frame, t.id, t.symbol);
      sprite->SetDepth(frame->GetDepth() + 2 * kLayerStep);
      CreateWeakRef(sprite, &tokens_[t.id]);
    }
    if (!sprite) continue;
    const float y = layout_.top + board_.TokenRow(t, now) * rowHeight;
    sprite->SetScreenRect(ScreenRect::FromCenter(side, side, layout_.CellCentreX(t.column), y));
    // New tokens come in from above the board and show only once they reach it.
    sprite->SetVisible(!(t.state == match3::TokenState::kFalling && y + side / 2 < layout_.top));
    const bool inGroup = hovering && t.state == match3::TokenState::kResting &&
                         std::find(hoverGroup_.begin(), hoverGroup_.end(), t.cell) != hoverGroup_.end();
    sprite->SetWobbling(inGroup, now);
  }
  for (auto it = tokens_.begin(); it != tokens_.end();) {
    if (board_.FindToken(it->first)) {
      ++it;
      continue;
    }
    // Deleting the sprite clears the slot before the slot itself goes.
    delete WeakTarget(it->second);
    delete it->second;
    it = tokens_.erase(it);
  }
}

void CMatch3PuzzleEnvironment::StepBoard() {
  const float now = GetTime();
  const match3::StepResult step = board_.Step(now);
  for (int id : step.landed) PlayAt("PuzzleClick.wav", GetToken(id));
  if (step.shuffleDone) board_.Refill(now);
  if (!step.landed.empty() && board_.Settled()) AfterLanding();
}

void CMatch3PuzzleEnvironment::AfterLanding() {
  if (auto* box = static_cast<CMessageBox*>(GetNoMatchBox()); box && !box->IsClosing()) box->Close(0);
  if (board_.Solved() || board_.HasMatch()) return;
  auto* box = new CMessageBox("NoMoreMatches", "GoldFlat2", kNoMatchesLineHeight, this, kBoxClickAnywhere);
  box->SetId(kCmdNoMatchesClosed);
  delete noMatchBox_;
  CreateWeakRef(box, &noMatchBox_);
  ClearHint();
  board_.StartShuffle(GetTime());
}

// ---- Pointer -------------------------------------------------------------------------------------

void CMatch3PuzzleEnvironment::HoverCell(int cell) {
  const int frame = int(GetFrameCount());
  if (hoverFrame_ == frame) return;
  hoverFrame_ = frame;
  hoverGroup_.clear();
  if (AcceptsInput() && arrived_) hoverGroup_ = board_.GroupAt(cell);
}

void CMatch3PuzzleEnvironment::ClickCell(int cell) {
  // While tokens fall or leave the board is not what the player sees: the click is not a move
  // and not a miss either.
  if (!AcceptsInput() || !arrived_ || !board_.Settled()) return;
  const float now = GetTime();
  lastActivity_ = now;
  ClearHint();
  const std::vector<int> group = board_.GroupAt(cell);
  if (group.size() < 2) {
    CountWrongClick(TypeId::kMatch3PuzzleEnvironment);
    return;
  }
  for (int c : group) {
    const match3::Token* t = board_.TokenOn(c);
    if (CMatch3PuzzleToken* sprite = t ? GetToken(t->id) : nullptr) new CStarburst(sprite, this);
  }
  board_.Remove(group, now);
  PlaySound(GetSoundEffect("PuzzleMatch.wav"), SoundParams{});
  hoverGroup_.clear();
  board_.Refill(now);
  SyncTokens();
}

// ---- Commands ------------------------------------------------------------------------------------

void CMatch3PuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      Arrive();
      break;
    case kCmdShuffle:
      Shuffle();
      break;
    case kCmdNoMatchesClosed:
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CMatch3PuzzleEnvironment::Arrive() {
  if (arrived_) return;
  arrived_ = true;
  lastActivity_ = GetTime();
  board_.Refill(GetTime());
  SyncTokens();
  ArriveWithHelp(kEnteredFlag);
}

void CMatch3PuzzleEnvironment::ShowHelp() {
  // The picture is given by its width share; the balloon wants its height share.
  const float w = float(GetClientWidth()), h = float(GetClientHeight());
  if (h <= 0) return;
  SpeakPictureAsJorvane(kHelpPicture, kHelpWidth * w / (kHelpAspect * h), kHelpAspect);
}

void CMatch3PuzzleEnvironment::Shuffle() {
  if (IsSolved() || !arrived_ || !board_.Settled()) return;
  const float now = GetTime();
  ClearHint();
  board_.StartShuffle(now);
  lastActivity_ = now;
  if (CPuzzleButtonBoard* bar = GetButtonBoard()) {
    if (CPushbutton* button = bar->GetButton(kCmdShuffle)) button->Disable(kShuffleCooldown);
  }
}

void CMatch3PuzzleEnvironment::ClearHint() {
  delete GetHintHalo();
}

void CMatch3PuzzleEnvironment::HintStep() {
  const float now = GetTime();
  if (IsSolved() || !arrived_ || !board_.Settled() || now - lastActivity_ < kHintIdle) return;
  lastActivity_ = now;
  const match3::Token* t = board_.TokenOn(board_.HintCell());
  CMatch3PuzzleToken* token = t ? GetToken(t->id) : nullptr;
  if (!token) return;
  ClearHint();
  auto* halo = new CFireHalo(token);
  halo->SetDepth(token->GetDepth() + kLayerStep);
  CreateWeakRef(halo, &halo_);
}

// ---- Solving -------------------------------------------------------------------------------------

void CMatch3PuzzleEnvironment::SolveNow() {
  if (IsSolved()) return;
  board_.MarkAllGreen(GetTime());
  Solved();
}

void CMatch3PuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetFlag(kSolvedFlag);
  ClearHint();
  if (auto* box = static_cast<CMessageBox*>(GetNoMatchBox()); box && !box->IsClosing()) box->Close(0);
  hoverGroup_.clear();
  if (finalStart_ < 0) finalStart_ = GetTime();
  // The board flies apart first; the party opens a little after it has gone.
  StartTransition(TypeId::kSearchEnvironment, kExitVenue, kFinalTime + kExitWait);
}

void CMatch3PuzzleEnvironment::FinalStep() {
  const float now = GetTime();
  const float bright = IsSolved() ? std::clamp((now - GetSolvedTime()) / kBrightenTime, 0.0f, 1.0f) : 0.0f;
  SetColor(Grey(kDimmed + (1 - kDimmed) * bright));
  if (finalStart_ < 0) return;
  const float p = std::clamp((now - finalStart_) / kFinalTime, 0.0f, 1.0f);
  if (auto* frame = static_cast<CSprite*>(WeakTarget(frame_))) frame->SetOpacity(1 - p);
  const float cx = layout_.left + layout_.width / 2, cy = layout_.top + layout_.height / 2;
  for (int i = 0; i < board_.CellCount(); ++i) {
    CMatch3PuzzleBacker* backer = GetBacker(i);
    if (!backer) continue;
    const ScreenRect from = CellRect(i);
    const float side = layout_.side * (1 + (kFlyOut - 1) * p);
    const float x = from.CenterX() + (kFlyOut - 1) * p * (from.CenterX() - cx);
    const float y = from.CenterY() + (kFlyOut - 1) * p * (from.CenterY() - cy);
    backer->SetScreenRect(ScreenRect::FromCenter(side, side, x, y));
  }
}

void CMatch3PuzzleEnvironment::Update() {
  CPuzzleEnvironment::Update();
  StepBoard();
  SyncTokens();
  if (!IsSolved() && arrived_ && board_.Solved()) Solved();
  HintStep();
  FinalStep();
}
