#include "scene/cursor.h"

#include <cmath>

#include "audio/sound_effects.h"
#include "core/tree_dump_fields.h"
#include "platform/os/host.h"
#include "scene/camera.h"
#include "scene/input.h"

namespace {

CCursor* g_cursor = nullptr;
GhostAreaQuery g_ghostQuery = nullptr;
TooltipPresenter g_tooltipPresenter = nullptr;

struct KindInfo {
  const char* image;
  float dx, dy, side;  // in units of client width / 800
};

const KindInfo kKinds[kCursorKindCount] = {
    {nullptr, 0, 0, 0},
    {"GUI\\CursorArrowAnim.png", 9, 0, 32},
    {"GUI\\CursorHand.png", 12, 2, 32},
    {"GUI\\CursorFootprints.png", 16, 0, 32},
    {"GUI\\CursorMagnifyingGlass.png", 16, 12, 48},
    {"GUI\\CursorOpenHand.png", 16, 16, 32},
    {"GUI\\CursorClosedHand.png", 16, 16, 32},
    {"GUI\\CursorNotes.png", 9, 0, 32},
};

constexpr const char* kGhostImage = "GUI\\CursorGhost.png";
constexpr const char* kBadClickSound = "BadClick.wav";
constexpr uint32_t kTooltipOneLine = 0x40000;

// The dump shows the cursor's current picture, so scripts can tell which shape is up.
void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  if (object->GetTypeId() != TypeId::kCursor) return;
  if (auto* cursor = dynamic_cast<CCursor*>(object)) {
    const int kind = cursor->GetKind();
    f.texture = kind > 0 && kind < kCursorKindCount ? kKinds[kind].image : "";
  }
}
TreeDumpRegistration g_dumpRegistration(&FillDumpFields);

gfx::Material OpaqueWhite() {
  gfx::Material m{};
  m.emissive = {1, 1, 1, 1};
  m.diffuse.a = 1;
  return m;
}

}  // namespace

CCursor::CCursor() {
  for (int k = 1; k < kCursorKindCount; ++k) textures_[k] = AcquireTexture(kKinds[k].image, 0);
  ghost_ = AcquireTexture(kGhostImage, 0);
  GetSoundEffect(kBadClickSound);  // loaded with the cursor, played later by name
  g_cursor = this;
}

CCursor::~CCursor() {
  if (g_cursor == this) g_cursor = nullptr;
  for (TextureEntry*& t : textures_) {
    ReleaseTexture(t);
    t = nullptr;
  }
  ReleaseTexture(ghost_);
}

TextureEntry* CCursor::GetKindTexture(int kind) const {
  return kind > 0 && kind < kCursorKindCount ? textures_[kind] : nullptr;
}

CSoundEffect* CCursor::GetBadClickSound() const {
  return FindSoundEffect(kBadClickSound);
}

void CCursor::Draw(gfx::Device* device) {
  const int clientWidth = GetClientWidth();
  if (!device || clientWidth <= 0 || GetClientHeight() <= 0) return;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  ScreenRect square;
  if (!CursorSquare(kind_, x, y, clientWidth, square)) return;
  // The drawn square becomes the cursor's rectangle, so effects can follow the pointer.
  SetScreenRect(square);
  gfx::Texture* texture = GetDeviceTexture(textures_[kind_]);
  if (!texture) return;  // a missing picture leaves its kind invisible

  const int quad = kind_ == kCursorArrow ? kQuadAtlasFirst + ArrowFrameAt(GetTime()) : kQuadNormal;
  const gfx::Material material = OpaqueWhite();
  BeginSpriteStates(device, false);
  DrawQuad(device, square, quad, texture, material);

  ScreenRect picture;
  float gx = 0, gy = 0;
  if (kind_ == kCursorArrow && g_ghostQuery && g_ghostQuery(picture) && GhostPoint(x, y, picture, gx, gy)) {
    if (gfx::Texture* ghost = GetDeviceTexture(ghost_)) {
      DrawQuad(device, ScreenRect::FromCenter(square.Width(), square.Height(), gx, gy), kQuadNormal, ghost,
               material);
    }
  }
  EndSpriteStates(device);
  device->SetRenderState(gfx::RS_FOGENABLE, SceneFogEnabled() ? 1 : 0);
}

CCursor* GetCursor() {
  return g_cursor;
}

void CreateCursor() {
  if (g_cursor) return;
  new CCursor();
  if (os::Window* window = os::host().GetWindow()) window->ShowSystemCursor(false);
}

void SetCursorKind(int kind) {
  if (g_cursor) g_cursor->SetKind(kind);
}

void DrawCursor(gfx::Device* device) {
  if (g_cursor) g_cursor->Draw(device);
}

bool CursorSquare(int kind, int x, int y, int clientWidth, ScreenRect& out) {
  if (kind <= 0 || kind >= kCursorKindCount) return false;
  const KindInfo& k = kKinds[kind];
  const float s = float(clientWidth) / 800.0f;
  const float left = float(x) - k.dx * s, top = float(y) - k.dy * s;
  out = ScreenRect(left, top, left + k.side * s, top + k.side * s, 0);
  return true;
}

int ArrowFrameAt(float time) {
  int frame = int(16.0 * std::fmod(2.0 * double(time), 1.0));
  return ((frame % 16) + 16) % 16;
}

void SetGhostAreaQuery(GhostAreaQuery query) {
  g_ghostQuery = query;
}

bool GhostPoint(int x, int y, const ScreenRect& p, float& gx, float& gy) {
  const float w = p.Width();
  const float fx = float(x), fy = float(y);
  if (fx >= p.left && fx <= p.right && fy >= p.top && fy <= p.bottom) {
    gx = fx + w;
  } else if (fx >= p.left + w && fx <= p.right + w && fy >= p.top && fy <= p.bottom) {
    gx = fx - w;
  } else {
    return false;
  }
  gy = fy;
  return true;
}

ScreenRect TooltipRectAtCursor(const ScreenRect& square, int clientWidth, int clientHeight) {
  const float w = float(clientWidth) * 0.5f, h = float(clientHeight) * 0.055f;
  return ScreenRect::FromCenter(w, h, square.CenterX(), square.bottom + 0.6f * h);
}

void ShowTooltipAtCursor(const char* text) {
  if (!g_cursor || !text || !*text || !g_tooltipPresenter) return;
  const ScreenRect rect = TooltipRectAtCursor(g_cursor->GetScreenRect(), GetClientWidth(), GetClientHeight());
  g_tooltipPresenter(rect, text, kTooltipOneLine);
}

void SetTooltipPresenter(TooltipPresenter presenter) {
  g_tooltipPresenter = presenter;
}
