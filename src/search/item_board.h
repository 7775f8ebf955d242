// CItemBoard: the list of things to find along the bottom of a venue. It chooses which findable
// objects are listed, groups objects of one name into a slot, lays the captions out, counts
// arrivals down, strikes finished slots out, tells the venue when every slot is done (1280), and
// saves and restores itself in the player's profile. CItemSlot is one slot with its caption and
// strike-out bar.
#pragma once

#include <string>
#include <vector>

#include "data/xml_document.h"
#include "scene/sprite.h"
#include "search/item_list.h"
#include "search/venue_file.h"

class CHiddenObject;
class CSearchEnvironment;
class CTextSprite;

class CItemSlot : public CSprite {
 public:
  CItemSlot(CSprite* board, int index);
  ~CItemSlot() override;

  void Update() override;  // the strike-out animation
  int GetTypeId() override { return TypeId::kItemSlot; }
  int HitTest() override { return kHitNone; }
  void Render(gfx::Device*) override {}

  int GetIndex() const { return index_; }
  int GetShownCount() const { return shown_; }
  int GetPendingCount() const { return pending_; }
  bool HasName() const { return hasName_; }
  const std::string& GetName() const { return name_; }
  const std::string& GetPlural() const { return plural_; }
  CTextSprite* GetCaption() const { return caption_; }
  CSprite* GetStrikeout() const { return strike_; }
  bool IsStriking() const { return striking_; }

  void SetNames(const std::string& name, const std::string& plural);
  void AddListed(int count);  // shown and pending counts grow
  void Clicked();             // one listed object was clicked
  // The point a found object flies to: the caption's centre (the slot's own place without one).
  void TargetPoint(float& x, float& y);
  // Places the caption for slot count s in the board's slot area, struck out at once when done.
  void Layout(const ScreenRect& slotArea, int slotCount, bool differences);
  // One listed object reached the board.
  void Arrive(bool differences);

 private:
  int index_;
  int shown_ = 0;
  int pending_ = 0;
  bool hasName_ = false;
  std::string name_, plural_;
  CTextSprite* caption_ = nullptr;  // children: they live as long as the slot
  CSprite* strike_ = nullptr;
  bool striking_ = false;
  float strikeStart_ = 0;
};

class CItemBoard : public CSprite {
 public:
  // A fresh board: slotCount slots (1 in differences mode), nothing listed yet.
  CItemBoard(CSearchEnvironment* venue, int slotCount, bool differences);
  // The board as saved: its slots, then each saved object restored into its slot, then the layout.
  CItemBoard(CSearchEnvironment* venue, const venue::SavedBoard& saved, bool differences);
  ~CItemBoard() override;

  int GetTypeId() override { return TypeId::kItemBoard; }
  int HitTest() override;

  void Offer(CHiddenObject* object);
  // Chooses the list for itemsToFind objects, lays it out, frees the candidates. False (after a
  // message) when more objects must be listed than there are slots.
  bool ChooseList(int itemsToFind);
  // Every candidate into the single slot (differences mode).
  void FillDifferencesSlot();

  int GetSlotCount() const { return int(slots_.size()); }
  CItemSlot* GetSlot(int i) const { return i >= 0 && i < GetSlotCount() ? slots_[size_t(i)] : nullptr; }
  bool IsDifferences() const { return differences_; }
  int UnfoundTotal() const;
  int ListedTotal() const { return listedTotal_; }
  // The arrival of a found object at its slot; 1280 to the venue when every slot is done.
  void Arrived(CHiddenObject* object);
  // "ItemBoard" under the venue's element of the profile.
  void Save(XmlDocument& doc, XmlNode venueElement);
  void LayoutSlots();

 private:
  void CreateSlots(int count);
  void Place();

  CSearchEnvironment* venue_;
  bool differences_;
  std::vector<CItemSlot*> slots_;  // children of the board
  std::vector<itemlist::Candidate> candidates_;
  int listedTotal_ = 0;
};
