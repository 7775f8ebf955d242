#include "puzzles/microscope_image.h"

#include <algorithm>
#include <cstdio>

#include "core/random.h"
#include "core/tree_dump_fields.h"
#include "platform/os/host.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "ui/control_hover.h"

namespace {

constexpr const char* kCaption = "CMicroscopeImage::RestoreDeviceObjects()";
constexpr const char* kFrame = "Puzzles\\Microscope\\ImageRing.png";
// The centre, the rim points and the first rim point again to close the fan.
constexpr int kFanVertices = microscope::Wobble::kPoints + 1;

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* image = dynamic_cast<CMicroscopeImage*>(object);
  if (!image) return;
  f.hasText = true;
  f.text = image->Role();
  if (image->IsClickable()) f.text += " | clickable";
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CMicroscopeImage::CMicroscopeImage(CSprite* scene, const ScreenRect& rect, float depth,
                                   const std::string& picture, unsigned options)
    : CSprite(rect, depth, nullptr, scene),
      options_(options),
      role_(options & kSwimming ? "view" : options & kClickable ? "candidate" : "copy") {
  SetPicture(picture);
  if (options_ & kFramed)
    new CSprite(
        ScreenRect::FromCenter(rect.Width() * microscope::kFrameScale,
                               rect.Height() * microscope::kFrameScale, rect.CenterX(), rect.CenterY()),
        depth + 0.01f, kFrame, this);
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

CMicroscopeImage::~CMicroscopeImage() {
  if (fan_) fan_->Release();
}

void CMicroscopeImage::SetPicture(const std::string& picture) {
  picture_ = picture;
  SetTexture(picture.c_str());
  if (options_ & kSwimming) wobble_.Renew(EffectRandom());
}

void CMicroscopeImage::SetClickable(bool clickable) {
  options_ = clickable ? options_ | kClickable : options_ & ~kClickable;
}

void CMicroscopeImage::SetBrightness(float brightness) {
  const auto level = uint32_t(std::clamp(brightness, 0.0f, 1.0f) * 255.0f + 0.5f);
  SetColor(0xFF000000u | level << 16 | level << 8 | level);
}

int CMicroscopeImage::HitTest() {
  if (!IsClickable() || IsHidden() || GetEffectiveOpacity() < 1) return kHitNone;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  if (!microscope::InsideSample(GetScreenRect(), float(x), float(y))) return kHitNone;
  lastHoveredFrame_ = int(GetFrameCount());
  return kHitHovered;
}

int CMicroscopeImage::GetCursorKind() {
  return IsClickable() ? kCursorHand : CSprite::GetCursorKind();
}

void CMicroscopeImage::Update() {
  if (!IsClickable() || !HoveredThisFrame(this) || !IsLeftClick()) return;
  if (CGameObject* scene = GetParent()) scene->OnNotify(this, kCmdPicked);
}

int CMicroscopeImage::RestoreDeviceObjects(gfx::Device* device) {
  const int result = CSprite::RestoreDeviceObjects(device);
  if (!device || fan_) return result;
  const gfx::HRESULT hr =
      device->CreateVertexBuffer(kFanVertices * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &fan_);
  if (gfx::Failed(hr) || !fan_) {
    fan_ = nullptr;
    os::ShowMessageBox(kCaption, "Failed to create vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  return result;
}

int CMicroscopeImage::InvalidateDeviceObjects() {
  if (fan_) fan_->Release();
  fan_ = nullptr;
  return CSprite::InvalidateDeviceObjects();
}

int CMicroscopeImage::DeleteDeviceObjects() {
  if (fan_) fan_->Release();
  fan_ = nullptr;
  return CSprite::DeleteDeviceObjects();
}

int CMicroscopeImage::FillFan() {
  void* data = nullptr;
  const gfx::HRESULT hr = fan_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  // The picture stays put in texture space; only the points it is pinned to drift, so it swims.
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  const bool swim = (options_ & kSwimming) != 0;
  const float now = GetTime();
  for (int i = 0; i < kFanVertices; ++i) {
    const int point = i < microscope::Wobble::kPoints ? i : 1;
    float x = 0, y = 0, u = 0, w = 0;
    microscope::Wobble{}.Point(point, 0, u, w);  // the resting place gives the texture coordinate
    if (swim)
      wobble_.Point(point, now, x, y);
    else
      x = u, y = w;
    v[i] = {x, y, 0, 0.5f + 0.5f * u, 0.5f + 0.5f * w};
  }
  fan_->Unlock();
  return gfx::S_OK;
}

void CMicroscopeImage::Render(gfx::Device* device) {
  if (!device || !fan_ || !texture_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  gfx::Texture* texture = GetDeviceTexture(texture_);
  if (!texture || gfx::Failed(FillFan())) return;
  BeginSpriteStates(device, false);
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(GetScreenRect()));
  device->SetStreamSource(0, fan_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, kFanVertices - 2);
  EndSpriteStates(device);
}
