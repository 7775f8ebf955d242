// One row of the room lock's code panel (CRoomLockRow) and its four digits (CRoomLockDigit). They
// show a row of the lock's rules and pass the player's presses on to the scene; the rules decide.
#pragma once

#include <array>

#include "puzzles/room_lock.h"
#include "scene/sprite.h"

class CPushbutton;
class CRoomLockPuzzleEnvironment;
class CTextSprite;

class CRoomLockDigit : public CSprite {
 public:
  CRoomLockDigit(CSprite* row, CRoomLockPuzzleEnvironment* scene, int index);
  ~CRoomLockDigit() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kRoomLockDigit; }
  // The up (1346) and down (1347) buttons.
  void OnNotify(CGameObject* sender, int code) override;

  // Places the plate, the figure and the buttons inside rect.
  void Place(const ScreenRect& rect);
  // Shows value and mark; the buttons only while the row is open.
  void Show(int value, roomlock::Mark mark);
  int Value() const { return value_; }
  roomlock::Mark GetMark() const { return mark_; }
  int Index() const { return index_; }
  CPushbutton* Button(bool up) const;

 private:
  CRoomLockPuzzleEnvironment* scene_;
  int index_;
  int value_ = 0;
  roomlock::Mark mark_ = roomlock::Mark::Open;
  ScreenRect plateRect_;
  CXRef* plate_ = nullptr;
  CXRef* text_ = nullptr;
  CXRef* up_ = nullptr;
  CXRef* down_ = nullptr;
};

class CRoomLockRow : public CSprite {
 public:
  // Row number n (0 from the top) of the panel, placed over the scene's slate.
  CRoomLockRow(CRoomLockPuzzleEnvironment* scene, int n);
  ~CRoomLockRow() override;

  int GetTypeId() override { return TypeId::kRoomLockRow; }
  // Submit (1348).
  void OnNotify(CGameObject* sender, int code) override;

  void Show(const roomlock::Row& row);
  int Number() const { return number_; }
  bool Judged() const { return judged_; }
  CRoomLockDigit* Digit(int i) const;
  CPushbutton* SubmitButton() const;

 private:
  CRoomLockPuzzleEnvironment* scene_;
  int number_;
  bool judged_ = false;
  std::array<CXRef*, roomlock::kDigits> digits_{};
  CXRef* submit_ = nullptr;
};

// Where row n lies on a scene of this rectangle: 0.31 of the width in, rows 0.1025 of the height
// apart from 0.088 down, 0.66 of the height wide and a tenth of that high.
ScreenRect RoomLockRowRect(const ScreenRect& scene, int n);
// Digit i of a row: 1.5 row heights wide, two row heights apart.
ScreenRect RoomLockDigitRect(const ScreenRect& row, int i);
// Submit: right of the last digit, clear of it, to the row's end.
ScreenRect RoomLockSubmitRect(const ScreenRect& row);
