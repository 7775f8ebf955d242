// Drawing of sprites: the twenty shared quads, the world transform that lays the unit quad on a
// screen rectangle, and the render states around each draw.
#include <cmath>

#include "platform/os/host.h"
#include "scene/sprite.h"

namespace {

gfx::VertexBuffer* g_quads[kQuadCount] = {};

struct Uv {
  float u, v;
};

// Texture coordinates at the corners (1,-1), (1,1), (-1,1), (-1,-1); local y -1 is the top edge.
void QuadUvs(int index, Uv uv[4]) {
  static const Uv kFixed[4][4] = {
      {{1, 0}, {1, 1}, {0, 1}, {0, 0}},  // normal
      {{0, 0}, {0, 1}, {1, 1}, {1, 0}},  // mirrored
      {{1, 1}, {1, 0}, {0, 0}, {0, 1}},  // flipped
      {{0, 1}, {0, 0}, {1, 0}, {1, 1}},  // mirrored and flipped
  };
  if (index < kQuadAtlasFirst) {
    for (int i = 0; i < 4; ++i) uv[i] = kFixed[index][i];
    return;
  }
  const int frame = index - kQuadAtlasFirst;
  const float uL = float(frame % 4) * 0.25f, uR = uL + 0.25f;
  const float vT = float(frame / 4) * 0.25f, vB = vT + 0.25f;
  uv[0] = {uR, vT};
  uv[1] = {uR, vB};
  uv[2] = {uL, vB};
  uv[3] = {uL, vT};
}

// Creates and fills one quad; the message names the step that failed, as the boxes always did.
gfx::HRESULT CreateQuad(gfx::Device* device, int index) {
  const bool atlas = index >= kQuadAtlasFirst;
  const bool mirrorBuffer = index == kQuadMirrored || index == kQuadFlipped;
  const char* caption = atlas ? "CSprite::RestoreDeviceObjects()" : "CSprite::RestoreStaticDeviceObjects()";
  gfx::VertexBuffer* vb = nullptr;
  gfx::HRESULT hr = device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &vb);
  if (gfx::Failed(hr) || !vb) {
    os::ShowMessageBox(caption,
                       mirrorBuffer ? "Failed to create mirror buffer" : "Failed to create vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  void* data = nullptr;
  hr = vb->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    vb->Release();
    os::ShowMessageBox(caption,
                       mirrorBuffer ? "Failed to lock mirror buffer" : "Failed to lock vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  static const float kCorners[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  Uv uv[4];
  QuadUvs(index, uv);
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  for (int i = 0; i < 4; ++i) v[i] = {kCorners[i][0], kCorners[i][1], 0.0f, uv[i].u, uv[i].v};
  vb->Unlock();
  g_quads[index] = vb;
  return gfx::S_OK;
}

}  // namespace

int CSprite::RestoreStaticDeviceObjects(gfx::Device* device) {
  if (!device) return gfx::E_FAIL;
  for (int i = 0; i < kQuadCount; ++i) {
    if (g_quads[i]) continue;
    const gfx::HRESULT hr = CreateQuad(device, i);
    if (gfx::Failed(hr)) return hr;
  }
  return gfx::S_OK;
}

void CSprite::InvalidateStaticDeviceObjects() {
  for (gfx::VertexBuffer*& vb : g_quads) {
    if (vb) vb->Release();
    vb = nullptr;
  }
}

gfx::VertexBuffer* CSprite::GetQuad(int index) {
  return index >= 0 && index < kQuadCount ? g_quads[index] : nullptr;
}

int CSprite::QuadForFlags(uint32_t flags) {
  const bool mirror = flags & kSpriteMirror, flip = flags & kSpriteFlip;
  if (mirror && flip) return kQuadMirroredFlipped;
  if (mirror) return kQuadMirrored;
  if (flip) return kQuadFlipped;
  return kQuadNormal;
}

gfx::Matrix CSprite::WorldFromRect(const ScreenRect& r) {
  // The camera's view and projection are the identity, so unprojecting a pixel through the
  // viewport lands directly in clip space: x -1..1 left to right, y 1..-1 top to bottom.
  const gfx::Viewport& vp = GetViewport();
  const float sx = vp.width ? 2.0f / float(vp.width) : 0.0f;
  const float sy = vp.height ? 2.0f / float(vp.height) : 0.0f;
  auto clipX = [&](float x) { return (x - float(vp.x)) * sx - 1.0f; };
  auto clipY = [&](float y) { return 1.0f - (y - float(vp.y)) * sy; };
  float rx, ry, bx, by;
  r.ToScreen(1, 0, rx, ry);
  r.ToScreen(0, 1, bx, by);
  const float cx = clipX(r.CenterX()), cy = clipY(r.CenterY());
  constexpr float kDepth = 0.999f;
  gfx::Matrix m{};
  m.m[0][0] = clipX(rx) - cx;
  m.m[0][1] = clipY(ry) - cy;
  m.m[1][0] = clipX(bx) - cx;
  m.m[1][1] = clipY(by) - cy;
  m.m[3][0] = cx;
  m.m[3][1] = cy;
  m.m[3][2] = kDepth;
  m.m[3][3] = 1.0f;
  return m;
}

void CSprite::BeginSpriteStates(gfx::Device* device, bool additive) {
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, additive ? gfx::BLEND_ONE : gfx::BLEND_SRCALPHA);
  device->SetRenderState(gfx::RS_DESTBLEND, additive ? gfx::BLEND_ONE : gfx::BLEND_INVSRCALPHA);
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_FOGENABLE, 0);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_CLAMP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_CLAMP);
}

void CSprite::EndSpriteStates(gfx::Device* device) {
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
}

gfx::Material CSprite::RenderMaterial() const {
  if (!(flags_ & kSpriteAdditive)) return material_;
  // Additive glow: the opacity scales the colour instead of the blend.
  gfx::Material m = material_;
  m.emissive.r *= m.diffuse.a;
  m.emissive.g *= m.diffuse.a;
  m.emissive.b *= m.diffuse.a;
  m.diffuse.a = 1.0f;
  return m;
}

void CSprite::DrawQuad(gfx::Device* device, const ScreenRect& rect, int quad, gfx::Texture* texture,
                       const gfx::Material& material) {
  gfx::VertexBuffer* vb = GetQuad(quad);
  if (!vb) return;
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
  device->SetStreamSource(0, vb, sizeof(gfx::VertexPosUv));
  device->SetMaterial(material);
  device->SetTexture(0, texture);
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLEFAN, 0, 2);
}

void CSprite::Render(gfx::Device* device) {
  ScreenRect rect = GetScreenRect();
  if (!device || !texture_ || IsHidden() || GetEffectiveOpacity() == 0) return;
  // A picture that failed to load draws nothing (not a white box).
  gfx::Texture* texture = GetDeviceTexture(texture_);
  const int quad = QuadForFlags(flags_);
  if (!texture || !GetQuad(quad)) return;
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  if (flags_ & kSpriteNoRotation) {
    // The cache keeps the 0 until it is next recomputed.
    rect_.angle = 0;
    rect.angle = 0;
  }
  DrawQuad(device, rect, quad, texture, RenderMaterial());
  EndSpriteStates(device);
}
