// What the two backends share: reference-counted resources with CPU copies, the device state
// with Direct3D 8's defaults, and draw validation. A backend only turns a validated
// DrawCall into pixels (or a record) and implements the frame.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/vertex_format.h"

namespace gfx {

class DeviceBase;

// Bookkeeping behind every resource. The caller's references (AddRef/Release) decide when a
// resource counts as released; the device's own bindings keep the object alive until it is
// unbound, so releasing a texture that is still set on a stage never leaves a dangling binding.
class ResourceCore {
 public:
  virtual ~ResourceCore() = default;
  uint32_t AddRefCore() { return ++refs_; }
  uint32_t ReleaseCore();
  void Bind() { ++binds_; }
  void Unbind();
  // The device is being destroyed: free what belongs to its context, then forget it.
  void Orphan();

 protected:
  explicit ResourceCore(DeviceBase* owner);
  virtual void DropDeviceObjects() {}
  DeviceBase* owner_;

 private:
  void DestroyIfUnused();
  uint32_t refs_ = 1;
  uint32_t binds_ = 0;
};

template <class Interface>
class Counted : public Interface, public ResourceCore {
 public:
  uint32_t AddRef() override { return AddRefCore(); }
  uint32_t Release() override { return ReleaseCore(); }

 protected:
  explicit Counted(DeviceBase* owner) : ResourceCore(owner) {}
};

// A byte buffer with lock bookkeeping; remembers which bytes changed since the backend last
// looked, so the GL backend uploads only those.
class CpuBuffer {
 public:
  explicit CpuBuffer(uint32_t bytes) : data_(bytes) {}
  HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags);
  HRESULT Unlock();
  uint32_t Bytes() const { return uint32_t(data_.size()); }
  const uint8_t* Data() const { return data_.data(); }
  bool Dirty() const { return dirtyEnd_ > dirtyBegin_; }
  // Hands the changed byte range to the caller and marks the buffer clean.
  void TakeDirty(uint32_t& begin, uint32_t& end);
  void MarkAllDirty() { dirtyBegin_ = 0, dirtyEnd_ = Bytes(); }
  int LockCount() const { return locks_; }

 private:
  std::vector<uint8_t> data_;
  int locks_ = 0;
  uint32_t lockBegin_ = 0, lockEnd_ = 0;
  uint32_t dirtyBegin_ = 0, dirtyEnd_ = 0;
};

class VertexBufferBase : public Counted<VertexBuffer> {
 public:
  VertexBufferBase(DeviceBase* owner, uint32_t bytes, uint32_t fvf) : Counted(owner), buffer_(bytes), fvf_(fvf) {}
  HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override {
    return buffer_.Lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return buffer_.Unlock(); }
  uint32_t Size() const override { return buffer_.Bytes(); }
  uint32_t Fvf() const override { return fvf_; }
  CpuBuffer& Buffer() { return buffer_; }
  const CpuBuffer& Buffer() const { return buffer_; }

 private:
  CpuBuffer buffer_;
  uint32_t fvf_;
};

class IndexBufferBase : public Counted<IndexBuffer> {
 public:
  IndexBufferBase(DeviceBase* owner, uint32_t bytes) : Counted(owner), buffer_(bytes) {}
  HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override {
    return buffer_.Lock(offset, size, data, flags);
  }
  HRESULT Unlock() override { return buffer_.Unlock(); }
  uint32_t Size() const override { return buffer_.Bytes(); }
  CpuBuffer& Buffer() { return buffer_; }
  const CpuBuffer& Buffer() const { return buffer_; }

 private:
  CpuBuffer buffer_;
};

class TextureBase : public Counted<Texture> {
 public:
  TextureBase(DeviceBase* owner, int w, int h, int levels) : Counted(owner), w_(w), h_(h), levels_(levels) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  int Levels() const override { return levels_; }
  // A number unique within the process, stable after the texture is gone (records use it).
  uint64_t Serial() const { return serial_; }

 private:
  int w_, h_, levels_;
  uint64_t serial_ = NextSerial();
  static uint64_t NextSerial();
};

// Every piece of state a draw depends on, with Direct3D 8's defaults.
struct DeviceState {
  uint32_t rs[RS_COUNT];
  uint32_t tss[kMaxTextureStages][TSS_COUNT];
  Matrix world, view, projection;
  Matrix textureTransform[8];
  Material material;
  Viewport viewport;
  uint32_t fvf = 0;
  VertexBufferBase* stream = nullptr;
  uint32_t stride = 0;
  IndexBufferBase* indices = nullptr;
  uint32_t baseVertex = 0;
  TextureBase* textures[kMaxTextureStages] = {};

  void SetDefaults(int backBufferWidth, int backBufferHeight);
  float RsFloat(RenderState s) const;
};

// A validated draw: every byte and index it reads lies inside its buffers.
struct DrawCall {
  PrimitiveType type = PT_TRIANGLELIST;
  uint32_t primitiveCount = 0;
  uint32_t elementCount = 0;  // vertices read (non-indexed) or indices read (indexed)
  uint32_t fvf = 0;
  VertexLayout layout;
  uint32_t stride = 0;
  // Vertex bytes from vertex 0 of the stream (or the user pointer); firstVertex indexes into them.
  const uint8_t* vertices = nullptr;
  uint32_t vertexBytes = 0;
  VertexBufferBase* buffer = nullptr;  // null for user-pointer draws
  uint32_t firstVertex = 0;            // non-indexed: first vertex drawn; indexed: the base vertex
  bool indexed = false;
  IndexBufferBase* indexBuffer = nullptr;
  uint32_t startIndex = 0;
  const uint16_t* indices = nullptr;  // the first index used
  uint32_t minIndex = 0, numVertices = 0;
  uint16_t maxIndexUsed = 0;
};

class DeviceBase : public Device {
 public:
  uint32_t AddRef() override { return ++deviceRefs_; }
  uint32_t Release() override;

  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  void BackBufferSize(int& w, int& h) const override { w = bbWidth_, h = bbHeight_; }
  Caps GetCaps() const override { return caps_; }
  void SetGammaRamp(const GammaRamp& ramp, bool calibrate) override;
  void GetGammaRamp(GammaRamp& ramp) const override { ramp = gamma_; }

  HRESULT CreateVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBuffer** out) override;
  HRESULT CreateIndexBuffer(uint32_t bytes, IndexBuffer** out) override;
  HRESULT CreateTexture(const Image& image, int levels, Texture** out) override;
  int LiveResourceCount() const override { return live_; }

  HRESULT SetRenderState(RenderState state, uint32_t value) override;
  HRESULT GetRenderState(RenderState state, uint32_t* value) const override;
  HRESULT SetTextureStageState(int stage, TextureStageState state, uint32_t value) override;
  HRESULT GetTextureStageState(int stage, TextureStageState state, uint32_t* value) const override;
  HRESULT SetTexture(int stage, Texture* texture) override;
  HRESULT SetTransform(TransformState state, const Matrix& m) override;
  HRESULT GetTransform(TransformState state, Matrix* m) const override;
  HRESULT SetMaterial(const Material& m) override;
  HRESULT GetMaterial(Material* m) const override;
  HRESULT SetViewport(const Viewport& vp) override;
  HRESULT GetViewport(Viewport* vp) const override;
  HRESULT SetVertexShader(uint32_t fvf) override;
  HRESULT SetStreamSource(int stream, VertexBuffer* vb, uint32_t stride) override;
  HRESULT SetIndices(IndexBuffer* ib, uint32_t baseVertex) override;

  HRESULT DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;
  HRESULT DrawIndexedPrimitive(PrimitiveType type, uint32_t minIndex, uint32_t numVertices, uint32_t startIndex,
                               uint32_t primitiveCount) override;
  HRESULT DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                          uint32_t stride) override;

  const DeviceState& State() const { return state_; }
  bool InScene() const { return inScene_; }

  // Resource bookkeeping, called by ResourceCore.
  void OnCreated(ResourceCore* r);
  void OnReleased() { --live_; }
  void OnDestroyed(ResourceCore* r) { all_.erase(r); }

 protected:
  DeviceBase(int backBufferWidth, int backBufferHeight);
  ~DeviceBase() override;

  // Backend hooks. The factories hand out a resource with one reference.
  virtual HRESULT NewVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBufferBase** out) = 0;
  virtual HRESULT NewIndexBuffer(uint32_t bytes, IndexBufferBase** out) = 0;
  virtual HRESULT NewTexture(const Image& image, int levels, TextureBase** out) = 0;
  virtual HRESULT ExecuteDraw(const DrawCall& call) = 0;
  virtual void OnGammaChanged() {}

  // New back-buffer size: the state returns to its defaults and every binding is dropped, as a
  // Direct3D 8 reset does; resources stay valid.
  void ResetState(int backBufferWidth, int backBufferHeight);
  // Drops every binding and detaches every resource still alive (call while the backend's
  // context can still free its objects).
  void DetachAllResources();

  DeviceState state_;
  Caps caps_;
  GammaRamp gamma_;
  int bbWidth_, bbHeight_;

 private:
  void UnbindAll();
  template <class T>
  static void Rebind(T*& slot, T* next);
  HRESULT Draw(DrawCall& call);

  uint32_t deviceRefs_ = 1;
  bool inScene_ = false;
  int live_ = 0;
  std::unordered_set<ResourceCore*> all_;
};

}  // namespace gfx
