// CSearchStatusBoard: the plaque in the bottom-left corner of a venue with the "Menu" button (and,
// in cheat mode, "Cheat") and the count of listed objects still to find; at 0 it reads
// "AllItemsFound".
#pragma once

#include "scene/sprite.h"

class CPushbutton;
class CTextContainer;
class CTextSprite;

class CSearchStatusBoard : public CSprite {
 public:
  // Placed in rect (the venue's status-board place) under venue; the buttons report to venue.
  CSearchStatusBoard(CSprite* venue, const ScreenRect& rect, bool cheat);
  ~CSearchStatusBoard() override;

  int GetTypeId() override { return TypeId::kSearchStatusBoard; }
  int HitTest() override;

  // Shows n listed objects still to be clicked.
  void SetCount(int n);
  int GetShownCount() const { return shown_; }
  CPushbutton* GetMenuButton() const { return menu_; }
  CPushbutton* GetCheatButton() const { return cheat_; }
  CTextContainer* GetLabel() const { return label_; }
  CTextSprite* GetNumber() const { return number_; }
  CTextContainer* GetAllFound() const { return allFound_; }

 private:
  int shown_ = -1;
  CPushbutton* menu_ = nullptr;  // children: they live as long as the board
  CPushbutton* cheat_ = nullptr;
  CTextContainer* label_ = nullptr;
  CTextSprite* number_ = nullptr;
  CTextContainer* allFound_ = nullptr;
};
