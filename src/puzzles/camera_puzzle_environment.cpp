#include "puzzles/camera_puzzle_environment.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sound_pan.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

using namespace puzzle;
using namespace cameracode;

namespace {

constexpr uint32_t kCameraOptions = 109;  // corner, Back, Skip, Menu, Help
constexpr int kSolvedFlag = 9;
constexpr const char* kBackground = "Puzzles\\HouseCamera\\Background.jpg";
constexpr const char* kExit = "House_Photo.xml";
constexpr const char* kFont = "GoldFlat";
constexpr float kAbove = 0.01f;
constexpr int kKeyCount = 12;

void Play(const char* sound, CSprite* where = nullptr) {
  SoundParams params;
  if (where) SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* s = dynamic_cast<CCameraPuzzleEnvironment*>(object);
  if (!s) return;
  std::string shown;
  for (int i = 0; i < kSlots; ++i) shown += s->Entry().SlotText(i);
  char text[64];
  std::snprintf(text, sizeof text, "solved %d | display %s", s->IsSolved() ? 1 : 0, shown.c_str());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

namespace cameracode {

ScreenRect KeyRect(int command, float w, float h) {
  const float k = 0.046f * h, d = k + 0.004f * h;
  const float x0 = 0.67f * w, y0 = 0.51f * h;
  float col = 0, row = 0, width = k;
  if (command == kCmdEnter) {
    col = 2 + 2;  // two steps right of "3"
    width = 3 * k;
  } else if (command == kCmdClear) {
    col = 2 + 1;  // one step right of "9"
    row = 2;
    width = 3 * k;
  } else if (command == kCmdDigit0) {
    col = 1;  // below "8"
    row = 3;
  } else {
    const int digit = std::clamp(command - kCmdDigit0, 1, 9);
    col = float((digit - 1) % 3);
    row = float((digit - 1) / 3);
  }
  const float left = x0 + col * d, top = y0 + row * d;
  return ScreenRect(left, top, left + width, top + k);
}

ScreenRect SlotRect(int slot, float w, float h) {
  const float k = 0.046f * h, width = 0.7f * k;
  const float left = 0.7f * w + float(slot) * (width + 0.044f * h), top = 0.73f * h;
  return ScreenRect(left, top, left + width, top + k);
}

}  // namespace cameracode

CEnvironment* BuildCameraPuzzle(const char*) {
  return new CCameraPuzzleEnvironment;
}

CCameraPuzzleEnvironment::CCameraPuzzleEnvironment() : CPuzzleEnvironment(kCameraOptions, kBackground) {
  const ScreenRect area = GetScreenRect();
  const auto place = [&](CSprite* sprite, const ScreenRect& r) {
    sprite->SetScreenRect(
        ScreenRect(r.left + area.left, r.top + area.top, r.right + area.left, r.bottom + area.top));
    sprite->SetDepth(GetDepth() + kAbove);
  };
  for (int i = 0; i < kKeyCount; ++i) {
    const int command = kCmdDigit0 + i;
    char label[8];
    if (i < 10) std::snprintf(label, sizeof label, "%d", i);
    const bool wide = command == kCmdEnter || command == kCmdClear;
    auto* key = new CPushbutton(i < 10 ? label : (command == kCmdEnter ? "Enter" : "Clear"), command,
                                wide ? kButtonCameraWide : kButtonCamera, this, this);
    place(key, KeyRect(command, area.Width(), area.Height()));
    CreateWeakRef(key, &keys_[size_t(i)]);
  }
  for (int i = 0; i < kSlots; ++i) {
    auto* text = new CTextSprite("-", kFont);
    text->Attach(this, 0);
    CreateWeakRef(text, &slots_[size_t(i)]);
  }
  ShowSlots();
  GetSoundEffect("Camera.wav");
  GetSoundEffect("PuzzleBuzz.wav");
}

CCameraPuzzleEnvironment::~CCameraPuzzleEnvironment() {
  for (CXRef*& ref : keys_) delete ref;
  for (CXRef*& ref : slots_) delete ref;
}

CPushbutton* CCameraPuzzleEnvironment::Key(int command) const {
  const int i = command - kCmdDigit0;
  if (i < 0 || i >= kKeyCount) return nullptr;
  return static_cast<CPushbutton*>(WeakTarget(keys_[size_t(i)]));
}

CTextSprite* CCameraPuzzleEnvironment::Slot(int slot) const {
  if (slot < 0 || slot >= kSlots) return nullptr;
  return static_cast<CTextSprite*>(WeakTarget(slots_[size_t(slot)]));
}

void CCameraPuzzleEnvironment::ShowSlots() {
  const ScreenRect area = GetScreenRect();
  for (int i = 0; i < kSlots; ++i) {
    CTextSprite* text = Slot(i);
    if (!text) continue;
    text->SetText(entry_.SlotText(i).c_str(), nullptr);
    // The glyph keeps its own shape, as high as the window and centred in it.
    const ScreenRect r = SlotRect(i, area.Width(), area.Height());
    const float width = std::min(r.Width(), r.Height() * text->GetNaturalAspect());
    text->SetScreenRect(
        ScreenRect::FromCenter(width, r.Height(), r.CenterX() + area.left, r.CenterY() + area.top));
    text->SetDepth(GetDepth() + kAbove);
  }
}

void CCameraPuzzleEnvironment::OnNotify(CGameObject* sender, int code) {
  if (code >= kCmdDigit0 && code < kCmdDigit0 + 10) {
    if (AcceptsInput() && entry_.Digit(code - kCmdDigit0)) ShowSlots();
    return;
  }
  switch (code) {
    case kCmdEnter:
      if (!AcceptsInput()) break;
      if (entry_.PressEnter() == Enter::Solved) {
        Solved();
      } else {
        ShowSlots();
        Play("PuzzleBuzz.wav", dynamic_cast<CSprite*>(sender));
      }
      break;
    case kCmdClear:
      if (AcceptsInput() && entry_.Clear()) ShowSlots();
      break;
    case kCmdSolvedSpeechClosed:
      StartTransition(TypeId::kSearchEnvironment, kExit);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CCameraPuzzleEnvironment::ShowHelp() {
  Say("CameraPuzzleHelp");
}

void CCameraPuzzleEnvironment::SolveNow() {
  if (IsSolved()) return;
  entry_.ShowCode();
  ShowSlots();
  entry_.PressEnter();
  Solved();
}

void CCameraPuzzleEnvironment::Solved() {
  if (!MarkSolved()) return;
  SetFlag(kSolvedFlag);
  Say("CameraPuzzleSolved", kCmdSolvedSpeechClosed);
  Play("Camera.wav");
}
