// Primitive types, vertex formats and the pixel-centre convention, drawn through GL and read back.
#include <cstring>

#include "platform/gfx/matrix_math.h"
#include "render/gl_fixture.h"

namespace rendertest {
namespace {

using namespace gfx;

class Primitives : public GLTest {};

TEST_F(Primitives, FanStripIndexedListAndBufferDrawsLandOnTheirPixels) {
  Begin();
  dev->SetRenderState(RS_ZENABLE, 0);
  // Fan from a user pointer.
  RhwRect(10, 10, 30, 20, 0xFFFF0000u);
  // Strip from a user pointer.
  VertexRhwColorUv strip[4] = {{40, 10, 0.5f, 1, 0xFF00FF00u, 0, 0},
                               {60, 10, 0.5f, 1, 0xFF00FF00u, 0, 0},
                               {40, 20, 0.5f, 1, 0xFF00FF00u, 0, 0},
                               {60, 20, 0.5f, 1, 0xFF00FF00u, 0, 0}};
  ASSERT_EQ(dev->DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, strip, sizeof strip[0]), S_OK);

  // Indexed list from buffers, with a base vertex skipping a decoy vertex.
  VertexBuffer* vb = nullptr;
  IndexBuffer* ib = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(9 * 28, FVF_RHW_COLOR_UV, &vb), S_OK);
  ASSERT_EQ(dev->CreateIndexBuffer(6 * 2, &ib), S_OK);
  VertexRhwColorUv verts[9] = {{0, 0, 0.5f, 1, 0xFFFFFFFFu, 0, 0},  // decoy: would cover the top-left
                               {70, 10, 0.5f, 1, 0xFF0000FFu, 0, 0},
                               {90, 10, 0.5f, 1, 0xFF0000FFu, 0, 0},
                               {90, 20, 0.5f, 1, 0xFF0000FFu, 0, 0},
                               {70, 20, 0.5f, 1, 0xFF0000FFu, 0, 0},
                               // A fan drawn from vertex 5 on.
                               {10, 40, 0.5f, 1, 0xFFFFFF00u, 0, 0},
                               {30, 40, 0.5f, 1, 0xFFFFFF00u, 0, 0},
                               {30, 50, 0.5f, 1, 0xFFFFFF00u, 0, 0},
                               {10, 50, 0.5f, 1, 0xFFFFFF00u, 0, 0}};
  void* p = nullptr;
  ASSERT_EQ(vb->Lock(0, 0, &p), S_OK);
  std::memcpy(p, verts, sizeof verts);
  vb->Unlock();
  const uint16_t idx[6] = {0, 1, 2, 0, 2, 3};
  ASSERT_EQ(ib->Lock(0, 0, &p), S_OK);
  std::memcpy(p, idx, sizeof idx);
  ib->Unlock();
  dev->SetStreamSource(0, vb, 28);
  dev->SetIndices(ib, 1);
  ASSERT_EQ(dev->DrawIndexedPrimitive(PT_TRIANGLELIST, 0, 4, 0, 2), S_OK);
  ASSERT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 5, 2), S_OK);

  // A later rewrite of part of the buffer reaches the next draw.
  ASSERT_EQ(vb->Lock(5 * 28, 4 * 28, &p), S_OK);
  auto* moved = static_cast<VertexRhwColorUv*>(p);
  for (int i = 0; i < 4; ++i) moved[i].y += 20, moved[i].color = 0xFFFF00FFu;
  vb->Unlock();
  ASSERT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 5, 2), S_OK);
  End();
  dev->SetStreamSource(0, nullptr, 0);
  dev->SetIndices(nullptr, 0);
  vb->Release();
  ib->Release();

  Image img = Read("render_primitives.png");
  // Left and top edges are inside, right and bottom edges outside (pixel centres on integers).
  EXPECT_TRUE(ColorNear(At(img, 10, 10), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 29, 19), 0xFF0000));
  EXPECT_TRUE(ColorNear(At(img, 30, 15), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 20, 20), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 9, 15), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 20, 9), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 40, 10), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 59, 19), 0x00FF00));
  EXPECT_TRUE(ColorNear(At(img, 60, 15), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 70, 10), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 89, 19), 0x0000FF));
  EXPECT_TRUE(ColorNear(At(img, 90, 15), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 2, 2), 0x000000)) << "the base vertex was ignored";
  EXPECT_TRUE(ColorNear(At(img, 20, 45), 0xFFFF00));
  EXPECT_TRUE(ColorNear(At(img, 20, 65), 0xFF00FF));
  EXPECT_EQ(At(img, 20, 65) >> 24, 0xFFu) << "the back buffer reads opaque";
}

// The sprite path: a unit quad of position + uv vertices placed through a world matrix built by
// unprojecting the target rectangle through a perspective camera, lit by its material only.
TEST_F(Primitives, LitMaterialQuadCoversItsRectangleWithTintAndOpacity) {
  const float l = 20, t = 30, r = 100, b = 90;
  Matrix proj = MatrixPerspectiveFovLH(0.7853982f, float(kWidth) / kHeight, 0.5f, 500.0f);
  Matrix view = MatrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  Viewport vp;
  dev->GetViewport(&vp);
  Vec3 c, right, bottom;
  Matrix id = Matrix::Identity();
  ASSERT_TRUE(Unproject({(l + r) / 2, (t + b) / 2, 0.999f}, vp, proj, view, id, &c));
  ASSERT_TRUE(Unproject({r, (t + b) / 2, 0.999f}, vp, proj, view, id, &right));
  ASSERT_TRUE(Unproject({(l + r) / 2, b, 0.999f}, vp, proj, view, id, &bottom));
  Matrix world{};
  Vec3 ax = right - c, ay = bottom - c;
  world.m[0][0] = ax.x, world.m[0][1] = ax.y, world.m[0][2] = ax.z;
  world.m[1][0] = ay.x, world.m[1][1] = ay.y, world.m[1][2] = ay.z;
  world.m[3][0] = c.x, world.m[3][1] = c.y, world.m[3][2] = c.z, world.m[3][3] = 1;

  VertexBuffer* quad = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(4 * 20, FVF_POS_UV, &quad), S_OK);
  VertexPosUv q[4] = {{1, -1, 0, 1, 0}, {1, 1, 0, 1, 1}, {-1, 1, 0, 0, 1}, {-1, -1, 0, 0, 0}};
  void* p = nullptr;
  ASSERT_EQ(quad->Lock(0, 0, &p), S_OK);
  std::memcpy(p, q, sizeof q);
  quad->Unlock();

  Begin();
  dev->SetTransform(TS_PROJECTION, proj);
  dev->SetTransform(TS_VIEW, view);
  dev->SetTransform(TS_WORLD, world);
  dev->SetRenderState(RS_AMBIENT, 0xFFFFFFFFu);
  dev->SetRenderState(RS_ZENABLE, 0);
  dev->SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
  dev->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
  Material m;
  m.emissive = {1.0f, 0.5f, 0.25f, 1.0f};
  m.ambient = {0.0f, 0.25f, 0.0f, 0.0f};  // adds to green through the white ambient light
  m.diffuse = {0, 0, 0, 1.0f};
  dev->SetMaterial(m);
  dev->SetVertexShader(FVF_POS_UV);
  dev->SetStreamSource(0, quad, 20);
  ASSERT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 2), S_OK);

  // Half-transparent blue over the left half of the same rectangle.
  Matrix half = world;
  half.m[0][0] *= 0.5f, half.m[0][1] *= 0.5f, half.m[0][2] *= 0.5f;
  Vec3 shift = c - ax * 0.5f;
  half.m[3][0] = shift.x, half.m[3][1] = shift.y, half.m[3][2] = shift.z;
  dev->SetTransform(TS_WORLD, half);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
  dev->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
  m.emissive = {0, 0, 1, 1};
  m.ambient = {0, 0, 0, 0};
  m.diffuse.a = 0.5f;
  dev->SetMaterial(m);
  ASSERT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 2), S_OK);
  End();
  dev->SetStreamSource(0, nullptr, 0);
  quad->Release();

  Image img = Read("render_lit_quad.png");
  // Exactly pixels 20..99 by 30..89.
  EXPECT_TRUE(ColorNear(At(img, 99, 30), 0xFFBF40));
  EXPECT_TRUE(ColorNear(At(img, 99, 89), 0xFFBF40));
  EXPECT_TRUE(ColorNear(At(img, 100, 60), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 60, 29), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 60, 90), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 19, 60), 0x000000));
  // Opacity: half blue over the tint.
  EXPECT_TRUE(ColorNear(At(img, 20, 30), 0x8060A0, 4));
  EXPECT_TRUE(ColorNear(At(img, 59, 89), 0x8060A0, 4));
  EXPECT_TRUE(ColorNear(At(img, 62, 60), 0xFFBF40));
}

TEST_F(Primitives, LinearFogBlendsTowardsTheFogColourByEyeDepth) {
  Begin();
  dev->SetTransform(TS_PROJECTION, MatrixOrthoOffCenterLH(0, kWidth, kHeight, 0, 0, 10));
  dev->SetRenderState(RS_FOGENABLE, 1);
  dev->SetRenderState(RS_FOGVERTEXMODE, FOG_LINEAR);
  dev->SetRenderState(RS_FOGCOLOR, 0xFFFFFFFFu);
  float start = 0.0f, end = 2.0f;
  uint32_t bits;
  std::memcpy(&bits, &start, 4);
  dev->SetRenderState(RS_FOGSTART, bits);
  std::memcpy(&bits, &end, 4);
  dev->SetRenderState(RS_FOGEND, bits);
  Material m;  // black, opaque
  m.diffuse.a = 1;
  dev->SetMaterial(m);
  VertexPosUv q[4] = {{10, 10, 1, 0, 0}, {30, 10, 1, 0, 0}, {30, 30, 1, 0, 0}, {10, 30, 1, 0, 0}};
  dev->SetVertexShader(FVF_POS_UV);
  ASSERT_EQ(dev->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, q, sizeof q[0]), S_OK);
  // Fog never touches pre-transformed vertices.
  RhwRect(40, 10, 60, 30, 0xFF000000u);
  End();
  Image img = Read("render_fog.png");
  EXPECT_TRUE(ColorNear(At(img, 10, 10), 0x808080, 4));
  EXPECT_TRUE(ColorNear(At(img, 29, 29), 0x808080, 4));
  EXPECT_TRUE(ColorNear(At(img, 30, 20), 0x000000));
  EXPECT_TRUE(ColorNear(At(img, 50, 20), 0x000000));
}

TEST_F(Primitives, InvalidDrawsAreRefusedAndDrawNothing) {
  VertexBuffer* vb = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(4 * 28, FVF_RHW_COLOR_UV, &vb), S_OK);
  Begin();
  dev->SetVertexShader(FVF_RHW_COLOR_UV);
  dev->SetStreamSource(0, vb, 28);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 1, 2), D3DERR_INVALIDCALL);  // one vertex past the end
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLELIST, 0, 0xFFFFFFFFu), D3DERR_INVALIDCALL);
  dev->SetStreamSource(0, vb, 20);  // stride below the format's size
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 1), D3DERR_INVALIDCALL);
  End();
  dev->SetStreamSource(0, nullptr, 0);
  vb->Release();
  Image img = Read();
  EXPECT_TRUE(ColorNear(At(img, 1, 1), 0x000000));
}

}  // namespace
}  // namespace rendertest
