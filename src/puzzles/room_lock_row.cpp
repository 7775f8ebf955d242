#include "puzzles/room_lock_row.h"

#include <cmath>
#include <cstdio>

#include "core/tree_dump_fields.h"
#include "puzzles/room_lock_environment.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"

using roomlock::Mark;

namespace {

constexpr int kCmdDigitUp = 1346, kCmdDigitDown = 1347, kCmdSubmit = 1348;
constexpr const char* kFont = "GoldFlat2";
constexpr float kPulseRate = 6.0f;

uint32_t MarkColor(Mark m) {
  switch (m) {
    case Mark::Red:
      return 0xFFC00000;
    case Mark::Yellow:
      return 0xFFFFFF00;
    default:
      return 0xFF00A000;
  }
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  char text[96];
  if (auto* d = dynamic_cast<CRoomLockDigit*>(object)) {
    std::snprintf(text, sizeof text, "digit %d | value %d | mark %d", d->Index(), d->Value(),
                  int(d->GetMark()));
  } else if (auto* r = dynamic_cast<CRoomLockRow*>(object)) {
    std::snprintf(text, sizeof text, "row %d | judged %d", r->Number(), r->Judged() ? 1 : 0);
  } else {
    return;
  }
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

ScreenRect RoomLockRowRect(const ScreenRect& scene, int n) {
  const float w = 0.66f * scene.Height(), h = w / 10;
  const float left = scene.left + 0.31f * scene.Width();
  const float top = scene.top + scene.Height() * (float(n) * 0.1025f + 0.088f);
  return {left, top, left + w, top + h};
}

ScreenRect RoomLockDigitRect(const ScreenRect& row, int i) {
  const float h = row.Height(), left = row.left + 2 * float(i) * h;
  return {left, row.top, left + 1.5f * h, row.bottom};
}

ScreenRect RoomLockSubmitRect(const ScreenRect& row) {
  // The last digit ends 7.5 heights in; the button keeps half a height clear of it.
  const float h = row.Height(), left = row.left + 8 * h;
  const float bh = (row.right - left) / ButtonStyleFor(kButtonLarge).naturalAspect;
  return ScreenRect::FromCenter(row.right - left, bh, (left + row.right) / 2, row.CenterY());
}

// ---- digit --------------------------------------------------------------------------------------

CRoomLockDigit::CRoomLockDigit(CSprite* row, CRoomLockPuzzleEnvironment* scene, int index)
    : scene_(scene), index_(index) {
  Attach(row, 0);
  SetDepth(row->GetDepth() + 0.01f);
  auto* plate = new CSprite;
  plate->Attach(this, 0);
  plate->SetTexture("Puzzles\\RoomLockPuzzle\\DigitBackground.png");
  plate->SetDepth(GetDepth() + 0.01f);
  plate->SetVisible(false);
  CreateWeakRef(plate, &plate_);
  auto* text = new CTextSprite("1", kFont);
  text->Attach(this, 0);
  text->SetDepth(GetDepth() + 0.02f);
  CreateWeakRef(text, &text_);
  CreateWeakRef(new CPushbutton(nullptr, kCmdDigitUp, kButtonUp, this, this), &up_);
  CreateWeakRef(new CPushbutton(nullptr, kCmdDigitDown, kButtonDown, this, this), &down_);
}

CRoomLockDigit::~CRoomLockDigit() {
  for (CXRef* ref : {plate_, text_, up_, down_}) delete ref;
}

CPushbutton* CRoomLockDigit::Button(bool up) const {
  return static_cast<CPushbutton*>(WeakTarget(up ? up_ : down_));
}

void CRoomLockDigit::Place(const ScreenRect& r) {
  SetScreenRect(r);
  const float w = r.Width(), h = r.Height();
  // The figure in the left 0.7, its plate a circle behind it; the buttons in the right 0.3.
  const float figureW = 0.7f * w;
  const float plate = std::fmin(figureW, h);
  plateRect_ = ScreenRect::FromCenter(plate, plate, r.left + figureW / 2, r.CenterY());
  if (auto* p = static_cast<CSprite*>(WeakTarget(plate_))) p->SetScreenRect(plateRect_);
  if (auto* t = static_cast<CTextSprite*>(WeakTarget(text_))) {
    const float th = 0.7f * h, aspect = t->GetNaturalAspect() > 0 ? t->GetNaturalAspect() : 0.6f;
    t->SetScreenRect(ScreenRect::FromCenter(th * aspect, th, r.left + figureW / 2, r.CenterY()));
  }
  const float bx = r.right - 0.15f * w, bw = 0.3f * w, bh = 0.45f * h;
  if (CPushbutton* b = Button(true)) b->SetScreenRect(ScreenRect::FromCenter(bw, bh, bx, r.top + bh / 2));
  if (CPushbutton* b = Button(false)) b->SetScreenRect(ScreenRect::FromCenter(bw, bh, bx, r.bottom - bh / 2));
}

void CRoomLockDigit::Show(int value, Mark mark) {
  if (value != value_) {
    value_ = value;
    if (auto* t = static_cast<CTextSprite*>(WeakTarget(text_))) t->SetNumber(value, nullptr);
    Place(GetScreenRect());
  }
  mark_ = mark;
  const bool open = mark == Mark::Open;
  if (auto* p = static_cast<CSprite*>(WeakTarget(plate_))) {
    p->SetVisible(!open);
    p->SetColor(MarkColor(mark));
  }
  // A judged digit loses its buttons for good.
  if (!open) {
    delete Button(true);
    delete Button(false);
  }
}

void CRoomLockDigit::Update() {
  if (mark_ != Mark::Pulsing) return;
  if (auto* p = static_cast<CSprite*>(WeakTarget(plate_)))
    p->SetScreenRect(plateRect_.Scale(1.0f + 0.1f * std::sin(kPulseRate * GetTime())));
}

void CRoomLockDigit::OnNotify(CGameObject*, int code) {
  if (code == kCmdDigitUp || code == kCmdDigitDown) scene_->TurnDigit(index_, code == kCmdDigitUp ? 1 : -1);
}

// ---- row ----------------------------------------------------------------------------------------

CRoomLockRow::CRoomLockRow(CRoomLockPuzzleEnvironment* scene, int n) : scene_(scene), number_(n) {
  Attach(scene, 0);
  SetDepth(scene->GetDepth() + 0.1f);
  const ScreenRect r = RoomLockRowRect(scene->GetScreenRect(), n);
  SetScreenRect(r);
  for (int i = 0; i < roomlock::kDigits; ++i) {
    auto* d = new CRoomLockDigit(this, scene, i);
    d->Place(RoomLockDigitRect(r, i));
    CreateWeakRef(d, &digits_[size_t(i)]);
  }
  auto* submit = new CPushbutton("Submit", kCmdSubmit, kButtonLarge, this, this);
  submit->SetScreenRect(RoomLockSubmitRect(r));
  CreateWeakRef(submit, &submit_);
}

CRoomLockRow::~CRoomLockRow() {
  for (CXRef* ref : digits_) delete ref;
  delete submit_;
}

CRoomLockDigit* CRoomLockRow::Digit(int i) const {
  if (i < 0 || i >= roomlock::kDigits) return nullptr;
  return static_cast<CRoomLockDigit*>(WeakTarget(digits_[size_t(i)]));
}

CPushbutton* CRoomLockRow::SubmitButton() const {
  return static_cast<CPushbutton*>(WeakTarget(submit_));
}

void CRoomLockRow::Show(const roomlock::Row& row) {
  judged_ = row.judged;
  for (int i = 0; i < roomlock::kDigits; ++i) {
    if (CRoomLockDigit* d = Digit(i))
      d->Show(row.digits[size_t(i)], row.judged ? row.marks[size_t(i)] : Mark::Open);
  }
  if (row.judged) delete SubmitButton();
}

void CRoomLockRow::OnNotify(CGameObject*, int code) {
  if (code == kCmdSubmit) scene_->Submit();
}
