#include "puzzles/jewel_puzzle_environment.h"

#include <cstdio>

#include "core/frame_timer.h"
#include "core/tree_dump_fields.h"
#include "player/game_state.h"
#include "puzzles/jewel_puzzle_token.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "scene/sprite_animator.h"

using namespace puzzle;

namespace {

constexpr uint32_t kJewelOptions = 125;
constexpr int kEnteredFlag = 83;
constexpr int kSolvedFlag = 82;
constexpr int kJewelClass = 15;
constexpr float kStoneSize = 0.05f;  // of the scene's height
constexpr float kStoneDepth = 0.1f;
constexpr float kChainDepth = 0.05f;
constexpr float kMoveTime = 1.0f;
constexpr uint32_t kCrossingColour = 0xFFFF0000u;
constexpr uint32_t kClearColour = 0xFF00FF00u;
constexpr const char* kFolder = "Puzzles\\JewelPuzzle\\";

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  char text[128];
  if (auto* t = dynamic_cast<CJewelPuzzleToken*>(object)) {
    std::snprintf(text, sizeof text, "jewel %d | colour 0x%08X | crossing %d", t->Index(),
                  unsigned(jewel::StoneColour(t->Index())), t->Crossings());
  } else if (auto* s = dynamic_cast<CJewelPuzzleEnvironment*>(object)) {
    auto* held = dynamic_cast<CJewelPuzzleToken*>(DraggedObject());
    std::snprintf(text, sizeof text, "solved %d | crossing chains %d | dragging %d | solving now %d",
                  s->IsSolved() ? 1 : 0, s->CrossingChains(), held ? held->Index() : -1,
                  s->IsSolvingNow() ? 1 : 0);
  } else {
    return;
  }
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildJewelPuzzle(const char*) {
  ClockPauseGuard pause;
  return new CJewelPuzzleEnvironment;
}

CJewelPuzzleEnvironment::CJewelPuzzleEnvironment()
    : CPuzzleEnvironment(kJewelOptions, (std::string(kFolder) + "Background.jpg").c_str()) {
  const ScreenRect scene = GetScreenRect();
  const float w = scene.Width(), h = scene.Height();
  home_ = jewel::RingLayout(w, h);
  for (jewel::Point& p : home_) p = {w > 0 ? p.x / w : 0.5f, h > 0 ? p.y / h : 0.5f};
  start_ = jewel::Scatter(1, 1);

  for (int i = 0; i < jewel::kStones; ++i) {
    const jewel::Point& p = home_[size_t(i)];
    const ScreenRect r =
        ScreenRect::FromCenter(kStoneSize * h, kStoneSize * h, scene.left + p.x * w, scene.top + p.y * h);
    auto* token = new CJewelPuzzleToken(this, i, r, GetDepth() + kStoneDepth);
    if (i != jewel::kCentre) token->SetColor(jewel::StoneColour(i));
    CreateWeakRef(token, &tokens_[size_t(i)]);
  }
  const std::string chainPicture = std::string(kFolder) + "Connection.png";
  for (int c = 0; c < jewel::kChains; ++c) {
    auto* chain = new CSprite(ScreenRect(), GetDepth() + kChainDepth, chainPicture.c_str(), this);
    CreateWeakRef(chain, &chains_[size_t(c)]);
  }
  for (int i = 0; i < jewel::kStones; ++i) {
    CJewelPuzzleToken* token = GetToken(i);
    const jewel::Point& p = start_[size_t(i)];
    const ScreenRect r = token->GetScreenRect();
    token->SetScreenRect(
        ScreenRect::FromCenter(r.Width(), r.Height(), scene.left + p.x * w, scene.top + p.y * h));
  }
  UpdateChains();
}

CJewelPuzzleEnvironment::~CJewelPuzzleEnvironment() {
  EndDrag();
  for (CXRef*& ref : tokens_) delete ref;
  for (CXRef*& ref : chains_) delete ref;
}

CJewelPuzzleToken* CJewelPuzzleEnvironment::GetToken(int index) const {
  if (index < 0 || index >= jewel::kStones) return nullptr;
  return static_cast<CJewelPuzzleToken*>(WeakTarget(tokens_[size_t(index)]));
}

CSprite* CJewelPuzzleEnvironment::GetChain(int index) const {
  if (index < 0 || index >= jewel::kChains) return nullptr;
  return static_cast<CSprite*>(WeakTarget(chains_[size_t(index)]));
}

jewel::Layout CJewelPuzzleEnvironment::CurrentLayout() const {
  const ScreenRect scene = const_cast<CJewelPuzzleEnvironment*>(this)->GetScreenRect();
  jewel::Layout at{};
  for (int i = 0; i < jewel::kStones; ++i) {
    CJewelPuzzleToken* t = GetToken(i);
    if (!t || scene.Width() <= 0 || scene.Height() <= 0) continue;
    const ScreenRect r = t->GetScreenRect();
    at[size_t(i)] = {(r.CenterX() - scene.left) / scene.Width(), (r.CenterY() - scene.top) / scene.Height()};
  }
  return at;
}

bool CJewelPuzzleEnvironment::AnyAnimating() const {
  for (int i = 0; i < jewel::kStones; ++i)
    if (CJewelPuzzleToken* t = GetToken(i); t && t->IsAnimating()) return true;
  return false;
}

void CJewelPuzzleEnvironment::GripToken(CJewelPuzzleToken* token) {
  // A stone on its way somewhere (Reset, Skip) is not to be caught mid-flight.
  if (!token || !AcceptsInput() || DraggedObject() || AnyAnimating()) return;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = token->GetScreenRect();
  BeginDrag(token, r.CenterX(), r.CenterY(), float(x), float(y));
}

void CJewelPuzzleEnvironment::DragStep() {
  auto* token = dynamic_cast<CJewelPuzzleToken*>(DraggedObject());
  if (!token || token->GetParent() != this) return;
  if (!AcceptsInput() || !IsLeftButtonDown()) {
    EndDrag();
    return;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float cx = 0, cy = 0;
  DragTarget(float(x), float(y), cx, cy);
  const ScreenRect r = token->GetScreenRect();
  token->SetScreenRect(ScreenRect::FromCenter(r.Width(), r.Height(), cx, cy));
}

void CJewelPuzzleEnvironment::UpdateChains() {
  const jewel::Layout at = CurrentLayout();
  const auto crossing = jewel::Crossings(at);
  const auto owned = jewel::OwnedCrossings(at);
  crossingChains_ = 0;
  for (int c = 0; c < jewel::kChains; ++c) {
    const jewel::Chain& link = jewel::kGraph[size_t(c)];
    CSprite* chain = GetChain(c);
    CJewelPuzzleToken* a = GetToken(link.owner);
    CJewelPuzzleToken* b = GetToken(link.other);
    crossingChains_ += crossing[size_t(c)] ? 1 : 0;
    if (!chain || !a || !b) continue;
    chain->StretchBetween(a, b);
    chain->SetColor(crossing[size_t(c)] ? kCrossingColour : kClearColour);
  }
  for (int i = 0; i < jewel::kStones; ++i)
    if (CJewelPuzzleToken* t = GetToken(i)) t->SetCrossings(owned[size_t(i)]);
}

void CJewelPuzzleEnvironment::Update() {
  CPuzzleEnvironment::Update();
  DragStep();
  UpdateChains();
  if (IsSolved() || DraggedObject() || AnyAnimating()) return;
  // Crossings come from where the stones lie now, never from counts kept earlier in the frame.
  // After Skip the stones lie in the ring, which has none.
  if (crossingChains_ == 0 || IsSolvingNow()) Solved();
}

void CJewelPuzzleEnvironment::MoveAll(const jewel::Layout& to) {
  const ScreenRect scene = GetScreenRect();
  for (int i = 0; i < jewel::kStones; ++i) {
    CJewelPuzzleToken* t = GetToken(i);
    if (!t) continue;
    while (t->IsAnimating()) t->StopAnimation();
    const ScreenRect r = t->GetScreenRect();
    const jewel::Point& p = to[size_t(i)];
    const ScreenRect dest = ScreenRect::FromCenter(r.Width(), r.Height(), scene.left + p.x * scene.Width(),
                                                   scene.top + p.y * scene.Height());
    new CSpriteAnimator(t, kAnimMove, kMoveTime, kAnimDeleteAnimator, &dest);
  }
}

void CJewelPuzzleEnvironment::Reset() {
  EndDrag();
  if (!AcceptsInput()) return;
  if (CJewelPuzzleToken* first = GetToken(0); first && first->IsAnimating()) return;
  MoveAll(start_);
}

void CJewelPuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      ArriveWithHelp(kEnteredFlag);
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

void CJewelPuzzleEnvironment::ShowHelp() {
  Say("JewelPuzzleHelp");
}

void CJewelPuzzleEnvironment::SolveNow() {
  if (IsSolved() || IsSolvingNow()) return;
  EndDrag();
  SetSolvingNow(true);
  MoveAll(home_);
}

void CJewelPuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetSolvingNow(false);
  SetFlag(kSolvedFlag);
  RemoveSavedInventoryItem(kJewelClass);
  Say("JewelPuzzleSolved", kCmdSolvedSpeechClosed);
}
