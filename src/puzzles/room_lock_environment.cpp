#include "puzzles/room_lock_environment.h"

#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_rules.h"
#include "puzzles/room_lock_row.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/jorvane_corner.h"
#include "ui/pushbutton.h"

using namespace puzzle;
using roomlock::kWheels;

namespace {

constexpr uint32_t kRoomLockOptions = 125;
constexpr int kSolvedFlag = 68;
constexpr int kReceiptClass = 17;
constexpr int kCmdWheelUp = 1356, kCmdWheelDown = 1359;
constexpr uint32_t kWheelTextColor = 0xFF00FFFF;
constexpr const char* kSecurityRoom = "Hotel_SecurityRoom.xml";
const ScreenRect kWheelWindows{427, 603, 513, 718};

struct HelpPicture {
  const char* name;
  float height, aspect;
};
constexpr HelpPicture kReceipt{"Puzzles\\RoomLockPuzzle\\Help1.jpg", 0.3f, 2.37f};
constexpr HelpPicture kColourRules{"Puzzles\\RoomLockPuzzle\\Help2.jpg", 0.6f, 1.43f};

void Show(const HelpPicture& p) {
  SpeakPictureAsJorvane(p.name, p.height, p.aspect);
}

void Play(const char* sound) {
  PlaySound(GetSoundEffect(sound), SoundParams{});
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CRoomLockPuzzleEnvironment*>(object);
  if (!s) return;
  const roomlock::Lock& l = s->Lock();
  const roomlock::Code& c = l.Secret();
  char text[128];
  std::snprintf(text, sizeof text, "solved %d | stage %d | wheels %03d | rows %d | secret %d%d%d%d",
                s->IsSolved() ? 1 : 0, l.StageTwo() ? 2 : 1, l.WheelNumber(), int(l.Rows().size()), c[0],
                c[1], c[2], c[3]);
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildRoomLockPuzzle(const char*) {
  return new CRoomLockPuzzleEnvironment(roomlock::MakeSecret());
}

CRoomLockPuzzleEnvironment::CRoomLockPuzzleEnvironment(const roomlock::Code& secret)
    : CPuzzleEnvironment(kRoomLockOptions, "Puzzles\\RoomLockPuzzle\\Background.jpg"), lock_(secret) {
  const ScreenRect windows = FromReference(kWheelWindows, GetScreenRect());
  const float w = windows.Width(), h = windows.Height();
  for (int i = 0; i < kWheels; ++i) {
    // Wheel 0 is the units, on the right.
    const float cx = windows.right - (float(i) / 3 + 1.0f / 6) * w;
    auto* text = new CTextSprite("0", "GoldFlat2");
    text->Attach(this, 0);
    text->SetDepth(GetDepth() + 0.1f);
    text->SetColor(kWheelTextColor);
    const float th = h / 4, aspect = text->GetNaturalAspect() > 0 ? text->GetNaturalAspect() : 0.6f;
    text->SetScreenRect(ScreenRect::FromCenter(th * aspect, th, cx, windows.CenterY()));
    CreateWeakRef(text, &texts_[size_t(i)]);
    for (const bool up : {true, false}) {
      auto* b = new CPushbutton(nullptr, (up ? kCmdWheelUp : kCmdWheelDown) + i, up ? kButtonUp : kButtonDown,
                                this, this);
      b->SetScreenRect(ScreenRect::FromCenter(w / 4, h / 4, cx, windows.top + (up ? h / 6 : 5 * h / 6)));
      CreateWeakRef(b, &wheelButtons_[size_t(i + (up ? 0 : kWheels))]);
    }
  }
}

CRoomLockPuzzleEnvironment::~CRoomLockPuzzleEnvironment() {
  for (CXRef* ref : texts_) delete ref;
  for (CXRef* ref : wheelButtons_) delete ref;
  for (CXRef* ref : rows_) delete ref;
}

CRoomLockRow* CRoomLockPuzzleEnvironment::Row(int n) const {
  if (n < 0 || n >= roomlock::kMaxRows) return nullptr;
  return static_cast<CRoomLockRow*>(WeakTarget(rows_[size_t(n)]));
}

CPushbutton* CRoomLockPuzzleEnvironment::WheelButton(int wheel, bool up) const {
  if (wheel < 0 || wheel >= kWheels) return nullptr;
  return static_cast<CPushbutton*>(WeakTarget(wheelButtons_[size_t(wheel + (up ? 0 : kWheels))]));
}

CTextSprite* CRoomLockPuzzleEnvironment::WheelText(int wheel) const {
  if (wheel < 0 || wheel >= kWheels) return nullptr;
  return static_cast<CTextSprite*>(WeakTarget(texts_[size_t(wheel)]));
}

void CRoomLockPuzzleEnvironment::ShowWheels() {
  for (int i = 0; i < kWheels; ++i)
    if (CTextSprite* t = WheelText(i)) t->SetNumber(lock_.Wheel(i), nullptr);
}

void CRoomLockPuzzleEnvironment::RemoveWheelButtons() {
  for (int i = 0; i < kWheels; ++i) {
    delete WheelButton(i, true);
    delete WheelButton(i, false);
  }
}

void CRoomLockPuzzleEnvironment::ShowRows() {
  const auto& rows = lock_.Rows();
  for (int n = 0; n < roomlock::kMaxRows; ++n) {
    CRoomLockRow* row = Row(n);
    if (size_t(n) >= rows.size()) {
      delete row;
      continue;
    }
    if (!row) {
      row = new CRoomLockRow(this, n);
      CreateWeakRef(row, &rows_[size_t(n)]);
    }
    row->Show(rows[size_t(n)]);
  }
}

void CRoomLockPuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  if (code >= kCmdWheelUp && code < kCmdWheelDown + kWheels) {
    if (!AcceptsInput()) return;
    const bool up = code < kCmdWheelDown;
    const bool opened = lock_.TurnWheelBy(code - (up ? kCmdWheelUp : kCmdWheelDown), up ? 1 : -1);
    ShowWheels();
    if (opened) {
      RemoveWheelButtons();
      ShowRows();
      Play("PuzzleMatch.wav");
      Show(kColourRules);
    }
    return;
  }
  switch (code) {
    case kCmdArrived:
      // No entered flag: the receipt comes up on every arrival.
      Show(kReceipt);
      break;
    case kCmdReset:
      if (!AcceptsInput() || !lock_.Reset()) break;
      ShowWheels();
      ShowRows();
      break;
    case kCmdSolvedSpeechClosed:
      StartTransition(TypeId::kSearchEnvironment, kSecurityRoom);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CRoomLockPuzzleEnvironment::ShowHelp() {
  Show(lock_.StageTwo() ? kColourRules : kReceipt);
}

void CRoomLockPuzzleEnvironment::TurnDigit(int digit, int step) {
  if (!AcceptsInput() || !lock_.TurnDigitBy(digit, step)) return;
  ShowRows();
}

void CRoomLockPuzzleEnvironment::Submit() {
  if (!AcceptsInput()) return;
  switch (lock_.Submit()) {
    case roomlock::Submitted::Solved:
      Solved();
      break;
    case roomlock::Submitted::Restart:
      ShowRows();
      // The rows start over when the player has read why.
      Say("RoomLockReset", kCmdReset);
      break;
    case roomlock::Submitted::NextRow:
      ShowRows();
      break;
    case roomlock::Submitted::Ignored:
      break;
  }
}

void CRoomLockPuzzleEnvironment::SolveNow() {
  Solved();
}

void CRoomLockPuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetFlag(kSolvedFlag);
  RemoveSavedInventoryItem(kReceiptClass);
  if (!lock_.Solved()) lock_.Solve();
  ShowWheels();
  RemoveWheelButtons();
  ShowRows();
  Say("RoomLockPuzzleSolved", kCmdSolvedSpeechClosed);
  Play("PuzzleMatch.wav");
}
