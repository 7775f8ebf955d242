// CHiddenObject: one picture element of a venue that the player can find, click, drag or use an
// item on, a direct child of the venue. Its behaviour decides what a click does; a findable
// object on the item list is found with a pulse and a flight to its slot. CShadow is drawn by its
// object just before it; CMovementBoundingBox is the area a moveable object may be dragged in.
#pragma once

#include <string>

#include "scene/sprite.h"
#include "search/venue_file.h"

class CItemSlot;
class CSearchEnvironment;
class CParticleTrail;

class CShadow : public CSprite {
 public:
  CShadow(CSprite* object, const venue::ShadowSpec& spec);
  ~CShadow() override;
  void Render(gfx::Device*) override {}  // drawn by its object
  int GetTypeId() override { return TypeId::kShadow; }
  int HitTest() override { return kHitNone; }
  // Draws the shadow moved right by shiftX pixels (the second picture of a differences venue).
  void Draw(gfx::Device* device, float shiftX);
  // "Search\Shadows\..." for 1..6, else null: the object's own picture in black.
  static const char* TextureFor(int index);

 private:
  TextureEntry* shape_ = nullptr;
};

class CMovementBoundingBox : public CSprite {
 public:
  CMovementBoundingBox(CSearchEnvironment* venue, CSprite* object, const venue::BoundingBoxSpec& spec);
  ~CMovementBoundingBox() override;
  void Render(gfx::Device*) override {}  // shown only by an editor
  int GetTypeId() override { return TypeId::kMovementBoundingBox; }
  int HitTest() override { return kHitNone; }
  CSprite* Object() const;

 private:
  CXRef* object_ = nullptr;
};

class CHiddenObject : public CSprite {
 public:
  // Reads its element's values (already parsed) and joins the venue's list with the next index.
  CHiddenObject(CSearchEnvironment* venue, const venue::HiddenObjectSpec& spec, int index);
  ~CHiddenObject() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kHiddenObject; }
  int GetCursorKind() override;
  int HitTest() override;

  // Values from the file.
  int GetIndex() const { return index_; }
  const venue::HiddenObjectSpec& Spec() const { return spec_; }
  int GetBehavior() const { return spec_.behavior; }
  int GetInventoryClass() const { return spec_.inventoryClass; }
  int GetHotspotId() const { return spec_.hotspotId; }
  const std::string& GetFileName() const { return spec_.file; }

  // Listing on the item board.
  void SetSlot(CItemSlot* slot);
  CItemSlot* GetSlot() const;
  bool IsListed() const { return GetSlot() != nullptr; }
  bool IsFindable() const { return spec_.behavior == venue::kFindable; }
  // A hotspot whose story flag is still clear.
  bool IsActiveHotspot() const;
  // Found: its found sequence has started, or it is hidden as found.
  bool IsFound() const { return sequence_ || arrived_ || GetOpacity() == 0; }
  bool IsFlying() const { return sequence_ && !arrived_; }
  bool HasArrived() const { return arrived_; }
  // Hidden at once as found (a restored board).
  void MarkFound();

  // The found sequence from the click on (also the cheat command's way of finding).
  void Found();
  // The arrival at once, for a found sequence that is still running (leaving the venue). quiet:
  // no sounds and no bursts.
  void FinishFlight(bool quiet);
  float GetFoundStart() const { return foundStart_; }
  float GetFlightTime() const { return flightTime_; }

  bool IsDragging() const { return dragging_; }
  bool IsFalling() const { return falling_; }
  bool IsHoveredNow() const;
  CMovementBoundingBox* GetBoundingBox() const;
  // The rectangle a moveable object is kept in: its box, or the venue's scene area.
  ScreenRect DragLimits();

  CParticleTrail* GetTrail() const;

  // The venue's list of hidden objects, in index order.
  CHiddenObject* NextInVenue() const { return next_; }
  CSearchEnvironment* GetVenue() const { return venue_; }

 private:
  friend class CSearchEnvironment;
  bool TakesPointerAt(float x, float y);
  void DragStep();
  void FallStep();
  void AnimationStep();
  void Arrive(bool quiet);
  void ClickTest();
  void DrawAt(gfx::Device* device, float shiftX);
  void DrawPatch(gfx::Device* device, float shiftX);
  int FillPatchVertexBuffer();
  void SetCenter(float x, float y);

  CSearchEnvironment* venue_;
  CHiddenObject* prev_ = nullptr;
  CHiddenObject* next_ = nullptr;
  venue::HiddenObjectSpec spec_;
  int index_;
  CXRef* slot_ = nullptr;
  CXRef* box_ = nullptr;
  CXRef* trail_ = nullptr;
  CShadow* shadow_ = nullptr;  // a child: lives exactly as long as the object
  float hoverStart_ = 0;
  bool sequence_ = false;  // the found sequence has started
  bool toInventory_ = false;
  float foundStart_ = 0;
  bool arrived_ = false;
  float flightTime_ = 0;
  float startX_ = 0, startY_ = 0, targetX_ = 0, targetY_ = 0;
  float originalSize_ = 0;
  bool dragging_ = false;
  float grabX_ = 0, grabY_ = 0;
  bool falling_ = false;
  float fallStart_ = 0;
  gfx::VertexBuffer* patchBuffer_ = nullptr;
  bool patchDirty_ = true;
};
