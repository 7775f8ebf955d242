#include "search/item_board.h"

#include <algorithm>

#include "platform/os/host.h"
#include "scene/input.h"
#include "scene/text_sprite.h"
#include "search/hidden_object.h"
#include "search/hidden_object_rules.h"
#include "search/search_environment.h"

namespace {
constexpr const char* kBoardPicture = "Search\\ItemBoard.tga";
constexpr const char* kStrikePicture = "Search\\ItemStrikeout.png";
constexpr const char* kCaptionFont = "GoldFlat2";
constexpr float kBoardDepth = 5.0f;
constexpr float kSlotDepth = 0.01f, kCaptionDepth = 0.02f, kStrikeDepth = 0.03f;
}  // namespace

// ---- CItemSlot -------------------------------------------------------------------------------

CItemSlot::CItemSlot(CSprite* board, int index) : index_(index) {
  Attach(board, 0);
  SetDepth(board->GetDepth() + kSlotDepth);
  SetScreenRect(board->GetScreenRect());
  strike_ = new CSprite(board->GetScreenRect(), board->GetDepth() + kStrikeDepth, kStrikePicture, this);
  strike_->SetOpacity(0);
}

CItemSlot::~CItemSlot() = default;

void CItemSlot::SetNames(const std::string& name, const std::string& plural) {
  hasName_ = true;
  name_ = name;
  plural_ = plural;
}

void CItemSlot::AddListed(int count) {
  shown_ += count;
  pending_ += count;
}

void CItemSlot::Clicked() {
  if (pending_ > 0) --pending_;
}

void CItemSlot::TargetPoint(float& x, float& y) {
  const ScreenRect r = caption_ ? caption_->GetScreenRect() : GetScreenRect();
  x = r.CenterX();
  y = r.CenterY();
}

void CItemSlot::Layout(const ScreenRect& area, int slotCount, bool differences) {
  auto* board = static_cast<CSprite*>(GetParent());
  const float depth = board ? board->GetDepth() : GetDepth();
  // A slot that no name reached shows nothing and counts as done.
  if (!hasName_ && !differences) {
    if (caption_) caption_->SetVisible(false);
    strike_->SetOpacity(0);
    return;
  }
  const std::string text = itemlist::CaptionText(shown_, differences, name_, plural_);
  if (!caption_) {
    caption_ = new CTextSprite(text.c_str(), kCaptionFont);
    caption_->Attach(this, 0);
  } else {
    caption_->SetText(text.c_str(), nullptr);
  }
  caption_->SetVisible(true);
  caption_->SetDepth(depth + kCaptionDepth);
  const ScreenRect rect = itemlist::CaptionRect(area, slotCount, index_, caption_->GetNaturalAspect());
  // The caption hangs under the slot: the slot moves first, then the caption is placed.
  SetScreenRect(rect);
  caption_->SetScreenRect(rect);
  striking_ = false;
  if (shown_ > 0) {
    caption_->SetColor(itemlist::kCaptionWhite);
    strike_->SetOpacity(0);
  } else {
    // Done before the venue was entered: struck out without the animation.
    caption_->SetColor(itemlist::kCaptionStruck);
    strike_->SetScreenRect(itemlist::StrikeBar(rect, 1));
    strike_->SetOpacity(1);
  }
}

void CItemSlot::Arrive(bool differences) {
  if (shown_ == 0) return;
  --shown_;
  if (!caption_) return;
  if (shown_ == 0) {
    striking_ = true;
    strikeStart_ = GetTime();
    strike_->SetOpacity(0);
    return;
  }
  const ScreenRect old = caption_->GetScreenRect();
  caption_->SetText(itemlist::CaptionText(shown_, differences, name_, plural_).c_str(), nullptr);
  caption_->SetScreenRect(itemlist::RefitCaption(old, caption_->GetNaturalAspect()));
}

void CItemSlot::Update() {
  if (!striking_ || !caption_) return;
  const float c = itemlist::StrikeProgress(GetTime() - strikeStart_);
  caption_->SetColor(itemlist::StrikeColor(c));
  strike_->SetScreenRect(itemlist::StrikeBar(caption_->GetScreenRect(), c));
  strike_->SetOpacity(1);
  if (c >= 1) striking_ = false;
}

// ---- CItemBoard ------------------------------------------------------------------------------

CItemBoard::CItemBoard(CSearchEnvironment* venue, int slotCount, bool differences)
    : venue_(venue), differences_(differences) {
  Place();
  CreateSlots(differences ? 1 : slotCount);
}

CItemBoard::CItemBoard(CSearchEnvironment* venue, const venue::SavedBoard& saved, bool differences)
    : venue_(venue), differences_(differences) {
  Place();
  CreateSlots(differences ? 1 : saved.slots);
  for (const venue::SavedBoardItem& item : saved.items) {
    CHiddenObject* object = venue_->FindObjectByIndex(item.object);
    CItemSlot* slot = GetSlot(item.slot);
    if (!object || !slot) continue;  // an object or slot this venue no longer has
    object->SetSlot(slot);
    if (!slot->HasName()) slot->SetNames(object->Spec().BoardName(), object->Spec().plural);
    ++listedTotal_;
    if (item.flags & 1)
      object->MarkFound();
    else
      slot->AddListed(1);
  }
  LayoutSlots();
}

CItemBoard::~CItemBoard() = default;

void CItemBoard::Place() {
  texture_ = AcquireTexture(kBoardPicture, kTexHitMask);
  Attach(venue_, 0);
  SetDepth(kBoardDepth);
  SetScreenRect(venue_->Layout().itemBoard);
}

void CItemBoard::CreateSlots(int count) {
  count = std::clamp(count, 1, venue::kMaxItemSlots);
  for (int i = 0; i < count; ++i) slots_.push_back(new CItemSlot(this, i));
}

void CItemBoard::Offer(CHiddenObject* object) {
  itemlist::Candidate c;
  c.name = object->Spec().BoardName();
  c.plural = object->Spec().plural;
  c.required = object->GetInventoryClass() != 0 || object->GetHotspotId() == 9;
  c.object = object->GetIndex();
  itemlist::InsertCandidate(candidates_, std::move(c));
}

bool CItemBoard::ChooseList(int itemsToFind) {
  const itemlist::ListChoice choice = itemlist::ChooseList(candidates_, itemsToFind, GetSlotCount());
  candidates_.clear();
  if (choice.tooManyRequired) {
    os::ShowMessageBox("Fatal error", "Too many items for number of item slots", os::MsgIcon::Warning);
    return false;
  }
  for (const itemlist::SlotChoice& sc : choice.slots) {
    CItemSlot* slot = GetSlot(sc.slot);
    if (!slot) continue;
    slot->SetNames(sc.name, sc.plural);
    slot->AddListed(int(sc.objects.size()));
    for (int index : sc.objects)
      if (CHiddenObject* object = venue_->FindObjectByIndex(index)) object->SetSlot(slot);
  }
  listedTotal_ += choice.total;
  LayoutSlots();
  return true;
}

void CItemBoard::FillDifferencesSlot() {
  CItemSlot* slot = GetSlot(0);
  if (slot && !candidates_.empty()) {
    slot->SetNames(candidates_.front().name, candidates_.front().plural);
    slot->AddListed(int(candidates_.size()));
    for (const itemlist::Candidate& c : candidates_)
      if (CHiddenObject* object = venue_->FindObjectByIndex(c.object)) object->SetSlot(slot);
    listedTotal_ += int(candidates_.size());
  }
  candidates_.clear();
  LayoutSlots();
}

void CItemBoard::LayoutSlots() {
  const ScreenRect area = itemlist::SlotArea(GetScreenRect());
  for (CItemSlot* slot : slots_) slot->Layout(area, GetSlotCount(), differences_);
}

int CItemBoard::UnfoundTotal() const {
  int n = 0;
  for (CItemSlot* slot : slots_) n += slot->GetPendingCount();
  return n;
}

void CItemBoard::Arrived(CHiddenObject* object) {
  CItemSlot* slot = object ? object->GetSlot() : nullptr;
  if (!slot) return;
  slot->Arrive(differences_);
  for (CItemSlot* s : slots_)
    if (s->GetShownCount() != 0) return;
  venue_->OnNotify(this, kCodeListDone);
}

void CItemBoard::Save(XmlDocument& doc, XmlNode venueElement) {
  ScopedXmlNode board(doc, doc.CreateElement(venueElement, "ItemBoard"));
  if (!board) return;
  doc.SetIntAttribute(board, "ItemSlots", GetSlotCount());
  doc.SetIntAttribute(board, "UnfoundItems", UnfoundTotal());
  for (CItemSlot* slot : slots_) {
    for (CHiddenObject* o = venue_->FirstHiddenObject(); o; o = o->NextInVenue()) {
      if (o->GetSlot() != slot) continue;
      ScopedXmlNode item(doc, doc.CreateElement(board, "Item"));
      doc.SetIntAttribute(item, "SlotIndex", slot->GetIndex());
      doc.SetIntAttribute(item, "ObjectIndex", o->GetIndex());
      doc.SetIntAttribute(item, "Flags", o->IsFound() ? 1 : 0);
    }
  }
}

int CItemBoard::HitTest() {
  if (IsHidden() || GetOpacity() != 1.0f) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  float mx = 0, my = 0;
  if (!hidden::MaskPoint(GetScreenRect(), 0, float(x), float(y), mx, my)) return kHitNone;
  // The board takes the pointer away from the picture without reacting to it.
  return HitTestMask(texture_, mx, my) ? kHitBlocking : kHitNone;
}
