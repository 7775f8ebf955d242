#include "search/search_patch.h"

#include "core/random.h"
#include "platform/os/host.h"
#include "scene/scene_context.h"

namespace {
CSearchPatch* g_head = nullptr;
CSearchPatch* g_tail = nullptr;
constexpr const char* kCaption = "CSearchPatch::RestoreDeviceObjects()";
}  // namespace

float NextPatchToggle(float now, float period, float variance) {
  return now + period * EffectRandomUniform(1 - variance, 1 + variance);
}

CSearchPatch* CSearchPatch::First() {
  return g_head;
}

int CountPatches() {
  int n = 0;
  for (CSearchPatch* p = g_head; p; p = p->Next()) ++n;
  return n;
}

void SetPatchesVisible(bool visible) {
  for (CSearchPatch* p = g_head; p; p = p->Next()) p->SetVisible(visible);
}

CSearchPatch::CSearchPatch(CGameObject* parent, XmlDocument& doc, XmlNode element) {
  Init(parent, venue::PatchSpec::Read(doc, element));
}

CSearchPatch::CSearchPatch(CGameObject* parent, const ScreenRect& reference, const char* texture,
                           float period, float variance) {
  venue::PatchSpec spec;
  spec.rect = reference;
  spec.texture = texture ? texture : "";
  spec.period = period < 0 ? venue::PatchSpec::kDefaultPeriod : period;
  spec.variance = variance < 0 ? venue::PatchSpec::kDefaultVariance : variance;
  Init(parent, spec);
}

void CSearchPatch::Init(CGameObject* parent, const venue::PatchSpec& spec) {
  prev_ = g_tail;
  (g_tail ? g_tail->next_ : g_head) = this;
  g_tail = this;
  reference_ = spec.rect;
  textureName_ = spec.texture;
  period_ = spec.period;
  variance_ = spec.variance;
  if (!textureName_.empty()) texture_ = AcquireTexture(textureName_, 0);
  if (parent) Attach(parent, 0);
  SetDepth((parent ? parent->GetDepth() : 0.0f) + 0.005f);
  SetScreenRect(
      ScreenRect::MapFromReference(reference_, scene::kReferenceWidth, scene::kReferenceHeight, Target()));
  nextToggle_ = NextPatchToggle(GetTime(), period_, variance_);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CSearchPatch::~CSearchPatch() {
  (prev_ ? prev_->next_ : g_head) = next_;
  (next_ ? next_->prev_ : g_tail) = prev_;
  if (buffer_) buffer_->Release();
}

ScreenRect CSearchPatch::Target() {
  return ReferenceTarget(GetParent());
}

void CSearchPatch::Update() {
  const float now = GetTime();
  if (now < nextToggle_) return;
  SetOpacity(1 - GetOpacity());
  nextToggle_ = NextPatchToggle(now, period_, variance_);
}

int CSearchPatch::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  if (!device) return result;
  // The target may have changed size with the client.
  SetScreenRect(
      ScreenRect::MapFromReference(reference_, scene::kReferenceWidth, scene::kReferenceHeight, Target()));
  if (!buffer_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &buffer_);
    if (gfx::Failed(hr) || !buffer_) {
      buffer_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create patch vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  return FillVertexBuffer();
}

int CSearchPatch::DeleteDeviceObjects() {
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
  return CSprite::DeleteDeviceObjects();
}

int CSearchPatch::FillVertexBuffer() {
  void* data = nullptr;
  const gfx::HRESULT hr = buffer_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    os::ShowMessageBox(kCaption, "Failed to lock patch vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  const ScreenRect r = GetScreenRect(), target = Target();
  static const float kCorners[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  for (int i = 0; i < 4; ++i) {
    float x = 0, y = 0;
    r.ToScreen(kCorners[i][0], kCorners[i][1], x, y);
    const float u = target.Width() != 0 ? (x - target.left) / target.Width() : 0;
    const float w = target.Height() != 0 ? (y - target.top) / target.Height() : 0;
    v[i] = {kCorners[i][0], kCorners[i][1], 0.0f, u, w};
  }
  buffer_->Unlock();
  return gfx::S_OK;
}

void CSearchPatch::Render(gfx::Device* device) {
  if (!device || !buffer_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  if (!texture) return;
  BeginSpriteStates(device, false);
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(GetScreenRect()));
  device->SetStreamSource(0, buffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
  EndSpriteStates(device);
}
