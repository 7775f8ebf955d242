#include <gtest/gtest.h>

#include <cstring>

#include "app/shared_device_objects.h"
#include "platform/os/host.h"
#include "scene/camera.h"
#include "scene/sprite.h"
#include "sprites/sprite_fixture.h"

using spritetest::SpriteTest;

namespace {

struct Uv {
  float u, v;
};

std::vector<gfx::VertexPosUv> QuadVertices(int index) {
  gfx::VertexBuffer* vb = CSprite::GetQuad(index);
  std::vector<gfx::VertexPosUv> out(4);
  void* data = nullptr;
  if (!vb || gfx::Failed(vb->Lock(0, 0, &data, gfx::LOCK_READONLY))) return {};
  std::memcpy(out.data(), data, sizeof(gfx::VertexPosUv) * 4);
  vb->Unlock();
  return out;
}

// Where the device puts a vertex of a draw, in client pixels.
void ToPixels(const gfx::NullDraw& d, const gfx::VertexPosUv& v, float& x, float& y) {
  const gfx::Matrix m = d.world * d.view * d.projection;
  const float cx = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  const float cy = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  const float cw = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  x = (cx / cw + 1) * 0.5f * float(d.viewport.width);
  y = (1 - cy / cw) * 0.5f * float(d.viewport.height);
}

}  // namespace

TEST_F(SpriteTest, SharedQuadsHoldTheTwentyCoordinateSets) {
  const float corners[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  const Uv want[4][4] = {{{1, 0}, {1, 1}, {0, 1}, {0, 0}},
                         {{0, 0}, {0, 1}, {1, 1}, {1, 0}},
                         {{1, 1}, {1, 0}, {0, 0}, {0, 1}},
                         {{0, 1}, {0, 0}, {1, 0}, {1, 1}}};
  for (int q = 0; q < 4; ++q) {
    auto v = QuadVertices(q);
    ASSERT_EQ(v.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(v[i].x, corners[i][0]);
      EXPECT_EQ(v[i].y, corners[i][1]);
      EXPECT_EQ(v[i].z, 0.0f);
      EXPECT_EQ(v[i].u, want[q][i].u) << "quad " << q << " corner " << i;
      EXPECT_EQ(v[i].v, want[q][i].v) << "quad " << q << " corner " << i;
    }
  }
  // Atlas frame 6: column 2, row 1 of the 4 x 4 sheet.
  auto v = QuadVertices(kQuadAtlasFirst + 6);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].u, 0.75f);
  EXPECT_EQ(v[0].v, 0.25f);
  EXPECT_EQ(v[1].v, 0.5f);
  EXPECT_EQ(v[2].u, 0.5f);
  EXPECT_EQ(CSprite::QuadForFlags(kSpriteMirror | kSpriteFlip | kSpriteAdditive), kQuadMirroredFlipped);
  EXPECT_EQ(CSprite::QuadForFlags(kSpriteFlip), kQuadFlipped);
  EXPECT_EQ(device_->LiveResourceCount(), kQuadCount);
  EXPECT_EQ(CSprite::RestoreStaticDeviceObjects(device_), 0);  // nothing made twice
  EXPECT_EQ(device_->LiveResourceCount(), kQuadCount);
}

TEST_F(SpriteTest, AFailedQuadIsReportedAndTheOthersStay) {
  CSprite::InvalidateStaticDeviceObjects();
  std::vector<std::string> boxes;
  os::SetMessageBoxHook([&](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + ": " + text);
    return int(os::kMsgOk);
  });
  Rec()->FailNextCreations(gfx::NullDevice::ResourceKind::kVertexBuffer, 1);
  EXPECT_LT(CSprite::RestoreStaticDeviceObjects(device_), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "CSprite::RestoreStaticDeviceObjects(): Failed to create vertex buffer");
  EXPECT_EQ(CSprite::GetQuad(kQuadNormal), nullptr);

  os::SetMessageBoxHook(nullptr);
  RestoreSharedDeviceObjects(device_);
  for (int i = 0; i < kQuadCount; ++i) EXPECT_NE(CSprite::GetQuad(i), nullptr) << i;
  InvalidateSharedDeviceObjects();
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  RestoreSharedDeviceObjects(device_);
}

TEST_F(SpriteTest, RenderSetsItsStatesAndRestoresThem) {
  auto* s = new CSprite(ScreenRect(100, 100, 300, 200), 0, "Art\\White.tga", nullptr);
  s->SetColor(0xFF804020);
  s->SetOpacity(0.5f);
  Rec()->ClearRecords();
  s->Render(device_);
  ASSERT_EQ(Rec()->Draws().size(), 1u);
  const gfx::NullDraw& d = Rec()->Draws()[0];
  EXPECT_EQ(d.type, gfx::PT_TRIANGLEFAN);
  EXPECT_EQ(d.primitiveCount, 2u);
  EXPECT_EQ(d.stride, 20u);
  EXPECT_EQ(d.fvf, gfx::FVF_POS_UV);
  EXPECT_EQ(d.vertexBuffer, CSprite::GetQuad(kQuadNormal));
  EXPECT_EQ(d.textures[0], GetDeviceTexture(s->GetTexture()));
  EXPECT_EQ(d.Rs(gfx::RS_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(d.Rs(gfx::RS_ALPHATESTENABLE), 1u);
  EXPECT_EQ(d.Rs(gfx::RS_SRCBLEND), gfx::BLEND_SRCALPHA);
  EXPECT_EQ(d.Rs(gfx::RS_DESTBLEND), gfx::BLEND_INVSRCALPHA);
  EXPECT_EQ(d.Rs(gfx::RS_ZENABLE), 0u);
  EXPECT_EQ(d.Rs(gfx::RS_ZWRITEENABLE), 0u);
  EXPECT_EQ(d.Rs(gfx::RS_FOGENABLE), 0u);
  EXPECT_EQ(d.Tss(0, gfx::TSS_ADDRESSU), gfx::TADDRESS_CLAMP);
  EXPECT_EQ(d.Tss(0, gfx::TSS_ADDRESSV), gfx::TADDRESS_CLAMP);
  EXPECT_FLOAT_EQ(d.material.diffuse.a, 0.5f);
  EXPECT_FLOAT_EQ(d.material.emissive.r, 128 / 255.0f);

  uint32_t value = 99;
  device_->GetRenderState(gfx::RS_ALPHABLENDENABLE, &value);
  EXPECT_EQ(value, 0u);
  device_->GetRenderState(gfx::RS_ALPHATESTENABLE, &value);
  EXPECT_EQ(value, 0u);
  device_->GetRenderState(gfx::RS_ZENABLE, &value);
  EXPECT_EQ(value, 1u);
  device_->GetRenderState(gfx::RS_ZWRITEENABLE, &value);
  EXPECT_EQ(value, 1u);
  device_->GetTextureStageState(0, gfx::TSS_ADDRESSU, &value);
  EXPECT_EQ(value, gfx::TADDRESS_WRAP);
  device_->GetTextureStageState(0, gfx::TSS_ADDRESSV, &value);
  EXPECT_EQ(value, gfx::TADDRESS_WRAP);

  // Additive: blend one/one, colour premultiplied by the opacity, full material alpha.
  s->AddFlags(kSpriteAdditive | kSpriteMirror);
  s->Render(device_);
  const gfx::NullDraw& a = Rec()->Draws().back();
  EXPECT_EQ(a.Rs(gfx::RS_SRCBLEND), gfx::BLEND_ONE);
  EXPECT_EQ(a.Rs(gfx::RS_DESTBLEND), gfx::BLEND_ONE);
  EXPECT_FLOAT_EQ(a.material.emissive.r, 0.5f * 128 / 255.0f);
  EXPECT_FLOAT_EQ(a.material.diffuse.a, 1.0f);
  EXPECT_EQ(a.vertexBuffer, CSprite::GetQuad(kQuadMirrored));
  EXPECT_FLOAT_EQ(s->GetMaterial().emissive.r, 128 / 255.0f);  // the sprite's own material is kept
}

TEST_F(SpriteTest, NothingIsDrawnWithoutPictureVisibilityOrOpacity) {
  auto* none = new CSprite(ScreenRect(0, 0, 10, 10), 0, nullptr, nullptr);
  auto* missing = new CSprite(ScreenRect(0, 0, 10, 10), 0, "Art\\Missing.png", nullptr);
  auto* faded = new CSprite(ScreenRect(0, 0, 10, 10), 0, "Art\\White.tga", nullptr);
  auto* hidden = new CSprite(ScreenRect(0, 0, 10, 10), 0, "Art\\White.tga", nullptr);
  faded->SetOpacity(0);
  hidden->SetVisible(false);
  Rec()->ClearRecords();
  for (CSprite* s : {none, missing, faded, hidden}) s->Render(device_);
  EXPECT_TRUE(Rec()->Draws().empty());
  EXPECT_TRUE(Rec()->StateChanges().empty());
}

TEST_F(SpriteTest, TheUnitQuadLandsExactlyOnTheScreenRectangle) {
  CreateSceneCamera();
  ASSERT_NE(GetSceneCamera(), nullptr);
  for (float angle : {0.0f, 0.7f, -2.0f}) {
    auto* s = new CSprite(ScreenRect(123, 45, 351, 199, angle), 0, "Art\\White.tga", nullptr);
    for (uint32_t flags : {0u, uint32_t(kSpriteMirror | kSpriteFlip)}) {
      s->RemoveFlags(kSpriteMirror | kSpriteFlip);
      s->AddFlags(flags);
      Rec()->ClearRecords();
      s->Render(device_);
      ASSERT_EQ(Rec()->Draws().size(), 1u);
      const gfx::NullDraw& d = Rec()->Draws()[0];
      const ScreenRect r = s->GetScreenRect();
      for (size_t i = 0; i < 4; ++i) {
        const auto v = d.Vertex<gfx::VertexPosUv>(i);
        float x, y, wx, wy;
        ToPixels(d, v, x, y);
        r.ToScreen(v.x, v.y, wx, wy);
        EXPECT_NEAR(x, wx, 1e-3) << "angle " << angle << " corner " << i;
        EXPECT_NEAR(y, wy, 1e-3) << "angle " << angle << " corner " << i;
      }
      // The picture's top-left texel sits at the rectangle's top-left corner unless mirrored and flipped.
      const auto topLeft = d.Vertex<gfx::VertexPosUv>(3);
      EXPECT_EQ(topLeft.u, flags ? 1.0f : 0.0f);
      EXPECT_EQ(topLeft.v, flags ? 1.0f : 0.0f);
    }
    delete s;
  }
}

TEST_F(SpriteTest, NoRotationFlagDrawsUprightAndKeepsTheCacheUpright) {
  auto* parent = new CSprite(ScreenRect(100, 100, 300, 300, 0.8f), 0, nullptr, nullptr);
  auto* s = new CSprite(ScreenRect(150, 150, 250, 250, 0.8f), 0, "Art\\White.tga", parent);
  s->AddFlags(kSpriteNoRotation);
  Rec()->ClearRecords();
  s->Render(device_);
  const gfx::NullDraw& d = Rec()->Draws().at(0);
  EXPECT_NEAR(d.world.m[0][1], 0.0f, 1e-6);  // no turn in the x axis
  EXPECT_EQ(s->GetScreenRect().angle, 0.0f);
  s->InvalidateRect();
  EXPECT_NEAR(s->GetScreenRect().angle, 0.8f, 1e-6);
}

TEST_F(SpriteTest, CameraSetsIdentityTransformsAndFogStates) {
  Rec()->ClearRecords();
  CreateSceneCamera();
  CCamera* camera = GetSceneCamera();
  ASSERT_NE(camera, nullptr);
  CreateSceneCamera();  // one camera only
  EXPECT_EQ(CountObjects(), 1);
  EXPECT_EQ(camera->GetTypeId(), TypeId::kCamera);
  EXPECT_EQ(camera->GetTypeFlags(), 0u);
  const gfx::Matrix identity = gfx::Matrix::Identity();
  gfx::Matrix m;
  device_->GetTransform(gfx::TS_PROJECTION, &m);
  EXPECT_EQ(std::memcmp(&m, &identity, sizeof m), 0);
  device_->GetTransform(gfx::TS_VIEW, &m);
  EXPECT_EQ(std::memcmp(&m, &identity, sizeof m), 0);
  uint32_t v = 0;
  device_->GetRenderState(gfx::RS_FOGENABLE, &v);
  EXPECT_EQ(v, 0u);
  device_->GetRenderState(gfx::RS_FOGVERTEXMODE, &v);
  EXPECT_EQ(v, gfx::FOG_LINEAR);
  device_->GetRenderState(gfx::RS_FOGSTART, &v);
  EXPECT_EQ(v, 0x43960000u);  // 300.0f
  device_->GetRenderState(gfx::RS_FOGEND, &v);
  EXPECT_EQ(v, 0x43FA0000u);  // 500.0f
  EXPECT_FALSE(SceneFogEnabled());
  camera->SetFogEnabled(true);
  EXPECT_TRUE(SceneFogEnabled());
  delete camera;
  EXPECT_EQ(GetSceneCamera(), nullptr);
  EXPECT_FALSE(SceneFogEnabled());
}
