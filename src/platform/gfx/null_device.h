// The recording backend: draws nothing, remembers every state change and every draw (with copies
// of the vertices and indices it read) so tests can assert what the game drew.
//
//   gfx::Device* dev = nullptr;
//   gfx::CreateNullDevice(1024, 768, &dev);
//   auto* rec = gfx::NullDevice::From(dev);
//   ... game code draws ...
//   const gfx::NullDraw& d = rec->Draws().back();
//   EXPECT_EQ(d.type, gfx::PT_TRIANGLEFAN);
//   EXPECT_EQ(d.Rs(gfx::RS_ALPHABLENDENABLE), 1u);
//   auto v = d.Vertex<gfx::VertexPosUv>(0);
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gfx/device_base.h"

namespace gfx {

// One draw and the state it was drawn with.
struct NullDraw {
  PrimitiveType type = PT_TRIANGLELIST;
  uint32_t primitiveCount = 0;
  uint32_t elementCount = 0;  // vertices (non-indexed) or indices (indexed) the primitives read
  bool indexed = false;
  bool userPointer = false;  // DrawPrimitiveUP
  bool insideScene = false;  // between BeginScene and EndScene
  int frame = 0;             // Present calls before this draw
  uint32_t fvf = 0;
  uint32_t stride = 0;
  uint32_t startVertex = 0;  // non-indexed: first vertex; indexed: the base vertex
  uint32_t startIndex = 0, minIndex = 0, numVertices = 0;
  const VertexBuffer* vertexBuffer = nullptr;  // identity only; may be gone by the time a test looks
  const IndexBuffer* indexBuffer = nullptr;
  // Non-indexed: the drawn vertices in order (vertex i is the i-th vertex drawn).
  // Indexed: the vertices from the base vertex up to the highest index used, so that
  // Vertex<T>(indices[k]) is the k-th vertex drawn. Each vertex occupies stride bytes.
  std::vector<uint8_t> vertices;
  std::vector<uint16_t> indices;  // indexed draws: the index values read
  const Texture* textures[kMaxTextureStages] = {};
  uint64_t textureSerials[kMaxTextureStages] = {};  // 0 = no texture
  // The state the draw used.
  uint32_t rs[RS_COUNT] = {};
  uint32_t tss[kMaxTextureStages][TSS_COUNT] = {};
  Matrix world{}, view{}, projection{};
  Material material;
  Viewport viewport;

  uint32_t Rs(RenderState s) const { return rs[s]; }
  float RsFloat(RenderState s) const {
    float f;
    std::memcpy(&f, &rs[s], 4);
    return f;
  }
  uint32_t Tss(int stage, TextureStageState s) const { return tss[stage][s]; }
  size_t VertexCount() const { return stride ? vertices.size() / stride : 0; }
  template <class V>
  V Vertex(size_t i) const {
    V v{};
    if (stride && (i + 1) * stride <= vertices.size())
      std::memcpy(&v, vertices.data() + i * stride, std::min<size_t>(sizeof(V), stride));
    return v;
  }
};

struct NullStateChange {
  enum Kind {
    kRenderState,        // state, value
    kTextureStageState,  // stage, state, value
    kTransform,          // state (TransformState), matrix
    kMaterial,           // material
    kTexture,            // stage, resource, textureSerial
    kVertexShader,       // value = FVF
    kStreamSource,       // resource, value = stride
    kIndices,            // resource, value = base vertex
    kViewport,           // viewport
  };
  Kind kind = kRenderState;
  int stage = 0;
  uint32_t state = 0;
  uint32_t value = 0;
  Matrix matrix{};
  Material material;
  Viewport viewport;
  const void* resource = nullptr;
  uint64_t textureSerial = 0;
  size_t drawIndex = 0;  // draws recorded before this change (orders changes against draws)
};

struct NullClear {
  uint32_t flags = 0;
  uint32_t argb = 0;
  float z = 0;
  uint32_t stencil = 0;
  size_t drawIndex = 0;
};

class NullDevice final : public DeviceBase {
 public:
  NullDevice(int backBufferWidth, int backBufferHeight);

  // The recording view of a device made by CreateNullDevice (null for any other device).
  static NullDevice* From(Device* device);
  // The pixels a texture of a null device was created from.
  static const Image* ImageOf(const Texture* texture);

  // ---- Records ----
  const std::vector<NullDraw>& Draws() const { return draws_; }
  const std::vector<NullStateChange>& StateChanges() const { return changes_; }
  const std::vector<NullClear>& Clears() const { return clears_; }
  void ClearRecords();
  // With recording off only the counters below advance (benchmarks, long automation runs).
  void SetRecording(bool on) { recording_ = on; }
  int DrawCount() const { return drawCount_; }
  int PresentCount() const { return presents_; }
  int BeginSceneCount() const { return beginScenes_; }
  int ResetCount() const { return resets_; }
  int GammaSetCount() const { return gammaSets_; }
  bool LastGammaCalibrated() const { return gammaCalibrated_; }
  bool LastResetWindowed() const { return windowed_; }

  // ---- Test controls ----
  enum class ResourceKind { kVertexBuffer, kIndexBuffer, kTexture };
  // The next count creations of that kind fail with hr.
  void FailNextCreations(ResourceKind kind, int count, HRESULT hr = E_OUTOFMEMORY);
  // What TestCooperativeLevel and Present answer until the next Reset (which restores S_OK).
  void SetCooperativeLevel(HRESULT hr) { coop_ = hr; }
  void SetCaps(const Caps& caps) { caps_ = caps; }
  void SetVsync(bool on) { vsync_ = on; }

  // ---- Device ----
  HRESULT TestCooperativeLevel() override { return coop_; }
  HRESULT BeginScene() override;
  HRESULT Present() override;
  HRESULT Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) override;
  HRESULT Reset(int backBufferWidth, int backBufferHeight, bool windowed) override;
  bool VsyncActive() const override { return vsync_; }
  void SetGammaRamp(const GammaRamp& ramp, bool calibrate) override;
  // An image of the back-buffer size filled with the last clear colour (nothing is rasterised).
  bool ReadBackBuffer(Image& out) override;

  HRESULT SetRenderState(RenderState state, uint32_t value) override;
  HRESULT SetTextureStageState(int stage, TextureStageState state, uint32_t value) override;
  HRESULT SetTexture(int stage, Texture* texture) override;
  HRESULT SetTransform(TransformState state, const Matrix& m) override;
  HRESULT SetMaterial(const Material& m) override;
  HRESULT SetViewport(const Viewport& vp) override;
  HRESULT SetVertexShader(uint32_t fvf) override;
  HRESULT SetStreamSource(int stream, VertexBuffer* vb, uint32_t stride) override;
  HRESULT SetIndices(IndexBuffer* ib, uint32_t baseVertex) override;

 protected:
  HRESULT NewVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBufferBase** out) override;
  HRESULT NewIndexBuffer(uint32_t bytes, IndexBufferBase** out) override;
  HRESULT NewTexture(const Image& image, int levels, TextureBase** out) override;
  HRESULT ExecuteDraw(const DrawCall& call) override;

 private:
  bool ShouldFail(ResourceKind kind, HRESULT* hr);
  void Record(NullStateChange change);

  std::vector<NullDraw> draws_;
  std::vector<NullStateChange> changes_;
  std::vector<NullClear> clears_;
  bool recording_ = true;
  int drawCount_ = 0, presents_ = 0, beginScenes_ = 0, resets_ = 0, gammaSets_ = 0;
  bool gammaCalibrated_ = false;
  bool windowed_ = true;
  bool vsync_ = false;
  HRESULT coop_ = S_OK;
  uint32_t lastClear_ = 0xFF000000u;
  struct Failure {
    int count = 0;
    HRESULT hr = S_OK;
  } failures_[3];
};

}  // namespace gfx
