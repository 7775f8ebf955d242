#include "flow/extensible_line.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "flow/route_geometry.h"
#include "platform/os/host.h"

namespace {

constexpr const char* kCaption = "CExtensibleLine::RestoreDeviceObjects()";
constexpr uint32_t kInkGreen = 0xFF008000;

CExtensibleLine* g_first = nullptr;
CExtensibleLine* g_last = nullptr;

}  // namespace

CExtensibleLine::CExtensibleLine(float x0, float y0, float x1, float y1, float width, CGameObject* parent)
    : x0_(x0 / 512.0f - 1.0f),
      y0_(y0 / 384.0f - 1.0f),
      x1_(x1 / 512.0f - 1.0f),
      y1_(y1 / 384.0f - 1.0f),
      width_(width / scene::kReferenceHeight) {
  prev_ = g_last;
  (g_last ? g_last->next_ : g_first) = this;
  g_last = this;
  if (parent) Attach(parent, 0);
  SetTexture("Map\\Line.png");
  SetColor(kInkGreen);
  SyncRect();
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CExtensibleLine::~CExtensibleLine() {
  (prev_ ? prev_->next_ : g_first) = next_;
  (next_ ? next_->prev_ : g_last) = prev_;
  ReleaseBuffers();
}

float CExtensibleLine::NormalizedLength() const {
  return std::hypot(x1_ - x0_, y1_ - y0_);
}

void CExtensibleLine::Reset() {
  started_ = false;
  finished_ = false;
  fraction_ = 0.0f;
  startTime_ = -1.0f;
}

void CExtensibleLine::SetDuration(float seconds) {
  duration_ = seconds > 0.0f && std::isfinite(seconds) ? seconds : 0.0f;
}

void CExtensibleLine::Start(float start) {
  started_ = true;
  finished_ = false;
  fraction_ = 0.0f;
  startTime_ = start;
}

void CExtensibleLine::SyncRect() {
  const LineStrip strip = Strip();
  if (strip.kind != LineStrip::kNothing && started_) {
    SetScreenRect(strip.rect);
  } else {
    const ScreenRect area = GetParentRect();
    const float x = area.left + (x0_ + 1.0f) * 0.5f * area.Width();
    const float y = area.top + (y0_ + 1.0f) * 0.5f * area.Height();
    SetScreenRect(ScreenRect(x, y, x, y));
  }
}

void CExtensibleLine::Update() {
  if (started_ && !finished_) fraction_ = RouteFraction(GetTime(), startTime_, duration_);
  SyncRect();
  if (!started_ || finished_ || fraction_ < 1.0f) return;
  finished_ = true;
  if (next_) {
    // The next line begins where this one ended, not at this frame, so the route keeps its time.
    next_->Start(startTime_ + duration_);
  } else if (CGameObject* parent = GetParent()) {
    parent->OnNotify(this, kCodeRouteFinished);
  }
}

LineStrip CExtensibleLine::Strip() {
  const ScreenRect area = GetParentRect();
  auto px = [&](float nx) { return area.left + (nx + 1.0f) * 0.5f * area.Width(); };
  auto py = [&](float ny) { return area.top + (ny + 1.0f) * 0.5f * area.Height(); };
  return LineStripFor(px(x0_), py(y0_), px(x1_), py(y1_), fraction_, width_ * float(GetClientHeight()));
}

void CExtensibleLine::ReleaseBuffers() {
  if (vertices_) vertices_->Release();
  if (indices_) indices_->Release();
  vertices_ = nullptr;
  indices_ = nullptr;
}

int CExtensibleLine::DeleteDeviceObjects() {
  ReleaseBuffers();
  return CSprite::DeleteDeviceObjects();
}

int CExtensibleLine::InvalidateDeviceObjects() {
  ReleaseBuffers();
  return CSprite::InvalidateDeviceObjects();
}

int CExtensibleLine::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  if (!device) return 0;
  if (!vertices_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(8 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &vertices_);
    if (gfx::Failed(hr) || !vertices_) {
      vertices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  if (!indices_) {
    gfx::HRESULT hr = device->CreateIndexBuffer(18 * sizeof(uint16_t), &indices_);
    void* data = nullptr;
    if (!gfx::Failed(hr) && indices_) hr = indices_->Lock(0, 0, &data, 0);
    if (gfx::Failed(hr) || !indices_ || !data) {
      if (indices_) indices_->Release();
      indices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create index buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    std::memcpy(data, LineStripIndices().data(), 18 * sizeof(uint16_t));
    indices_->Unlock();
  }
  return 0;
}

void CExtensibleLine::Render(gfx::Device* device) {
  if (!device || !started_ || IsHidden() || GetEffectiveOpacity() <= 0.0f) return;
  const LineStrip strip = Strip();
  if (strip.kind == LineStrip::kNothing) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  BeginSpriteStates(device, false);
  if (strip.kind == LineStrip::kDot) {
    DrawQuad(device, strip.rect, kQuadNormal, texture, RenderMaterial());
  } else if (vertices_ && indices_) {
    const auto verts = LineStripVertices(strip.cap);
    void* data = nullptr;
    if (!gfx::Failed(vertices_->Lock(0, 0, &data, 0)) && data) {
      std::memcpy(data, verts.data(), sizeof verts);
      vertices_->Unlock();
      device->SetTransform(gfx::TS_WORLD, WorldFromRect(strip.rect));
      device->SetStreamSource(0, vertices_, sizeof(gfx::VertexPosUv));
      device->SetIndices(indices_, 0);
      device->SetMaterial(RenderMaterial());
      device->SetTexture(0, texture);
      device->SetVertexShader(gfx::FVF_POS_UV);
      device->DrawIndexedPrimitive(gfx::PT_TRIANGLELIST, 0, 8, 0, 6);
    }
  }
  EndSpriteStates(device);
}

CExtensibleLine* FirstExtensibleLine() {
  return g_first;
}

int CountExtensibleLines() {
  int n = 0;
  for (CExtensibleLine* l = g_first; l; l = l->Next()) ++n;
  return n;
}

void StartRoute(float total) {
  std::vector<float> lengths;
  for (CExtensibleLine* l = g_first; l; l = l->Next()) lengths.push_back(l->NormalizedLength());
  const std::vector<float> shares = ShareRouteTime(total, lengths);
  size_t i = 0;
  for (CExtensibleLine* l = g_first; l; l = l->Next()) {
    l->Reset();
    l->SetDuration(shares[i++]);
  }
  if (g_first) g_first->Start(GetTime());
}
