// The recording device: what it records, what it refuses, and resource lifetime.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/null_device.h"

namespace {

using namespace gfx;

class NullDeviceTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateNullDevice(1024, 768, &dev), S_OK);
    rec = NullDevice::From(dev);
    ASSERT_NE(rec, nullptr);
  }
  void TearDown() override {
    if (dev) dev->Release();
  }
  VertexBuffer* Filled(const void* data, uint32_t bytes, uint32_t fvf) {
    VertexBuffer* vb = nullptr;
    EXPECT_EQ(dev->CreateVertexBuffer(bytes, fvf, &vb), S_OK);
    void* p = nullptr;
    EXPECT_EQ(vb->Lock(0, 0, &p), S_OK);
    std::memcpy(p, data, bytes);
    vb->Unlock();
    return vb;
  }
  Device* dev = nullptr;
  NullDevice* rec = nullptr;
};

TEST_F(NullDeviceTest, DrawsRecordVerticesIndicesStateAndTexture) {
  VertexPosUv quad[6] = {{9, 9, 9, 9, 9}, {1, -1, 0, 1, 0}, {1, 1, 0, 1, 1}, {-1, 1, 0, 0, 1}, {-1, -1, 0, 0, 0}};
  VertexBuffer* vb = Filled(quad, sizeof quad, FVF_POS_UV);
  Image img{1, 1, {0xFF123456u}};
  Texture* tex = nullptr;
  ASSERT_EQ(dev->CreateTexture(img, 1, &tex), S_OK);

  dev->BeginScene();
  dev->SetRenderState(RS_ALPHABLENDENABLE, 1);
  dev->SetTexture(0, tex);
  Material m;
  m.diffuse.a = 0.25f;
  dev->SetMaterial(m);
  dev->SetTransform(TS_WORLD, Matrix::Identity());
  dev->SetVertexShader(FVF_POS_UV);
  dev->SetStreamSource(0, vb, 20);
  ASSERT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 1, 2), S_OK);
  dev->SetRenderState(RS_ALPHABLENDENABLE, 0);  // later changes do not alter the record
  dev->EndScene();

  ASSERT_EQ(rec->Draws().size(), 1u);
  const NullDraw& d = rec->Draws()[0];
  EXPECT_EQ(d.type, PT_TRIANGLEFAN);
  EXPECT_EQ(d.primitiveCount, 2u);
  EXPECT_EQ(d.elementCount, 4u);
  EXPECT_TRUE(d.insideScene);
  EXPECT_FALSE(d.userPointer);
  EXPECT_EQ(d.fvf, FVF_POS_UV);
  ASSERT_EQ(d.VertexCount(), 4u);
  EXPECT_FLOAT_EQ(d.Vertex<VertexPosUv>(0).x, 1.0f);  // vertex 1 of the buffer is the first drawn
  EXPECT_FLOAT_EQ(d.Vertex<VertexPosUv>(3).v, 0.0f);
  EXPECT_EQ(d.Rs(RS_ALPHABLENDENABLE), 1u);
  EXPECT_FLOAT_EQ(d.material.diffuse.a, 0.25f);
  EXPECT_EQ(d.textures[0], tex);
  EXPECT_NE(d.textureSerials[0], 0u);
  EXPECT_EQ(d.textureSerials[1], 0u);
  ASSERT_NE(NullDevice::ImageOf(tex), nullptr);
  EXPECT_EQ(NullDevice::ImageOf(tex)->pixels[0], 0xFF123456u);

  // The change log interleaves with the draws.
  const auto& changes = rec->StateChanges();
  ASSERT_GE(changes.size(), 2u);
  EXPECT_EQ(changes.back().kind, NullStateChange::kRenderState);
  EXPECT_EQ(changes.back().drawIndex, 1u);
  EXPECT_EQ(changes.front().drawIndex, 0u);

  dev->SetTexture(0, nullptr);
  dev->SetStreamSource(0, nullptr, 0);
  tex->Release();
  vb->Release();
}

TEST_F(NullDeviceTest, IndexedDrawsKeepIndicesAndTheVerticesTheyReach) {
  VertexRhwColorUv v[5] = {};
  for (int i = 0; i < 5; ++i) v[i].x = float(i * 10);
  VertexBuffer* vb = Filled(v, sizeof v, FVF_RHW_COLOR_UV);
  IndexBuffer* ib = nullptr;
  ASSERT_EQ(dev->CreateIndexBuffer(12, &ib), S_OK);
  void* p = nullptr;
  ASSERT_EQ(ib->Lock(0, 0, &p), S_OK);
  const uint16_t idx[6] = {7, 7, 0, 1, 3, 2};
  std::memcpy(p, idx, sizeof idx);
  ib->Unlock();
  dev->SetVertexShader(FVF_RHW_COLOR_UV);
  dev->SetStreamSource(0, vb, 28);
  dev->SetIndices(ib, 1);
  ASSERT_EQ(dev->DrawIndexedPrimitive(PT_TRIANGLELIST, 0, 4, 2, 1), S_OK);
  const NullDraw& d = rec->Draws().back();
  ASSERT_EQ(d.indices.size(), 3u);
  EXPECT_EQ(d.indices[2], 3u);
  EXPECT_EQ(d.startVertex, 1u);
  EXPECT_FLOAT_EQ(d.Vertex<VertexRhwColorUv>(d.indices[2]).x, 40.0f);  // base vertex 1 + index 3
  // Index 7 (from startIndex 0) would read past the buffer: refused, nothing recorded.
  EXPECT_EQ(dev->DrawIndexedPrimitive(PT_TRIANGLELIST, 0, 4, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(rec->Draws().size(), 1u);
  dev->SetStreamSource(0, nullptr, 0);
  dev->SetIndices(nullptr, 0);
  ib->Release();
  vb->Release();
}

TEST_F(NullDeviceTest, DrawsOutsideTheirBuffersAreRefused) {
  VertexPosUv q[4] = {};
  VertexBuffer* vb = Filled(q, sizeof q, FVF_POS_UV);
  dev->SetVertexShader(FVF_POS_UV);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL);  // no stream
  dev->SetStreamSource(0, vb, 20);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 3), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLESTRIP, 0xFFFFFFF0u, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLELIST, 0, 0x60000000u), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->DrawPrimitive(PrimitiveType(99), 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->DrawIndexedPrimitive(PT_TRIANGLELIST, 0, 4, 0, 1), D3DERR_INVALIDCALL);  // no indices
  dev->SetVertexShader(FVF_RHW_COLOR_UV);  // 28-byte vertices through a 20-byte stride
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 1), D3DERR_INVALIDCALL);
  dev->SetVertexShader(FVF_NORMAL);  // no position
  EXPECT_EQ(dev->DrawPrimitive(PT_POINTLIST, 0, 1), D3DERR_INVALIDCALL);
  dev->SetVertexShader(FVF_POS_UV);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 0), S_OK);  // nothing to draw is not an error
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 1, 1), S_OK);
  EXPECT_EQ(rec->Draws().size(), 1u);
  EXPECT_EQ(dev->DrawPrimitiveUP(PT_POINTLIST, 1, nullptr, 20), D3DERR_INVALIDCALL);
  dev->SetStreamSource(0, nullptr, 0);
  vb->Release();
}

TEST_F(NullDeviceTest, UserPointerDrawCopiesVerticesAndUnsetsTheStream) {
  VertexPosUv q[4] = {};
  VertexBuffer* vb = Filled(q, sizeof q, FVF_POS_UV);
  dev->SetStreamSource(0, vb, 20);
  VertexRhwPsizeColor pts[3] = {{1, 2, 1, 1, 8, 0xFF00FF00u}, {3, 4, 1, 1, 9, 0}, {5, 6, 1, 1, 10, 0}};
  dev->SetVertexShader(FVF_RHW_PSIZE_COLOR);
  ASSERT_EQ(dev->DrawPrimitiveUP(PT_POINTLIST, 3, pts, sizeof pts[0]), S_OK);
  pts[0].size = 99;  // the record is a copy
  const NullDraw& d = rec->Draws().back();
  EXPECT_TRUE(d.userPointer);
  EXPECT_EQ(d.Vertex<VertexRhwPsizeColor>(0).size, 8.0f);
  EXPECT_EQ(d.Vertex<VertexRhwPsizeColor>(2).x, 5.0f);
  EXPECT_EQ(dev->DrawPrimitive(PT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL) << "stream 0 should be unset";
  vb->Release();
  EXPECT_EQ(dev->LiveResourceCount(), 0);
}

TEST_F(NullDeviceTest, ReferenceCountsBindingsAndLiveResources) {
  Image img{2, 2, {1, 2, 3, 4}};
  Texture* tex = nullptr;
  ASSERT_EQ(dev->CreateTexture(img, 0, &tex), S_OK);
  EXPECT_EQ(tex->Levels(), 2);
  IndexBuffer* ib = nullptr;
  ASSERT_EQ(dev->CreateIndexBuffer(6, &ib), S_OK);
  EXPECT_EQ(dev->LiveResourceCount(), 2);
  EXPECT_EQ(tex->AddRef(), 2u);
  EXPECT_EQ(tex->Release(), 1u);
  dev->SetTexture(1, tex);
  EXPECT_EQ(tex->Release(), 0u);  // released by the caller, still bound
  EXPECT_EQ(dev->LiveResourceCount(), 1);
  dev->SetTexture(1, nullptr);  // frees it
  ib->Release();
  EXPECT_EQ(dev->LiveResourceCount(), 0);

  // Resources may outlive the device; releasing them afterwards is safe.
  VertexBuffer* vb = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(20, FVF_POS_UV, &vb), S_OK);
  dev->SetStreamSource(0, vb, 20);
  EXPECT_EQ(dev->AddRef(), 2u);
  EXPECT_EQ(dev->Release(), 1u);
  dev->Release();
  dev = nullptr;
  EXPECT_EQ(vb->Release(), 0u);
}

TEST_F(NullDeviceTest, RefusesBadResourcesAndInjectsFailures) {
  VertexBuffer* vb = reinterpret_cast<VertexBuffer*>(1);
  EXPECT_EQ(dev->CreateVertexBuffer(0, FVF_POS_UV, &vb), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb, nullptr);
  EXPECT_EQ(dev->CreateVertexBuffer(0xFFFFFFFFu, FVF_POS_UV, &vb), E_OUTOFMEMORY);
  Texture* tex = nullptr;
  EXPECT_EQ(dev->CreateTexture(Image{2, 2, {1, 2, 3}}, 1, &tex), D3DERR_INVALIDCALL);  // short pixel data
  EXPECT_EQ(dev->CreateTexture(Image{0, 0, {}}, 1, &tex), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->CreateTexture(Image{1, 1, {0}}, -1, &tex), D3DERR_INVALIDCALL);

  rec->FailNextCreations(NullDevice::ResourceKind::kVertexBuffer, 1, D3DERR_OUTOFVIDEOMEMORY);
  EXPECT_EQ(dev->CreateVertexBuffer(20, FVF_POS_UV, &vb), D3DERR_OUTOFVIDEOMEMORY);
  ASSERT_EQ(dev->CreateVertexBuffer(20, FVF_POS_UV, &vb), S_OK);
  rec->FailNextCreations(NullDevice::ResourceKind::kTexture, 1);
  EXPECT_EQ(dev->CreateTexture(Image{1, 1, {0}}, 1, &tex), E_OUTOFMEMORY);
  EXPECT_EQ(dev->LiveResourceCount(), 1);
  vb->Release();
}

TEST_F(NullDeviceTest, LockRangesAreChecked) {
  VertexBuffer* vb = nullptr;
  ASSERT_EQ(dev->CreateVertexBuffer(100, FVF_POS_UV, &vb), S_OK);
  void* p = nullptr;
  EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);  // not locked
  EXPECT_EQ(vb->Lock(90, 20, &p), D3DERR_INVALIDCALL);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(vb->Lock(101, 0, &p), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Lock(0xFFFFFFF0u, 0x20, &p), D3DERR_INVALIDCALL);
  void* q = nullptr;
  ASSERT_EQ(vb->Lock(80, 0, &p), S_OK);  // size 0 = to the end
  ASSERT_EQ(vb->Lock(0, 0, &q), S_OK);   // nested locks pair with unlocks
  EXPECT_EQ(static_cast<uint8_t*>(p) - static_cast<uint8_t*>(q), 80);
  EXPECT_EQ(vb->Unlock(), S_OK);
  EXPECT_EQ(vb->Unlock(), S_OK);
  EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);
  vb->Release();
}

TEST_F(NullDeviceTest, DefaultsResetAndFrameBookkeeping) {
  uint32_t v = 0;
  dev->GetRenderState(RS_LIGHTING, &v);
  EXPECT_EQ(v, 1u);
  dev->GetRenderState(RS_ZFUNC, &v);
  EXPECT_EQ(v, CMP_LESSEQUAL);
  dev->GetTextureStageState(0, TSS_COLOROP, &v);
  EXPECT_EQ(v, TOP_MODULATE);
  dev->GetTextureStageState(1, TSS_COLOROP, &v);
  EXPECT_EQ(v, TOP_DISABLE);
  EXPECT_EQ(dev->SetRenderState(RenderState(300), 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->SetTextureStageState(2, TSS_COLOROP, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->SetViewport(Viewport{0, 0, 2000, 10, 0, 1}), D3DERR_INVALIDCALL);

  EXPECT_EQ(dev->BeginScene(), S_OK);
  EXPECT_EQ(dev->BeginScene(), D3DERR_INVALIDCALL);
  dev->Clear(Device::CLEAR_TARGET | Device::CLEAR_ZBUFFER, 0xFF336699u, 1.0f, 0);
  EXPECT_EQ(dev->EndScene(), S_OK);
  EXPECT_EQ(dev->EndScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(dev->Present(), S_OK);
  EXPECT_EQ(rec->PresentCount(), 1);
  ASSERT_EQ(rec->Clears().size(), 1u);
  EXPECT_EQ(rec->Clears()[0].argb, 0xFF336699u);
  Image shot;
  ASSERT_TRUE(dev->ReadBackBuffer(shot));
  EXPECT_EQ(shot.width, 1024);
  EXPECT_EQ(shot.pixels[5], 0xFF336699u);

  rec->SetCooperativeLevel(D3DERR_DEVICENOTRESET);
  EXPECT_EQ(dev->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(dev->Present(), D3DERR_DEVICENOTRESET);
  dev->SetRenderState(RS_ZENABLE, 0);
  ASSERT_EQ(dev->Reset(800, 600, true), S_OK);
  EXPECT_EQ(dev->TestCooperativeLevel(), S_OK);
  dev->GetRenderState(RS_ZENABLE, &v);
  EXPECT_EQ(v, 1u);
  Viewport vp;
  dev->GetViewport(&vp);
  EXPECT_EQ(vp.width, 800u);
  EXPECT_EQ(vp.height, 600u);
  EXPECT_EQ(dev->Reset(0, 600, true), D3DERR_INVALIDCALL);

  GammaRamp ramp{};
  ramp.red[255] = 1234;
  dev->SetGammaRamp(ramp, true);
  GammaRamp back{};
  dev->GetGammaRamp(back);
  EXPECT_EQ(back.red[255], 1234);
  EXPECT_EQ(rec->GammaSetCount(), 1);
  EXPECT_TRUE(rec->LastGammaCalibrated());

  size_t changes = rec->StateChanges().size();
  rec->SetRecording(false);
  dev->SetRenderState(RS_ZENABLE, 0);
  EXPECT_EQ(rec->StateChanges().size(), changes);
  rec->ClearRecords();
  EXPECT_TRUE(rec->StateChanges().empty());
}

}  // namespace
