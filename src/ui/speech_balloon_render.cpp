// Drawing of speech balloons: the shared balloon picture stretched as a nine-patch, so the border
// and the tail keep their size however large the text grows. Each balloon keeps its own grid of
// sixteen vertices (rewritten while it grows) and the eighteen triangles over it.
#include "audio/sound_effects.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "ui/speech_balloon.h"
#include "ui/speech_geometry.h"

namespace {

constexpr const char* kBalloonPicture = "GUI\\Characters\\SpeechBalloon.tga";
constexpr const char* kCaption = "CSpeechBalloon::RestoreDeviceObjects()";
constexpr int kGridVertices = 16;
constexpr int kGridIndices = 54;
constexpr int kGridTriangles = 18;

TextureEntry* g_picture = nullptr;
uint32_t g_generation = 0;  // of the texture cache when g_picture was taken

// A cache-wide destroy frees every entry; ours is then forgotten, not released.
void ForgetDestroyedPicture() {
  if (g_generation == TextureCacheGeneration()) return;
  g_picture = nullptr;
  g_generation = TextureCacheGeneration();
}

gfx::HRESULT Fail(gfx::HRESULT hr, const char* text) {
  os::ShowMessageBox(kCaption, text);
  return gfx::Failed(hr) ? hr : gfx::E_FAIL;
}

}  // namespace

void CSpeechBalloon::AcquirePicture() {
  ForgetDestroyedPicture();
  if (!g_picture) g_picture = AcquireTexture(kBalloonPicture, kTexHitMask);
}

void RestoreSpeechBalloonResources(gfx::Device*) {
  CSpeechBalloon::AcquirePicture();
  GetSoundEffect("Pop.wav");  // loads it once, so the first pop does not wait for the archive
}

void InvalidateSpeechBalloonResources() {
  ForgetDestroyedPicture();
  ReleaseTexture(g_picture);
  g_picture = nullptr;
}

int CSpeechBalloon::RestoreDeviceObjects(gfx::Device* device) {
  CSprite::RestoreDeviceObjects(device);
  if (!device || (vertices_ && indices_)) return gfx::S_OK;
  InvalidateDeviceObjects();
  gfx::HRESULT hr =
      device->CreateVertexBuffer(kGridVertices * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &vertices_);
  if (gfx::Failed(hr) || !vertices_) return Fail(hr, "Failed to create vertex buffer");
  void* data = nullptr;
  hr = vertices_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    InvalidateDeviceObjects();
    return Fail(hr, "Failed to lock vertex buffer");
  }
  vertices_->Unlock();
  hr = device->CreateIndexBuffer(kGridIndices * sizeof(uint16_t), &indices_);
  if (gfx::Failed(hr) || !indices_) {
    InvalidateDeviceObjects();
    return Fail(hr, "Failed to create the index buffer");
  }
  hr = indices_->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    InvalidateDeviceObjects();
    return Fail(hr, "Failed to lock the index buffer");
  }
  auto* index = static_cast<uint16_t*>(data);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const uint16_t tl = uint16_t(row * 4 + col), tr = uint16_t(tl + 1);
      const uint16_t bl = uint16_t(tl + 4), br = uint16_t(tl + 5);
      for (uint16_t i : {tl, tr, br, tl, br, bl}) *index++ = i;
    }
  }
  indices_->Unlock();
  return gfx::S_OK;
}

int CSpeechBalloon::InvalidateDeviceObjects() {
  if (vertices_) vertices_->Release();
  if (indices_) indices_->Release();
  vertices_ = nullptr;
  indices_ = nullptr;
  return gfx::S_OK;
}

int CSpeechBalloon::DeleteDeviceObjects() {
  return InvalidateDeviceObjects();
}

void CSpeechBalloon::Render(gfx::Device* device) {
  // The growth animator moves the opacity along with the rectangle; the fade owns it.
  SetOpacity(fade_.Opacity());
  const ScreenRect rect = GetScreenRect();
  if (!device || IsHidden() || GetEffectiveOpacity() == 0 || !vertices_ || !indices_) return;
  AcquirePicture();
  gfx::Texture* texture = GetDeviceTexture(g_picture);
  if (!texture) return;

  // Borders in pixels: the tail side and the top are wider, as the content's insets are.
  const float g = speech::kGapFraction * float(GetClientHeight());
  const bool mirrored = (flags_ & kSpriteMirror) != 0;
  const float anchorSide = speech::kInsetAnchor * g, farSide = speech::kInsetFar * g;
  const speech::NinePatchGrid grid = speech::MakeNinePatchGrid(
      rect.Width(), rect.Height(), mirrored ? anchorSide : farSide, speech::kInsetTop * g,
      mirrored ? farSide : anchorSide, speech::kInsetBottom * g);
  const auto& cut = speech::kBalloonCuts;
  const float u[4] = {0.0f, cut[0], cut[1], 1.0f};
  const float v[4] = {0.0f, cut[2], cut[3], 1.0f};

  void* data = nullptr;
  if (gfx::Failed(vertices_->Lock(0, 0, &data, gfx::LOCK_DISCARD)) || !data) return;
  auto* vertex = static_cast<gfx::VertexPosUv*>(data);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      const float uu = mirrored ? u[3 - col] : u[col];  // the tail side swaps over
      *vertex++ = {grid.x[size_t(col)], grid.y[size_t(row)], 0.0f, uu, v[row]};
    }
  }
  vertices_->Unlock();

  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
  device->SetStreamSource(0, vertices_, sizeof(gfx::VertexPosUv));
  device->SetIndices(indices_, 0);
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawIndexedPrimitive(gfx::PT_TRIANGLELIST, 0, kGridVertices, 0, kGridTriangles);
  device->SetIndices(nullptr, 0);
  EndSpriteStates(device);
}
