#include "search/inventory_item.h"

#include <cmath>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "effects/particle_trail.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "scene/text_sprite.h"
#include "search/inventory_board.h"
#include "search/inventory_layout.h"
#include "search/rule_actions.h"
#include "ui/button_style.h"
#include "ui/tooltip.h"

namespace {

CInventoryItem* g_head = nullptr;
CInventoryItem* g_tail = nullptr;
int64_t g_ruleFrame = -10;

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* item = dynamic_cast<CInventoryItem*>(object);
  if (!item) return;
  static const char* const kStates[] = {"idle", "held", "returning"};
  char extra[96];
  std::snprintf(extra, sizeof extra, " | class %d | slot %d | x%d | %s", item->GetClass(), item->GetSlot(),
                item->GetInstances(), kStates[item->GetState() % 3]);
  f.hasText = true;
  f.text = item->What().name + extra;
}
TreeDumpRegistration g_dump(&FillDumpFields);

std::string PicturePath(const std::string& file) {
  return "Search\\HiddenObjects\\" + file;
}

TrailParams ReturnTrail() {
  TrailParams trail;
  trail.count = 30;
  trail.lifetime = 0.75f;
  trail.spread = 0.3f;
  trail.color = 0xFFE0E0FFu;
  trail.size = 0.06f;
  return trail;
}

}  // namespace

CInventoryItem::CInventoryItem(CInventoryBoard* strip, int slot, const InventoryFind& what, int instances)
    : strip_(strip), slot_(slot), what_(what), instances_(instances) {
  prev_ = g_tail;
  (g_tail ? g_tail->next_ : g_head) = this;
  g_tail = this;
  if (strip) {
    Attach(strip, 0);
    SetDepth(strip->GetDepth() + 0.1f);
  }
  if (instances_ > 0) {
    texture_ = AcquireTexture(PicturePath(what_.file), kTexHitMask);
    if (!(what_.aspect > 0)) what_.aspect = GetAspect(texture_);
  }
  PlaceInSlot();
  UpdateBadge();
}

CInventoryItem::~CInventoryItem() {
  (prev_ ? prev_->next_ : g_head) = next_;
  (next_ ? next_->prev_ : g_tail) = prev_;
  delete WeakTarget(badge_);
  delete badge_;
  StopTrail();
  delete trail_;
}

ScreenRect CInventoryItem::SlotRect() const {
  return strip_ ? strip_->SlotRect(slot_) : ScreenRect();
}

CSprite* CInventoryItem::GetBadge() const {
  return static_cast<CSprite*>(WeakTarget(badge_));
}

void CInventoryItem::PlaceInSlot() {
  state_ = kIdle;
  returnRequested_ = false;
  StopTrail();
  SetScreenRect(inventory::PictureRect(SlotRect(), what_.aspect));
}

void CInventoryItem::Arrive(float aspect) {
  if (pending_ > 0) --pending_;
  ++instances_;
  if (instances_ == 1) {
    // The first of its kind: the picture and the arriving object's proportions.
    ReleaseTexture(texture_);
    texture_ = AcquireTexture(PicturePath(what_.file), kTexHitMask);
    if (aspect > 0) what_.aspect = aspect;
    PlaceInSlot();
  }
  UpdateBadge();
}

void CInventoryItem::UpdateBadge() {
  if (instances_ <= 1) return;
  auto* badge = static_cast<CInventoryMultiplier*>(WeakTarget(badge_));
  if (!badge) {
    badge = new CInventoryMultiplier(strip_, this);
    CreateWeakRef(badge, &badge_);
  }
  badge->SetCount(instances_);
}

void CInventoryItem::StopTrail() {
  if (auto* trail = static_cast<CParticleTrail*>(WeakTarget(trail_))) trail->Stop(GetTime());
}

int CInventoryItem::HitTest() {
  if (instances_ <= 0 || IsHidden()) return kHitNone;
  const int frame = int(GetFrameCount());
  if (state_ == kHeld) {
    // The pointer goes on to what lies beneath (a hotspot, a door).
    lastHoveredFrame_ = frame;
    return kHitNone;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  if (!r.ContainsPoint(float(x), float(y))) return kHitNone;
  float lx = 0, ly = 0;
  r.ToLocal(float(x), float(y), lx, ly);
  if (!HitTestMask(texture_, lx, -ly)) return kHitNone;
  lastHoveredFrame_ = frame;
  if (state_ == kIdle) ShowNameTooltip();
  return kHitHovered;
}

void CInventoryItem::ShowNameTooltip() {
  char text[160];
  if (instances_ > 1)
    std::snprintf(text, sizeof text, "%d %s", instances_, what_.plural.c_str());
  else
    std::snprintf(text, sizeof text, "%s", what_.name.c_str());
  const float clientW = float(GetClientWidth());
  const ScreenRect item = GetScreenRect();
  const float h = 0.6f * SlotRect().Width();
  const float w = 0.5f * clientW;
  ShowTooltip(ScreenRect::FromCenter(w, h, item.left - 0.255f * clientW, item.CenterY()), text,
              kTooltipRightAligned | kTooltipOneLine);
}

void CInventoryItem::Update() {
  if (returnRequested_) {
    returnRequested_ = false;
    state_ = kReturning;
    if (!WeakTarget(trail_)) CreateWeakRef(new CParticleTrail(this, ReturnTrail()), &trail_);
    return;
  }
  const int frame = int(GetFrameCount());
  const bool hovered = lastHoveredFrame_ == frame || lastHoveredFrame_ == frame - 1;
  if (hovered && instances_ > 0 && IsLeftClick() && !ItemRuleRanThisFrame()) {
    if (state_ == kIdle) {
      const rules::Outcome outcome = rules::ItemClickRule(what_.itemClass, instances_, CurrentItemContext());
      if (outcome.pickUp)
        state_ = kHeld;
      else
        CarryOutRule(outcome, this, nullptr);
      return;  // a rule may have opened another scene; nothing more this frame
    }
    if (state_ == kHeld) returnRequested_ = true;
  }
  if (state_ == kReturning) ReturnStep();
}

void CInventoryItem::ReturnStep() {
  const ScreenRect r = GetScreenRect();
  const ScreenRect slot = SlotRect();
  const float dx = slot.CenterX() - r.CenterX(), dy = slot.CenterY() - r.CenterY();
  const float d = std::sqrt(dx * dx + dy * dy);
  const float f = d > 0 ? GetElapsed() * float(GetClientWidth()) / d : 1.0f;
  if (f >= 1.0f) {
    PlaceInSlot();
    SoundParams params;
    SetPanFromObject(params, this);
    PlaySound(GetSoundEffect("Thump.wav"), params);
    return;
  }
  SetScreenRect(ScreenRect::FromCenter(r.Width(), r.Height(), r.CenterX() + f * dx, r.CenterY() + f * dy));
}

void CInventoryItem::Render(gfx::Device* device) {
  if (instances_ <= 0) return;
  if (state_ == kHeld) {
    int x = 0, y = 0;
    GetPointerPosition(x, y);
    const ScreenRect r = GetScreenRect();
    if (r.CenterX() != float(x) || r.CenterY() != float(y)) {
      SetScreenRect(ScreenRect::FromCenter(r.Width(), r.Height(), float(x), float(y)));
    }
  }
  CSprite::Render(device);
}

// ---- Badge ----------------------------------------------------------------------------------------

CInventoryMultiplier::CInventoryMultiplier(CInventoryBoard* strip, CInventoryItem* item)
    : CSprite(strip && item ? inventory::BadgeRect(item->SlotRect()) : ScreenRect(),
              (strip ? strip->GetDepth() : 0.0f) + 1.0f, "Search\\InventoryMultiplier.jpg", strip) {
  CreateWeakRef(item, &item_);
  text_ = new CTextSprite("", "GoldFlat");
  text_->Attach(this, 0);
  text_->SetDepth(GetDepth() + 0.01f);
  text_->SetColor(0xFFFFFF00u);
}

CInventoryMultiplier::~CInventoryMultiplier() {
  delete item_;
}

CInventoryItem* CInventoryMultiplier::GetItem() const {
  return static_cast<CInventoryItem*>(WeakTarget(item_));
}

void CInventoryMultiplier::SetCount(int count) {
  char text[24];
  std::snprintf(text, sizeof text, "%dx", count);
  text_->SetText(text, nullptr);
  FitText();
}

void CInventoryMultiplier::FitText() {
  const ScreenRect badge = GetScreenRect();
  float h = 0.8f * badge.Height();
  float w = text_->GetNaturalAspect() * h;
  if (w > badge.Width() && w > 0) {
    h *= badge.Width() / w;
    w = badge.Width();
  }
  text_->SetScreenRect(ScreenRect::FromCenter(w, h, badge.CenterX(), badge.CenterY()));
}

void CInventoryMultiplier::Update() {
  CInventoryItem* item = GetItem();
  SetVisible(item && item->GetState() == CInventoryItem::kIdle && item->GetInstances() > 1);
}

// ---- The list -------------------------------------------------------------------------------------

CInventoryItem* FirstInventoryItem() {
  return g_head;
}

int InventoryItemCount() {
  int n = 0;
  for (CInventoryItem* i = g_head; i; i = i->Next()) ++n;
  return n;
}

CInventoryItem* HeldInventoryItem() {
  for (CInventoryItem* i = g_head; i; i = i->Next()) {
    if (i->GetState() == CInventoryItem::kHeld) return i;
  }
  return nullptr;
}

CInventoryItem* InventoryItemByClass(int itemClass) {
  for (CInventoryItem* i = g_head; i; i = i->Next()) {
    if (i->GetClass() == itemClass) return i;
  }
  return nullptr;
}

CInventoryItem* InventoryItemByName(const std::string& name) {
  for (CInventoryItem* i = g_head; i; i = i->Next()) {
    if (rules::SameName(i->What().name, name)) return i;
  }
  return nullptr;
}

void ConsumeInventoryItem(CInventoryItem* item) {
  if (!item) return;
  StampItemRuleFrame();
  delete item;
}

void PutBackInventoryItem(CInventoryItem* item) {
  if (!item) return;
  StampItemRuleFrame();
  item->PlaceInSlot();
}

void StampItemRuleFrame() {
  g_ruleFrame = int64_t(GetFrameCount());
}

bool ItemRuleRanThisFrame() {
  return g_ruleFrame == int64_t(GetFrameCount());
}

void ResetInventoryModuleForTests() {
  g_ruleFrame = -10;
}
