#include "search/portal.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "audio/sound_effects.h"
#include "core/random.h"
#include "core/tree_dump_fields.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sound_pan.h"
#include "search/inventory_item.h"
#include "search/portal_rules.h"
#include "search/rule_actions.h"
#include "ui/button_style.h"
#include "ui/tooltip.h"

namespace {
constexpr const char* kCaptionRestore = "CPortal::RestoreDeviceObjects()";
constexpr const char* kCaptionFill = "CPortal::FillVertexBuffer()";
constexpr int kVenueClassId = 43;

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* door = dynamic_cast<CPortal*>(object);
  if (!door) return;
  f.hasText = true;
  f.text = "portal " + std::to_string(door->Spec().portalId) + " -> " + door->Spec().levelName;
}
TreeDumpRegistration g_dump(&FillDumpFields);
}  // namespace

namespace portal {

Spec ReadSpec(XmlDocument& doc, XmlNode element) {
  Spec spec;
  spec.portalId = doc.GetIntAttribute(element, "PortalID", 0);
  spec.levelName = doc.CopyAttribute(element, "LevelName", "").value_or("");
  spec.displayName = doc.CopyAttribute(element, "DisplayName", "").value_or("");
  spec.rect = doc.GetRectAttribute(element, "Rect");
  spec.particles = std::clamp(doc.GetIntAttribute(element, "Particles", kDefaultParticles), 1, kMaxParticles);
  return spec;
}

float Advance(Particle& p, float now) {
  const bool neverUsed = p.birth < 0;
  float t = neverUsed || !(p.life > 0) ? 1.0f : (now - p.birth) / p.life;
  if (t >= 1.0f) {
    p.birth = now;
    p.life = EffectRandomUniform(1.5f, 3.0f);
    p.x = EffectRandomUniform(-1.0f, 1.0f);
    p.y = EffectRandomUniform(0.0f, 1.0f);
    p.speed = EffectRandomUniform(0.5f, 1.0f);
    // The first particles start out of phase, so they do not rise as one sheet.
    if (neverUsed) p.birth -= EffectRandomUniform(0.0f, 1.0f) * p.life;
    t = (now - p.birth) / p.life;
  }
  return t;
}

float ParticleSize(float t, float backBufferHeight) {
  const float b = std::sin(std::numbers::pi_v<float> * t);
  return backBufferHeight * (0.015f * b + 0.005f * (1.0f - b));
}

uint32_t ParticleColor(float t) {
  const float b = std::clamp(std::sin(std::numbers::pi_v<float> * t), 0.0f, 1.0f);
  const uint32_t red = uint32_t(255.0f * b);
  const uint32_t green = uint32_t(128.0f + (255.0f - 128.0f) * b);
  return 0xFF000000u | (red << 16) | (green << 8);
}

}  // namespace portal

CPortal::CPortal(CSprite* venue, const portal::Spec& spec) : spec_(spec) {
  spec_.particles = std::clamp(spec_.particles, 1, portal::kMaxParticles);
  particles_.resize(size_t(spec_.particles));
  particleTexture_ = AcquireTexture("Effects\\ParticleTrail.jpg");
  if (venue) {
    Attach(venue, 0);
    SetDepth(venue->GetDepth() + 0.005f);
  }
  const ScreenRect ref(float(spec_.rect[0]), float(spec_.rect[1]), float(spec_.rect[2]),
                       float(spec_.rect[3]));
  SetScreenRect(ScreenRect::MapFromReference(ref, scene::kReferenceWidth, scene::kReferenceHeight,
                                             ReferenceTarget(venue)));
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CPortal::~CPortal() {
  ReleaseTexture(particleTexture_);
}

int CPortal::HitTest() {
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (IsHidden() || !GetScreenRect().ContainsPoint(float(x), float(y))) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  if (!spec_.displayName.empty()) {
    const CCursor* cursor = GetCursor();
    ScreenRect square;
    if (!cursor || !CursorSquare(cursor->GetKind(), x, y, GetClientWidth(), square)) {
      square = ScreenRect(float(x), float(y), float(x), float(y));
    }
    ShowTooltip(TooltipRectAtCursor(square, GetClientWidth(), GetClientHeight()), spec_.displayName.c_str(),
                kTooltipOneLine);
  }
  return kHitHovered;
}

void CPortal::Enter() {
  GameState* state = CurrentGameState();
  rules::Outcome outcome =
      rules::PortalEntryRule(spec_.portalId, HeldForRules(), state ? state->flags : FlagSet{});
  // A door without a destination leads nowhere, whatever its rule says.
  if (spec_.levelName.empty()) outcome.pass = false;
  CarryOutRule(outcome, this, HeldInventoryItem());
  if (!outcome.pass) return;
  StartTransition(kVenueClassId, spec_.levelName.c_str());
  SoundParams params;
  SetPanFromObject(params, this);
  PlaySound(GetSoundEffect("Footsteps.wav"), params);
}

void CPortal::Update() {
  const int frame = int(GetFrameCount());
  if ((lastHoveredFrame_ == frame || lastHoveredFrame_ == frame - 1) && IsLeftClick()) Enter();
  const float now = GetTime();
  const float clientH = float(GetClientHeight());
  const ScreenRect r = GetScreenRect();
  for (portal::Particle& p : particles_) {
    const float t = portal::Advance(p, now);
    r.ToScreen(p.x, p.y - p.speed * t, p.screenX, p.screenY);
    p.size = portal::ParticleSize(t, clientH);
    p.color = portal::ParticleColor(t);
  }
  FillVertexBuffer();
}

void CPortal::FillVertexBuffer() {
  effects::PointVertex* v = points_.Lock(kCaptionFill);
  if (!v) return;
  for (const portal::Particle& p : particles_)
    *v++ = effects::MakePoint(p.screenX, p.screenY, p.size, p.color);
  points_.Unlock();
}

void CPortal::Render(gfx::Device* device) {
  auto* venue = dynamic_cast<CSprite*>(GetParent());
  if (!device || !points_.Get() || (venue && venue->GetEffectiveOpacity() <= 0)) return;
  effects::DrawPoints(device, points_, GetDeviceTexture(particleTexture_), effects::PointBlend::kAdditive);
}

int CPortal::RestoreDeviceObjects(gfx::Device* device) {
  if (!points_.Get() && device) {
    const gfx::HRESULT hr = points_.Create(device, spec_.particles, kCaptionRestore);
    if (gfx::Failed(hr)) return hr;
    FillVertexBuffer();
  }
  return CSprite::RestoreDeviceObjects(device);
}

int CPortal::DeleteDeviceObjects() {
  points_.Release();
  return CSprite::DeleteDeviceObjects();
}

CPortal* BuildPortal(CSprite* venue, XmlDocument& doc, XmlNode element) {
  const portal::Spec spec = portal::ReadSpec(doc, element);
  GameState* state = CurrentGameState();
  if (!rules::PortalIsBuilt(spec.portalId, state ? state->flags : FlagSet{})) return nullptr;
  return new CPortal(venue, spec);
}
