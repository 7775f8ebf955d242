#include "search/hint_button.h"

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "effects/fire_halo.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "search/venue_parts.h"

namespace {

constexpr const char* kCaptionRestore = "CHintButton::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CHintButton::FillVertexBuffer()";

void PlayAt(const char* file, float volume, CSprite* panTo) {
  SoundParams params;
  params.volume = volume;
  if (panTo)
    SetPanFromObject(params, panTo);
  else
    SetPanFromPointer(params);
  PlaySound(GetSoundEffect(file), params);
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* button = dynamic_cast<CHintButton*>(object);
  if (!button) return;
  f.hasText = true;
  f.text = button->IsRecharging() ? "recharging" : "charged";
}
TreeDumpRegistration g_dump(&FillDumpFields);

bool HoveredRecently(CSprite* sprite) {
  const int frame = int(GetFrameCount());
  const int hovered = sprite->GetLastHoveredFrame();
  return hovered == frame || hovered == frame - 1;
}

}  // namespace

ScreenRect CHintButton::PlaceIn(const ScreenRect& venue) {
  const float side = 0.11f * venue.Width();
  return ScreenRect(venue.right - side, venue.bottom - side, venue.right, venue.bottom);
}

CHintButton::CHintButton(CSprite* venue)
    : CSprite(PlaceIn(venue ? venue->GetScreenRect() : ScreenRect()), 0.0f, nullptr, venue) {
  texture_ = AcquireTexture("Search\\HintButton.tga", kTexHitMask);
  rollover_ = AcquireTexture("Search\\HintButtonRollover.png");
  disabled_ = AcquireTexture("Search\\HintButtonDisabled.png");
  SetDepth((venue ? venue->GetDepth() : 0.0f) + 4.99f);
  // The wipe where it stands, so a venue entered mid-recharge shows it from the first frame.
  fan_ = hint::BuildFan(GetTime() - hint::LastHintTime());
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CHintButton::~CHintButton() {
  if (fanBuffer_) fanBuffer_->Release();
  ReleaseTexture(rollover_);
  ReleaseTexture(disabled_);
}

int CHintButton::RestoreDeviceObjects(gfx::Device* device) {
  if (!fanBuffer_ && device) {
    const gfx::HRESULT hr = device->CreateVertexBuffer(sizeof(gfx::VertexPosUv) * hint::kFanMaxVertices,
                                                       gfx::FVF_POS_UV, &fanBuffer_);
    if (gfx::Failed(hr)) {
      fanBuffer_ = nullptr;
      os::ShowMessageBox(kCaptionRestore, "Failed to create countdown vertex buffer");
      return hr;
    }
    FillVertexBuffer();
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CHintButton::DeleteDeviceObjects() {
  if (fanBuffer_) fanBuffer_->Release();
  fanBuffer_ = nullptr;
  return CSprite::DeleteDeviceObjects();
}

int CHintButton::FillVertexBuffer() {
  if (!fanBuffer_) return 0;
  void* data = nullptr;
  const gfx::HRESULT hr = fanBuffer_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    os::ShowMessageBox(kCaptionFill, "Failed to lock vertex buffer");
    return gfx::Failed(hr) ? hr : -1;
  }
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  for (const gfx::VertexPosUv& vertex : fan_.vertices) *v++ = vertex;
  fanBuffer_->Unlock();
  return 0;
}

int CHintButton::HitTest() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const ScreenRect r = GetScreenRect();
  if (IsHidden() || GetOpacity() != 1.0f || !r.ContainsPoint(float(x), float(y))) return kHitNone;
  float lx = 0, ly = 0;
  r.ToLocal(float(x), float(y), lx, ly);
  if (!HitTestMask(texture_, lx, -ly)) return kHitNone;
  if (IsRecharging()) return kHitBlocking;
  const int frame = int(GetFrameCount());
  if (lastHoveredFrame_ < frame - 2) PlayAt("Rollover.wav", 1.0f, this);
  lastHoveredFrame_ = frame;
  return kHitHovered;
}

void CHintButton::Update() {
  const float now = GetTime();
  const uint32_t frame = GetFrameCount();
  if (hint::IsRecharging(now)) {
    fan_ = hint::BuildFan(now - hint::LastHintTime());
    FillVertexBuffer();
    lastRechargeFrame_ = frame;
    rechargedHere_ = true;
  } else {
    fan_ = hint::Fan{};
  }
  if (rechargedHere_ && frame == lastRechargeFrame_ + 1) {
    auto* halo = new CFireHalo(this);
    halo->SetScreenRect(GetScreenRect().Scale(0.67f));
    PlayAt("HintReady.wav", 1.0f, this);
    ++readyFlashes_;
  }
  if (HoveredRecently(this) && IsLeftClick()) {
    PlayAt("Click.wav", 0.6f, nullptr);
    if (auto cheat = GetVenueParts().isCheatMode; !(cheat && cheat())) hint::SetLastHintTime(now);
    if (CGameObject* venue = GetParent()) venue->OnNotify(this, kCodeHintRequest);
  }
}

void CHintButton::Render(gfx::Device* device) {
  if (!device || IsHidden() || GetEffectiveOpacity() == 0) return;
  const ScreenRect rect = GetScreenRect();
  const bool hovered = HoveredRecently(this);
  BeginSpriteStates(device, false);
  const gfx::Material material = RenderMaterial();
  if (gfx::Texture* face = GetDeviceTexture(hovered ? rollover_ : texture_)) {
    DrawQuad(device, rect, kQuadNormal, face, material);
  }
  gfx::Texture* dark = GetDeviceTexture(disabled_);
  if (fan_.vertexCount >= 3 && fanBuffer_ && dark) {
    device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
    device->SetStreamSource(0, fanBuffer_, sizeof(gfx::VertexPosUv));
    device->SetMaterial(material);
    device->SetTexture(0, dark);
    device->SetVertexShader(gfx::FVF_POS_UV);
    device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, uint32_t(fan_.vertexCount - 2));
  }
  EndSpriteStates(device);
}
