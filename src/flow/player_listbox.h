// The player list: every profile in the players folder as a clickable name, the current player's
// highlighted, with Delete, Add and Select below. It always tells the main menu 1238 when it
// closes (the menu rebuilds its welcome block then); Add first asks the menu for the name editor
// (1200), so the editor is open before the list goes and the menu stays hidden in between.
#pragma once

#include <string>
#include <vector>

#include "scene/text_sprite.h"
#include "ui/dialog_scaled_frame.h"

class CPushbutton;

// One name in the list. All names form one list in creation order; at most one is highlighted.
class CPlayerName : public CTextSprite {
 public:
  explicit CPlayerName(const char* name);
  ~CPlayerName() override;

  void Update() override;  // a click highlights the name
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kPlayerName; }
  int GetCursorKind() override { return 2; }
  int HitTest() override;

  void Highlight();
  bool IsHighlighted() const;
  CPlayerName* Next() const { return next_; }
  CPlayerName* Prev() const { return prev_; }

 private:
  CPlayerName* prev_ = nullptr;
  CPlayerName* next_ = nullptr;
  TextureEntry* highlight_ = nullptr;
};

CPlayerName* FirstPlayerName();
int CountPlayerNames();
CPlayerName* HighlightedPlayerName();
// The brightness of the highlight t seconds after it was given: sin^2(3 t).
float HighlightBrightness(float seconds);

class CPlayerListbox : public CDialogScaledFrame {
 public:
  CPlayerListbox(CGameObject* owner, CGameObject* parent);
  ~CPlayerListbox() override;

  int GetTypeId() override { return TypeId::kPlayerListbox; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // closes with 1238
  void ShowAnimated() override;

  // What the confirmation box answered (through its relay): Yes deletes, its close brings the
  // list back.
  void OnBoxAnswer(int code);

  float RowHeight() const { return rowHeight_; }
  std::vector<CPlayerName*> Names() const;
  CPushbutton* GetButton(int id);
  bool IsAskingToDelete() const { return confirming_; }

 private:
  void AskToDelete();
  void DeleteHighlighted();

  CXRef* relay_ = nullptr;  // the confirmation boxes' owner
  float rowHeight_ = 0;
  std::string pending_;  // the name the confirmation asks about
  bool confirming_ = false;
  bool slidAway_ = false;
};

CPlayerListbox* OpenPlayerListbox(CGameObject* owner, CGameObject* parent);
CPlayerListbox* GetPlayerListbox();  // the open one that is not closing, or null
