#include "scene/sprite.h"

#include <cmath>

#include "core/tree_dump_fields.h"
#include "platform/os/host.h"

namespace {

int g_liveSprites = 0;

bool IsSprite(CGameObject* o) {
  return o && (o->GetTypeFlags() & kTypeFlagSprite) != 0;
}

void InvalidateBranch(CGameObject* o) {
  for (CGameObject* c = o->FindChild(kTypeFlagSprite); c; c = c->NextSibling(kTypeFlagSprite)) {
    static_cast<CSprite*>(c)->RemoveFlags(kSpriteRectValid);
    InvalidateBranch(c);
  }
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  if (!IsSprite(object)) return;
  auto* s = static_cast<CSprite*>(object);
  const ScreenRect r = s->GetScreenRect();
  f.hasRect = true;
  f.left = r.left, f.top = r.top, f.right = r.right, f.bottom = r.bottom;
  f.hasOpacity = true;
  f.opacity = s->GetOpacity();
  f.hidden = s->IsHidden();
  if (s->GetTexture()) f.texture = GetTextureName(s->GetTexture());
}
TreeDumpRegistration g_dumpRegistration(&FillDumpFields);

}  // namespace

CSprite::CSprite() {
  ++g_liveSprites;
  SetColor(0xFFFFFFFF);
  SetDepth(0);
  GetScreenRect();
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSprite::CSprite(const ScreenRect& rect, float depth, const char* textureName, CGameObject* parent) {
  ++g_liveSprites;
  if (textureName && *textureName) texture_ = AcquireTexture(textureName, 0);
  if (parent) Attach(parent, 0);
  SetDepth(depth);
  SetColor(0xFFFFFFFF);
  SetScreenRect(rect);
  naturalAspect_ = rect.Aspect();
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSprite::~CSprite() {
  ReleaseTexture(texture_);
  texture_ = nullptr;
  --g_liveSprites;
}

int CSprite::LiveCount() {
  return g_liveSprites;
}

void CSprite::OnParentDestroyed(CGameObject*) {
  delete this;
}

int CSprite::RestoreDeviceObjects(gfx::Device*) {
  flags_ &= ~kSpriteRectValid;
  return 0;
}

void CSprite::SetColor(uint32_t argb) {
  material_ = gfx::Material{};
  material_.emissive.r = float((argb >> 16) & 0xFF) / 255.0f;
  material_.emissive.g = float((argb >> 8) & 0xFF) / 255.0f;
  material_.emissive.b = float(argb & 0xFF) / 255.0f;
  material_.emissive.a = float(argb >> 24) / 255.0f;
  material_.diffuse.a = material_.emissive.a;
}

uint32_t CSprite::GetColor() const {
  auto byte = [](float v) { return uint32_t(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255.0f)); };
  const gfx::ColorValue& e = material_.emissive;
  return byte(e.a) << 24 | byte(e.r) << 16 | byte(e.g) << 8 | byte(e.b);
}

// ---- Placement --------------------------------------------------------------------------------

ScreenRect CSprite::GetParentRect() {
  CGameObject* parent = GetParent();
  if (IsSprite(parent)) return static_cast<CSprite*>(parent)->GetScreenRect();
  return ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()), 0);
}

ScreenRect CSprite::GetScreenRect() {
  if (!(flags_ & kSpriteRectValid)) {
    const ScreenRect p = GetParentRect();
    const float pw = p.Width(), ph = p.Height();
    float dx = offsetX_ * pw, dy = offsetY_ * ph;
    if (p.angle != 0) {
      const float c = std::cos(p.angle), s = std::sin(p.angle);
      const float rx = dx * c - dy * s;
      dy = dx * s + dy * c;
      dx = rx;
    }
    const float height = scale_ * ph;
    rect_ = ScreenRect::FromCenter(height * aspect_, height, p.CenterX() + dx, p.CenterY() + dy,
                                   p.angle + angle_);
    flags_ |= kSpriteRectValid;
  }
  return rect_;
}

void CSprite::SetScreenRect(const ScreenRect& r) {
  const ScreenRect p = GetParentRect();
  const float pw = p.Width(), ph = p.Height();
  float dx = r.CenterX() - p.CenterX(), dy = r.CenterY() - p.CenterY();
  if (p.angle != 0) {
    const float c = std::cos(p.angle), s = std::sin(p.angle);
    const float rx = dx * c + dy * s;
    dy = -dx * s + dy * c;
    dx = rx;
  }
  // A parent without area has no frame to be relative to; keep the numbers finite.
  offsetX_ = pw != 0 ? dx / pw : 0.0f;
  offsetY_ = ph != 0 ? dy / ph : 0.0f;
  scale_ = ph != 0 ? r.Height() / ph : 0.0f;
  angle_ = r.angle - p.angle;
  aspect_ = r.Aspect();
  rect_ = r;
  flags_ |= kSpriteRectValid;
  InvalidateBranch(this);
}

void CSprite::InvalidateRect() {
  flags_ &= ~kSpriteRectValid;
  InvalidateBranch(this);
}

void CSprite::SetScale(float scale) {
  if (scale_ == scale) return;
  scale_ = scale;
  InvalidateRect();
}

void CSprite::SetOffset(float x, float y) {
  if (offsetX_ == x && offsetY_ == y) return;
  offsetX_ = x;
  offsetY_ = y;
  InvalidateRect();
}

void CSprite::SetAngle(float angle) {
  if (angle_ == angle) return;
  angle_ = angle;
  InvalidateRect();
}

void CSprite::SetAspectRatio(float aspect) {
  if (aspect_ == aspect) return;
  aspect_ = aspect;
  InvalidateRect();
}

float CSprite::GetNaturalAspect() {
  return naturalAspect_;
}

// ---- Looks ------------------------------------------------------------------------------------

float CSprite::GetEffectiveOpacity() {
  float opacity = 0;
  if (!IsHidden()) {
    CGameObject* parent = GetParent();
    const float inherited = parent && parent->GetTypeFlags() == kTypeFlagSprite
                                ? static_cast<CSprite*>(parent)->GetEffectiveOpacity()
                                : 1;
    opacity = opacity_ * inherited;
  }
  material_.diffuse.a = opacity;
  return opacity;
}

void CSprite::SetVisible(bool visible) {
  if (visible) {
    flags_ &= ~kSpriteHidden;
  } else {
    flags_ |= kSpriteHidden;
  }
}

void CSprite::SetTexture(const char* name) {
  if (texture_ && name && SameTextureName(GetTextureName(texture_), name)) return;
  ReleaseTexture(texture_);
  texture_ = name && *name ? AcquireTexture(name, 0) : nullptr;
}

int CSprite::IsAnimating() {
  return FindChild(TypeId::kSpriteAnimator) ? 1 : 0;
}

void CSprite::StopAnimation() {
  delete FindChild(TypeId::kSpriteAnimator);
}

// ---- Geometry questions -----------------------------------------------------------------------

int CSprite::IsOffScreen() {
  const ScreenRect r = GetScreenRect();
  const float w = float(GetClientWidth()), h = float(GetClientHeight());
  return r.left >= w - 0.01f || r.top >= h - 0.01f || r.right <= 0.01f || r.bottom <= 0.01f;
}

int CSprite::ContainsPoint(float x, float y) {
  return GetScreenRect().ContainsPoint(x, y) ? 1 : 0;
}

int CSprite::CrossesCenterLine(CSprite* other) {
  if (!other) return 0;
  const ScreenRect mine = GetScreenRect(), theirs = other->GetScreenRect();
  float ax, ay, bx, by;
  theirs.ToScreen(-1, 0, ax, ay);
  theirs.ToScreen(1, 0, bx, by);
  float lax, lay, lbx, lby;
  if (!mine.ToLocal(ax, ay, lax, lay) || !mine.ToLocal(bx, by, lbx, lby)) return 0;
  if (!((lay < 0 && lby > 0) || (lay > 0 && lby < 0))) return 0;
  const float t = std::fabs(lay) / (std::fabs(lay) + std::fabs(lby));
  const float x = lax + t * (lbx - lax);
  return std::fabs(x) < 1 ? 1 : 0;
}

void CSprite::StretchBetween(CSprite* a, CSprite* b) {
  if (!a || !b) return;
  const ScreenRect ra = a->GetScreenRect(), rb = b->GetScreenRect();
  const float dx = rb.CenterX() - ra.CenterX(), dy = rb.CenterY() - ra.CenterY();
  SetScreenRect(ScreenRect::FromCenter(std::hypot(dx, dy), ra.Height(), ra.CenterX() + dx * 0.5f,
                                       ra.CenterY() + dy * 0.5f, std::atan2(dy, dx)));
}

void CSprite::SetDepthRecursive(float z) {
  SetDepth(z);
  for (CGameObject* c = FindChild(kTypeFlagSprite); c; c = c->NextSibling(kTypeFlagSprite))
    static_cast<CSprite*>(c)->SetDepthRecursive(z + 1);
}
