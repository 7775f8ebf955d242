// CInventoryItem: one thing the detective carries, resting in its slot of the strip, held in hand
// (following the pointer) or flying back to its slot. Its class decides what a click on it and
// its arrival do. CInventoryMultiplier is the "%dx" badge of an item held several times.
// Every live item is in one list in creation order; each is also a child of the strip.
#pragma once

#include <string>

#include "scene/sprite.h"

class CInventoryBoard;
class CTextSprite;

// What a found object gives the strip.
struct InventoryFind {
  int itemClass = 0;
  std::string name;
  std::string plural;
  std::string file;  // picture under "Search\HiddenObjects\"
  float aspect = 1;  // the arriving picture's width / height
};

class CInventoryItem : public CSprite {
 public:
  enum State : int { kIdle = 0, kHeld = 1, kReturning = 2 };

  // A new item in the slot; without instances it has no picture yet (its find is on the way).
  CInventoryItem(CInventoryBoard* strip, int slot, const InventoryFind& what, int instances);
  ~CInventoryItem() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kInventoryItem; }
  int HitTest() override;

  int GetSlot() const { return slot_; }
  int GetInstances() const { return instances_; }
  int GetPending() const { return pending_; }
  int GetClass() const { return what_.itemClass; }
  const InventoryFind& What() const { return what_; }
  int GetState() const { return state_; }
  bool IsReturnRequested() const { return returnRequested_; }
  CSprite* GetBadge() const;
  CInventoryBoard* GetStrip() const { return strip_; }
  // The square of its slot, now.
  ScreenRect SlotRect() const;

  // A find is on its way here / has arrived. The first arrival gives the item its picture.
  void AddPending() { ++pending_; }
  void Arrive(float aspect);
  // Back to idle in the slot at once (a put-back, or a rule that leaves it there).
  void PlaceInSlot();
  void PickUp() { state_ = kHeld; }

  CInventoryItem* Next() const { return next_; }

 private:
  void UpdateBadge();
  void ShowNameTooltip();
  void ReturnStep();
  void StopTrail();

  CInventoryBoard* strip_;
  int slot_;
  InventoryFind what_;
  int instances_;
  int pending_ = 0;  // reserved finds still flying here
  int state_ = kIdle;
  bool returnRequested_ = false;
  CXRef* badge_ = nullptr;
  CXRef* trail_ = nullptr;
  CInventoryItem* prev_ = nullptr;
  CInventoryItem* next_ = nullptr;
};

class CInventoryMultiplier : public CSprite {
 public:
  CInventoryMultiplier(CInventoryBoard* strip, CInventoryItem* item);
  ~CInventoryMultiplier() override;
  int GetTypeId() override { return TypeId::kInventoryMultiplier; }
  int HitTest() override { return kHitNone; }
  void Update() override;
  void SetCount(int count);
  CTextSprite* GetText() const { return text_; }
  CInventoryItem* GetItem() const;

 private:
  void FitText();
  CXRef* item_ = nullptr;
  CTextSprite* text_ = nullptr;  // a child
};

// ---- The item list ------------------------------------------------------------------------------

CInventoryItem* FirstInventoryItem();
int InventoryItemCount();
// The item in hand, or null.
CInventoryItem* HeldInventoryItem();
// The first item of the class, or null.
CInventoryItem* InventoryItemByClass(int itemClass);
// The first item of that name (any case), or null.
CInventoryItem* InventoryItemByName(const std::string& name);
// The whole stack leaves the strip.
void ConsumeInventoryItem(CInventoryItem* item);
// Into its slot at once.
void PutBackInventoryItem(CInventoryItem* item);
// A rule took or put back the held item this frame: the item does not also take this frame's
// click (it would be picked up again).
void StampItemRuleFrame();
bool ItemRuleRanThisFrame();
void ResetInventoryModuleForTests();
