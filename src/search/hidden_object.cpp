#include "search/hidden_object.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "effects/fire_effect.h"
#include "effects/particle_trail.h"
#include "effects/starburst.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "search/hidden_object_rules.h"
#include "search/item_board.h"
#include "search/search_environment.h"
#include "search/venue_parts.h"
#include "search/venue_rules.h"

namespace {

constexpr float kDepthStep = 0.01f;
constexpr float kChildDepth = 0.005f;

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* o = dynamic_cast<CHiddenObject*>(object);
  if (!o) return;
  char extra[96];
  std::snprintf(extra, sizeof extra, " | behavior %d | listed %d | found %d | index %d", o->GetBehavior(),
                o->IsListed() ? 1 : 0, o->IsFound() ? 1 : 0, o->GetIndex());
  f.hasText = true;
  f.text = o->Spec().name.value_or(std::string()) + extra;
}
TreeDumpRegistration g_dump(&FillDumpFields);

void PlayAt(const char* sound, CSprite* object) {
  SoundParams params;
  SetPanFromObject(params, object);
  PlaySound(GetSoundEffect(sound), params);
}

}  // namespace

// ---- CShadow ---------------------------------------------------------------------------------

const char* CShadow::TextureFor(int index) {
  static const char* const kShapes[6] = {
      "Search\\Shadows\\Ellipse1.png",   "Search\\Shadows\\Ellipse2.png",
      "Search\\Shadows\\Ellipse3.png",   "Search\\Shadows\\Rectangle1.png",
      "Search\\Shadows\\Rectangle2.png", "Search\\Shadows\\Rectangle3.png"};
  return index >= 1 && index <= 6 ? kShapes[index - 1] : nullptr;
}

CShadow::CShadow(CSprite* object, const venue::ShadowSpec& spec) {
  if (const char* shape = TextureFor(spec.textureIndex)) shape_ = AcquireTexture(shape, 0);
  Attach(object, 0);
  SetDepth(object->GetDepth() + kChildDepth);
  SetOffset(spec.x, spec.y);
  SetScale(spec.size);
  SetAngle(spec.angle);
  // Without an aspect of its own the shadow takes the shape of its object.
  SetAspectRatio(spec.aspect > 0 ? spec.aspect : object->GetAspectRatio());
  AddFlags(spec.flips);
  SetColor(0xFF000000);
  SetOpacity(spec.intensity);
}

CShadow::~CShadow() {
  ReleaseTexture(shape_);
}

void CShadow::Draw(gfx::Device* device, float shiftX) {
  auto* object = static_cast<CSprite*>(GetParent());
  TextureEntry* picture = shape_ ? shape_ : (object ? object->GetTexture() : nullptr);
  gfx::Texture* texture = GetDeviceTexture(picture);
  const int quad = QuadForFlags(flags_);
  if (!device || !texture || !GetQuad(quad) || GetEffectiveOpacity() == 0) return;
  ScreenRect r = GetScreenRect();
  r.left += shiftX;
  r.right += shiftX;
  BeginSpriteStates(device, false);
  DrawQuad(device, r, quad, texture, RenderMaterial());
  EndSpriteStates(device);
}

// ---- CMovementBoundingBox --------------------------------------------------------------------

CMovementBoundingBox::CMovementBoundingBox(CSearchEnvironment* venue, CSprite* object,
                                           const venue::BoundingBoxSpec& spec) {
  Attach(venue, 0);
  SetDepth(5.0f);
  SetOffset(spec.x, spec.y);
  SetScale(spec.size);
  SetAspectRatio(spec.aspect);
  SetAngle(spec.angle);
  CreateWeakRef(object, &object_);
}

CMovementBoundingBox::~CMovementBoundingBox() {
  delete object_;
}

CSprite* CMovementBoundingBox::Object() const {
  return static_cast<CSprite*>(WeakTarget(object_));
}

// ---- CHiddenObject: construction -------------------------------------------------------------

CHiddenObject::CHiddenObject(CSearchEnvironment* venue, const venue::HiddenObjectSpec& spec, int index)
    : venue_(venue), spec_(spec), index_(index) {
  if (!spec_.file.empty()) texture_ = AcquireTexture("Search\\HiddenObjects\\" + spec_.file, kTexHitMask);
  Attach(venue, 0);
  CHiddenObject* previous = venue->LastHiddenObject();
  venue->LinkObject(this);
  SetDepth((previous ? previous->GetDepth() : venue->GetDepth()) + kDepthStep);
  SetOffset(spec_.x, spec_.y);
  SetScale(spec_.size);
  SetAngle(spec_.angle);
  SetAspectRatio(spec_.aspect);
  naturalAspect_ = spec_.aspect;
  AddFlags(spec_.flips);
  SetColor(spec_.color);
  SetOpacity(spec_.alpha);

  if (spec_.shadow) shadow_ = new CShadow(this, *spec_.shadow);
  if (spec_.behavior == venue::kMoveable && spec_.box) {
    auto* box = new CMovementBoundingBox(venue, this, *spec_.box);
    CreateWeakRef(box, &box_);
  }
  // Lamps and candelabra burn above their picture.
  const ScreenRect r = GetScreenRect();
  const float w = r.Width(), h = r.Height();
  auto flame = [&](float cx, float cy, float fw, float fh) {
    auto* fire = new CFireEffect(this, ScreenRect());
    fire->SetScreenRect(ScreenRect::FromCenter(fw, fh, cx, cy));
  };
  if (spec_.hotspotId == 5) {
    flame(r.left + 0.45f * w, r.top - 0.1f * h, 0.15f * w, 0.18f * h);
  } else if (spec_.hotspotId == 6) {
    flame(r.left + 0.085f * w, r.top - 0.1f * h, 0.06f * w, 0.15f * h);
    flame(r.left + 0.5f * w, r.top - 0.025f * h, 0.06f * w, 0.15f * h);
    flame(r.left + 0.9f * w, r.top - 0.1f * h, 0.06f * w, 0.15f * h);
  }
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CHiddenObject::~CHiddenObject() {
  if (venue_) venue_->UnlinkObject(this);
  delete slot_;
  delete box_;
  delete trail_;
  if (patchBuffer_) patchBuffer_->Release();
}

// ---- State -----------------------------------------------------------------------------------

void CHiddenObject::SetSlot(CItemSlot* slot) {
  delete slot_;
  slot_ = nullptr;
  CreateWeakRef(slot, &slot_);
}

CItemSlot* CHiddenObject::GetSlot() const {
  return static_cast<CItemSlot*>(WeakTarget(slot_));
}

CMovementBoundingBox* CHiddenObject::GetBoundingBox() const {
  return static_cast<CMovementBoundingBox*>(WeakTarget(box_));
}

CParticleTrail* CHiddenObject::GetTrail() const {
  return static_cast<CParticleTrail*>(WeakTarget(trail_));
}

bool CHiddenObject::IsActiveHotspot() const {
  if (spec_.behavior != venue::kHotspot) return false;
  const int flag = venue::HotspotActivityFlag(spec_.hotspotId);
  return flag >= 0 && !TestFlag(flag);
}

bool CHiddenObject::IsHoveredNow() const {
  const int frame = int(GetFrameCount());
  return lastHoveredFrame_ == frame || lastHoveredFrame_ == frame - 1;
}

void CHiddenObject::MarkFound() {
  arrived_ = true;
  SetOpacity(0);
}

ScreenRect CHiddenObject::DragLimits() {
  if (CMovementBoundingBox* box = GetBoundingBox()) return box->GetScreenRect().BoundingBox();
  // Without a box of its own the object can at least never leave the picture.
  return venue_ ? venue_->GetSceneArea() : GetParentRect();
}

// ---- Pointer ---------------------------------------------------------------------------------

bool CHiddenObject::TakesPointerAt(float x, float y) {
  const ScreenRect rect = GetScreenRect();
  hidden::MaskLookup mask;
  if (spec_.behavior != venue::kPatch && HasHitMask(texture_)) {
    TextureEntry* texture = texture_;
    mask = [texture](float mx, float my) { return HitTestMask(texture, mx, my) != 0; };
  }
  if (venue_ && venue_->IsDifferencesMode()) {
    const bool twice = spec_.behavior == venue::kBlocksClicks || spec_.behavior == venue::kPatch;
    return hidden::DifferencesHit(rect, flags_, mask, twice, venue_->GetSceneArea(), x, y);
  }
  return hidden::HitsAt(rect, flags_, mask, x, y);
}

int CHiddenObject::HitTest() {
  const int frame = int(GetFrameCount());
  auto hover = [&] {
    if (lastHoveredFrame_ < frame - 1) hoverStart_ = GetTime();
    lastHoveredFrame_ = frame;
    return kHitHovered;
  };
  if (dragging_ && IsLeftButtonDown()) return hover();
  if (sequence_ || arrived_ || IsHidden()) return kHitNone;
  if (spec_.behavior == venue::kIgnoresClicks) return kHitNone;
  if (spec_.behavior == venue::kHotspot && !IsActiveHotspot()) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!TakesPointerAt(float(x), float(y))) return kHitNone;
  return hover();
}

int CHiddenObject::GetCursorKind() {
  if (spec_.behavior == venue::kHotspot) return 4;
  if (spec_.behavior == venue::kMoveable) return IsLeftButtonDown() ? 6 : 5;
  return 1;
}

// ---- Update ----------------------------------------------------------------------------------

void CHiddenObject::Update() {
  if (GetOpacity() == 0) return;
  if (dragging_) {
    DragStep();
    return;
  }
  if (sequence_ && !arrived_) {
    AnimationStep();
    return;
  }
  if (falling_) FallStep();
  ClickTest();
}

void CHiddenObject::ClickTest() {
  if (!IsHoveredNow() || !IsLeftClick()) return;
  VenueParts& parts = GetVenueParts();
  switch (spec_.behavior) {
    case venue::kHotspot:
      if (IsActiveHotspot() && parts.runHotspot) parts.runHotspot(venue_, this);
      return;
    case venue::kMoveable: {
      int x = 0, y = 0;
      GetPointerPosition(x, y);
      const ScreenRect r = GetScreenRect();
      falling_ = false;
      dragging_ = true;
      grabX_ = r.CenterX() - float(x);
      grabY_ = r.CenterY() - float(y);
      return;
    }
    case venue::kFindable:
      if (IsListed()) {
        Found();
        return;
      }
      break;
    default:
      break;
  }
  if (venue_) venue_->CountWrongClick();
}

void CHiddenObject::SetCenter(float x, float y) {
  const ScreenRect r = GetScreenRect();
  SetScreenRect(ScreenRect::FromCenter(r.Width(), r.Height(), x, y, r.angle));
  patchDirty_ = true;
}

void CHiddenObject::DragStep() {
  if (!IsLeftButtonDown()) {
    dragging_ = false;
    if (venue_ && !venue_->IsEditor()) {
      falling_ = true;
      fallStart_ = GetTime();
    }
    return;
  }
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  const ScreenRect moved =
      ScreenRect::FromCenter(r.Width(), r.Height(), float(x) + grabX_, float(y) + grabY_, r.angle);
  const ScreenRect bounds = moved.BoundingBox();
  const ScreenRect kept = hidden::ClampToBox(bounds, DragLimits());
  SetCenter(moved.CenterX() + kept.left - bounds.left, moved.CenterY() + kept.top - bounds.top);
}

void CHiddenObject::FallStep() {
  const ScreenRect r = GetScreenRect();
  const ScreenRect bounds = r.BoundingBox();
  bool resting = false;
  const ScreenRect fallen = hidden::FallStep(bounds, DragLimits(), GetTime() - fallStart_, GetElapsed(),
                                             float(GetClientHeight()), resting);
  SetCenter(r.CenterX(), r.CenterY() + fallen.top - bounds.top);
  if (resting) falling_ = false;
}

// ---- The found sequence ----------------------------------------------------------------------

void CHiddenObject::Found() {
  if (sequence_ || arrived_ || !venue_) return;
  CItemSlot* slot = GetSlot();
  if (slot) slot->Clicked();
  venue_->UpdateStatusCount();

  const ScreenRect r = GetScreenRect();
  float tx = r.CenterX(), ty = r.CenterY();
  VenueParts& parts = GetVenueParts();
  CSprite* strip = venue_->GetInventory();
  toInventory_ = spec_.inventoryClass != 0 && strip && parts.reserveInventory &&
                 parts.reserveInventory(strip, this, tx, ty);
  if (!toInventory_ && slot) slot->TargetPoint(tx, ty);

  const ScreenRect env = venue_->GetScreenRect();
  startX_ = offsetX_;
  startY_ = offsetY_;
  targetX_ = env.Width() != 0 ? (tx - env.CenterX()) / env.Width() : 0;
  targetY_ = env.Height() != 0 ? (ty - env.CenterY()) / env.Height() : 0;
  originalSize_ = scale_;
  sequence_ = true;
  foundStart_ = GetTime();
  flightTime_ = hidden::FlightTime(startX_, startY_, targetX_, targetY_);

  SetDepth(GetTopDepth() + kDepthStep);
  SetOpacity(1);
  TrailParams trail;
  trail.count = 30;
  trail.lifetime = 0.75f;
  trail.spread = 0.3f;
  trail.color = 0xFFE0E0FF;
  trail.size = 0.06f;
  CreateWeakRef(new CParticleTrail(this, trail), &trail_);
  const float side = 2 * std::max(r.Width(), r.Height());
  const ScreenRect square = ScreenRect::FromCenter(side, side, r.CenterX(), r.CenterY());
  auto* burst = new CStarburst(this, venue_, &square);
  burst->SetDepth(GetDepth() - 0.001f);
  PlayAt("FoundItem.wav", this);
  if (parts.stopHintHalo) parts.stopHintHalo(this);
  if (parts.resetWrongClicks) parts.resetWrongClicks();
}

void CHiddenObject::AnimationStep() {
  const float t = GetTime() - foundStart_;
  const hidden::FoundPose pose =
      hidden::FoundPoseAt(t, originalSize_, startX_, startY_, targetX_, targetY_, flightTime_);
  // A scene change cuts the flight short: the find must be on the board before the scene goes.
  if (pose.phase == hidden::FoundPhase::kArrived || ShutterTransitionExists()) {
    FinishFlight(false);
    return;
  }
  SetScale(pose.size);
  if (pose.phase == hidden::FoundPhase::kFlight) {
    SetAngle(angle_ + hidden::kSpinRate * GetElapsed());
    SetOffset(pose.x, pose.y);
  }
  patchDirty_ = true;
}

void CHiddenObject::FinishFlight(bool quiet) {
  if (!sequence_ || arrived_) return;
  SetScale(originalSize_);
  SetOffset(targetX_, targetY_);
  Arrive(quiet);
}

void CHiddenObject::Arrive(bool quiet) {
  arrived_ = true;
  CItemBoard* board = venue_ ? venue_->GetItemBoard() : nullptr;
  CSprite* strip = venue_ ? venue_->GetInventory() : nullptr;
  if (board) board->Arrived(this);
  if (!quiet && board) {
    CSprite* target = toInventory_ && strip ? strip : board;
    const ScreenRect t = target->GetScreenRect();
    const float side = 0.75f * std::min(t.Width(), t.Height());
    const ScreenRect r = GetScreenRect();
    const ScreenRect square = ScreenRect::FromCenter(side, side, r.CenterX(), r.CenterY());
    new CStarburst(board, board, &square);
  }
  VenueParts& parts = GetVenueParts();
  if (toInventory_ && strip && parts.receiveInventory) parts.receiveInventory(strip, this);
  if (!quiet) PlayAt("Thump.wav", this);
  if (CParticleTrail* trail = GetTrail()) trail->Stop(GetTime());
  SetOpacity(0);
}

// ---- Drawing ---------------------------------------------------------------------------------

int CHiddenObject::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  if (spec_.behavior != venue::kPatch || !device || patchBuffer_) return result;
  const gfx::HRESULT hr =
      device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &patchBuffer_);
  if (gfx::Failed(hr) || !patchBuffer_) {
    patchBuffer_ = nullptr;
    os::ShowMessageBox("CHiddenObject::RestoreDeviceObjects()", "Failed to create patch vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  return FillPatchVertexBuffer();
}

int CHiddenObject::InvalidateDeviceObjects() {
  if (patchBuffer_) patchBuffer_->Release();
  patchBuffer_ = nullptr;
  return CSprite::InvalidateDeviceObjects();
}

int CHiddenObject::DeleteDeviceObjects() {
  if (patchBuffer_) patchBuffer_->Release();
  patchBuffer_ = nullptr;
  return CSprite::DeleteDeviceObjects();
}

int CHiddenObject::FillPatchVertexBuffer() {
  if (!patchBuffer_) return gfx::E_FAIL;
  void* data = nullptr;
  const gfx::HRESULT hr = patchBuffer_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    os::ShowMessageBox("CHiddenObject::FillPatchVertexBuffer()", "Failed to lock patch vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  // The background under the object: each corner takes its own place in the picture as its
  // texture coordinate.
  const ScreenRect r = GetScreenRect();
  const ScreenRect area = venue_ ? venue_->GetSceneArea() : GetParentRect();
  static const float kCorners[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  for (int i = 0; i < 4; ++i) {
    float x = 0, y = 0;
    r.ToScreen(kCorners[i][0], kCorners[i][1], x, y);
    const float u = area.Width() != 0 ? (x - area.left) / area.Width() : 0;
    const float w = area.Height() != 0 ? (y - area.top) / area.Height() : 0;
    v[i] = {kCorners[i][0], kCorners[i][1], 0.0f, u, w};
  }
  patchBuffer_->Unlock();
  patchDirty_ = false;
  return gfx::S_OK;
}

void CHiddenObject::DrawPatch(gfx::Device* device, float shiftX) {
  gfx::Texture* background = GetDeviceTexture(venue_ ? venue_->GetBackground() : nullptr);
  if (!background || !patchBuffer_) return;
  if (patchDirty_ && gfx::Failed(FillPatchVertexBuffer())) return;
  ScreenRect r = GetScreenRect();
  r.left += shiftX;
  r.right += shiftX;
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(r));
  device->SetStreamSource(0, patchBuffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, background);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
}

void CHiddenObject::DrawAt(gfx::Device* device, float shiftX) {
  if (shadow_) shadow_->Draw(device, shiftX);
  gfx::Texture* texture = GetDeviceTexture(texture_);
  const int quad = QuadForFlags(flags_);
  if (!texture || !GetQuad(quad)) return;
  ScreenRect r = GetScreenRect();
  r.left += shiftX;
  r.right += shiftX;
  DrawQuad(device, r, quad, texture, RenderMaterial());
}

void CHiddenObject::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0) return;
  const float shift = venue_ && venue_->IsDifferencesMode() ? venue_->GetSceneArea().Width() : 0.0f;
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  switch (spec_.behavior) {
    case venue::kHotspot:
      // A hotspot is a glow that shows only under the pointer.
      if (IsActiveHotspot() && IsHoveredNow()) {
        material_.diffuse.a = opacity * hidden::HotspotGlow(GetTime() - hoverStart_);
        DrawAt(device, 0);
      }
      break;
    case venue::kPatch:
      DrawPatch(device, 0);
      if (shift != 0) DrawPatch(device, shift);
      break;
    default:
      DrawAt(device, 0);
      if (shift != 0 && spec_.behavior == venue::kBlocksClicks) DrawAt(device, shift);
      break;
  }
  EndSpriteStates(device);
}
