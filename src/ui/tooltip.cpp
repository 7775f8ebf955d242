#include "ui/tooltip.h"

#include <cstring>

#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/tooltip_layout.h"

namespace {

constexpr const char* kCaption = "CTooltip::RestoreDeviceObjects()";
constexpr const char* kFont = "Tooltip";
constexpr uint32_t kTextColor = 0xFF301800;
constexpr float kBorder = 0.013f;  // of the client height around the text, of its width on screen

CTooltip* g_first = nullptr;
CTooltip* g_last = nullptr;

bool SameText(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

CTooltip* ShowTooltipIn(const ScreenRect& rect, const char* text, uint32_t flags, CGameObject* parent) {
  if (!text || !*text) return nullptr;
  for (CTooltip* t = g_first; t; t = t->Next()) {
    if (SameText(t->GetText(), text)) {
      t->Refresh(rect);
      return t;
    }
  }
  return new CTooltip(rect, text, flags, parent);
}

}  // namespace

CTooltip::CTooltip(const ScreenRect& asked, const char* text, uint32_t flags, CGameObject* parent)
    : text_(text ? text : ""),
      flags_(flags),
      lastRefreshed_(GetFrameCount()),
      asked_(asked),
      state_((flags & kTooltipSticky) ? kTooltipShown : kTooltipAppearing),
      stateStart_(GetTime()) {
  prev_ = g_last;
  (g_last ? g_last->next_ : g_first) = this;
  g_last = this;
  if (parent) Attach(parent, 0);
  SetTexture("GUI\\Tooltip.png");

  if (flags & kTooltipOneLine) {
    textObject_ = new CTextSprite(text_.c_str(), kFont);
  } else {
    textObject_ = new CTextContainer(text_.c_str(), kFont);
  }
  textObject_->Attach(this, 0);
  textObject_->SetColor(kTextColor);
  Relayout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CTooltip::~CTooltip() {
  (prev_ ? prev_->next_ : g_first) = next_;
  (next_ ? next_->prev_ : g_last) = prev_;
  ReleaseBuffers();
}

void CTooltip::Relayout() {
  const float border = kBorder * float(GetClientHeight());
  const TooltipLayout layout = LayoutTooltip(asked_, textObject_->GetNaturalAspect(), flags_, border);
  fullFrame_ = layout.frame;
  // The text is placed once against the full frame; it then follows the frame as it grows.
  SetScreenRect(fullFrame_);
  textObject_->SetScreenRect(layout.text);
  PlaceAt(CurrentOpacity());
}

void CTooltip::PlaceAt(float opacity) {
  SetOpacity(opacity);
  SetScreenRect(
      TooltipFrameAt(fullFrame_, flags_, opacity, float(GetClientWidth()), float(GetClientHeight())));
}

float CTooltip::CurrentOpacity() const {
  return TooltipOpacity(state_, GetTime() - stateStart_);
}

void CTooltip::BeginState(int state, float opacity) {
  state_ = state;
  stateStart_ = TooltipStartFor(state, GetTime(), opacity);
}

void CTooltip::Refresh(const ScreenRect& asked) {
  lastRefreshed_ = GetFrameCount();
  if (state_ == kTooltipDisappearing) BeginState(kTooltipAppearing, CurrentOpacity());
  if (!(asked == asked_)) {
    asked_ = asked;
    Relayout();
  }
}

void CTooltip::Update() {
  if (state_ == kTooltipAppearing && CurrentOpacity() >= 1.0f) BeginState(kTooltipShown, 1.0f);
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  const bool keepsItself = (flags_ & (kTooltipSticky | kTooltipCloseOnClick)) != 0;
  const bool stale = int64_t(GetFrameCount()) - int64_t(lastRefreshed_) > 2;
  if (state_ == kTooltipShown && (flags_ & kTooltipCloseOnClick) && IsLeftClick() &&
      CurrentEnvironmentRect().ContainsPoint(float(x), float(y))) {
    BeginState(kTooltipDisappearing, CurrentOpacity());
  } else if (stale && state_ != kTooltipDisappearing && !keepsItself) {
    BeginState(kTooltipDisappearing, CurrentOpacity());
  }
  const float opacity = CurrentOpacity();
  if (state_ == kTooltipDisappearing && opacity <= 0.0f) {
    delete this;
    return;
  }
  PlaceAt(opacity);
}

void CTooltip::ReleaseBuffers() {
  if (vertices_) vertices_->Release();
  if (indices_) indices_->Release();
  vertices_ = nullptr;
  indices_ = nullptr;
}

int CTooltip::DeleteDeviceObjects() {
  ReleaseBuffers();
  return CSprite::DeleteDeviceObjects();
}

int CTooltip::InvalidateDeviceObjects() {
  ReleaseBuffers();
  return CSprite::InvalidateDeviceObjects();
}

int CTooltip::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  if (!device) return 0;
  if (!vertices_) {
    const gfx::HRESULT hr =
        device->CreateVertexBuffer(16 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &vertices_);
    if (gfx::Failed(hr) || !vertices_) {
      vertices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
  }
  if (!indices_) {
    gfx::HRESULT hr = device->CreateIndexBuffer(54 * sizeof(uint16_t), &indices_);
    if (gfx::Failed(hr) || !indices_) {
      indices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to create the index buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    void* data = nullptr;
    hr = indices_->Lock(0, 0, &data, 0);
    if (gfx::Failed(hr) || !data) {
      indices_->Release();
      indices_ = nullptr;
      os::ShowMessageBox(kCaption, "Failed to lock the index buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    std::memcpy(data, NinePatchIndices().data(), 54 * sizeof(uint16_t));
    indices_->Unlock();
  }
  return 0;
}

void CTooltip::Render(gfx::Device* device) {
  if (!device || !vertices_ || !indices_ || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  gfx::Texture* texture = GetDeviceTexture(texture_);
  const ScreenRect rect = GetScreenRect();
  if (opacity == 0.0f || !texture || rect.Width() <= 0.0f || rect.Height() <= 0.0f) return;
  // The frame's border is the same number of pixels on every side: two local units per width.
  const float border = kBorder * float(GetClientWidth());
  const auto verts = NinePatchVertices(2.0f * border / rect.Width(), 2.0f * border / rect.Height());
  void* data = nullptr;
  if (gfx::Failed(vertices_->Lock(0, 0, &data, 0)) || !data) return;
  std::memcpy(data, verts.data(), sizeof verts);
  vertices_->Unlock();

  BeginSpriteStates(device, false);
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
  device->SetStreamSource(0, vertices_, sizeof(gfx::VertexPosUv));
  device->SetIndices(indices_, 0);
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawIndexedPrimitive(gfx::PT_TRIANGLELIST, 0, 16, 0, 18);
  EndSpriteStates(device);
}

CTooltip* ShowTooltip(const ScreenRect& rect, const char* text, uint32_t flags) {
  return ShowTooltipIn(rect, text, flags, nullptr);
}

CTooltip* ShowObjectTooltip(CSprite* object, const char* key) {
  if (!object || !key || !*key) return nullptr;
  const ObjectTooltipPlace place = ObjectTooltipRect(object->GetScreenRect(), GetLineCount(key),
                                                     float(GetClientWidth()), float(GetClientHeight()));
  return ShowTooltipIn(place.rect, key, place.flags, GetCurrentEnvironment());
}

CTooltip* FirstTooltip() {
  return g_first;
}

int CountTooltips() {
  int n = 0;
  for (CTooltip* t = g_first; t; t = t->Next()) ++n;
  return n;
}
