#include "platform/gfx/null_device.h"

#include <algorithm>

namespace gfx {
namespace {

class NullVertexBuffer final : public VertexBufferBase {
 public:
  using VertexBufferBase::VertexBufferBase;
};

class NullIndexBuffer final : public IndexBufferBase {
 public:
  using IndexBufferBase::IndexBufferBase;
};

class NullTexture final : public TextureBase {
 public:
  NullTexture(DeviceBase* owner, const Image& image, int levels)
      : TextureBase(owner, image.width, image.height, levels), image_(image) {}
  const Image& Pixels() const { return image_; }

 private:
  Image image_;
};

}  // namespace

NullDevice::NullDevice(int w, int h) : DeviceBase(w, h) {}

NullDevice* NullDevice::From(Device* device) { return dynamic_cast<NullDevice*>(device); }

const Image* NullDevice::ImageOf(const Texture* texture) {
  auto* t = dynamic_cast<const NullTexture*>(texture);
  return t ? &t->Pixels() : nullptr;
}

void NullDevice::ClearRecords() {
  draws_.clear();
  changes_.clear();
  clears_.clear();
}

void NullDevice::FailNextCreations(ResourceKind kind, int count, HRESULT hr) {
  failures_[int(kind)] = Failure{std::max(count, 0), hr};
}

bool NullDevice::ShouldFail(ResourceKind kind, HRESULT* hr) {
  Failure& f = failures_[int(kind)];
  if (f.count <= 0) return false;
  --f.count;
  *hr = f.hr;
  return true;
}

HRESULT NullDevice::BeginScene() {
  HRESULT hr = DeviceBase::BeginScene();
  if (Succeeded(hr)) ++beginScenes_;
  return hr;
}

HRESULT NullDevice::Present() {
  if (Failed(coop_)) return coop_;
  ++presents_;
  return S_OK;
}

HRESULT NullDevice::Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) {
  if (flags & CLEAR_TARGET) lastClear_ = argb | 0xFF000000u;
  if (recording_) clears_.push_back(NullClear{flags, argb, z, stencil, draws_.size()});
  return S_OK;
}

HRESULT NullDevice::Reset(int w, int h, bool windowed) {
  if (w <= 0 || h <= 0) return D3DERR_INVALIDCALL;
  ResetState(w, h);
  windowed_ = windowed;
  coop_ = S_OK;
  ++resets_;
  return S_OK;
}

void NullDevice::SetGammaRamp(const GammaRamp& ramp, bool calibrate) {
  DeviceBase::SetGammaRamp(ramp, calibrate);
  ++gammaSets_;
  gammaCalibrated_ = calibrate;
}

bool NullDevice::ReadBackBuffer(Image& out) {
  out.width = bbWidth_;
  out.height = bbHeight_;
  out.pixels.assign(size_t(bbWidth_) * size_t(bbHeight_), lastClear_);
  return true;
}

void NullDevice::Record(NullStateChange change) {
  if (!recording_) return;
  change.drawIndex = draws_.size();
  changes_.push_back(change);
}

HRESULT NullDevice::SetRenderState(RenderState s, uint32_t value) {
  HRESULT hr = DeviceBase::SetRenderState(s, value);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kRenderState;
    c.state = s;
    c.value = value;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetTextureStageState(int stage, TextureStageState s, uint32_t value) {
  HRESULT hr = DeviceBase::SetTextureStageState(stage, s, value);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kTextureStageState;
    c.stage = stage;
    c.state = s;
    c.value = value;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetTexture(int stage, Texture* texture) {
  HRESULT hr = DeviceBase::SetTexture(stage, texture);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kTexture;
    c.stage = stage;
    c.resource = texture;
    c.textureSerial = texture ? static_cast<TextureBase*>(texture)->Serial() : 0;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetTransform(TransformState s, const Matrix& m) {
  HRESULT hr = DeviceBase::SetTransform(s, m);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kTransform;
    c.state = s;
    c.matrix = m;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetMaterial(const Material& m) {
  HRESULT hr = DeviceBase::SetMaterial(m);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kMaterial;
    c.material = m;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetViewport(const Viewport& vp) {
  HRESULT hr = DeviceBase::SetViewport(vp);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kViewport;
    c.viewport = vp;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetVertexShader(uint32_t fvf) {
  HRESULT hr = DeviceBase::SetVertexShader(fvf);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kVertexShader;
    c.value = fvf;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetStreamSource(int stream, VertexBuffer* vb, uint32_t stride) {
  HRESULT hr = DeviceBase::SetStreamSource(stream, vb, stride);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kStreamSource;
    c.resource = vb;
    c.value = stride;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::SetIndices(IndexBuffer* ib, uint32_t baseVertex) {
  HRESULT hr = DeviceBase::SetIndices(ib, baseVertex);
  if (Succeeded(hr)) {
    NullStateChange c;
    c.kind = NullStateChange::kIndices;
    c.resource = ib;
    c.value = baseVertex;
    Record(c);
  }
  return hr;
}

HRESULT NullDevice::NewVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBufferBase** out) {
  HRESULT hr;
  if (ShouldFail(ResourceKind::kVertexBuffer, &hr)) return hr;
  *out = new NullVertexBuffer(this, bytes, fvf);
  return S_OK;
}

HRESULT NullDevice::NewIndexBuffer(uint32_t bytes, IndexBufferBase** out) {
  HRESULT hr;
  if (ShouldFail(ResourceKind::kIndexBuffer, &hr)) return hr;
  *out = new NullIndexBuffer(this, bytes);
  return S_OK;
}

HRESULT NullDevice::NewTexture(const Image& image, int levels, TextureBase** out) {
  HRESULT hr;
  if (ShouldFail(ResourceKind::kTexture, &hr)) return hr;
  *out = new NullTexture(this, image, levels);
  return S_OK;
}

HRESULT NullDevice::ExecuteDraw(const DrawCall& call) {
  ++drawCount_;
  if (!recording_) return S_OK;
  NullDraw d;
  d.type = call.type;
  d.primitiveCount = call.primitiveCount;
  d.elementCount = call.elementCount;
  d.indexed = call.indexed;
  d.userPointer = call.buffer == nullptr;
  d.insideScene = InScene();
  d.frame = presents_;
  d.fvf = call.fvf;
  d.stride = call.stride;
  d.startVertex = call.firstVertex;
  d.startIndex = call.startIndex;
  d.minIndex = call.minIndex;
  d.numVertices = call.numVertices;
  d.vertexBuffer = call.buffer;
  d.indexBuffer = call.indexBuffer;
  // Copy whole strides; the tail past the data (a last vertex shorter than the stride) reads 0.
  uint32_t count = call.indexed ? uint32_t(call.maxIndexUsed) + 1 : call.elementCount;
  size_t from = size_t(call.firstVertex) * call.stride;
  size_t bytes = size_t(count) * call.stride;
  d.vertices.assign(bytes, 0);
  std::copy_n(call.vertices + from, std::min(bytes, size_t(call.vertexBytes) - from), d.vertices.begin());
  if (call.indexed) d.indices.assign(call.indices, call.indices + call.elementCount);
  const DeviceState& s = State();
  for (int i = 0; i < kMaxTextureStages; ++i) {
    d.textures[i] = s.textures[i];
    d.textureSerials[i] = s.textures[i] ? s.textures[i]->Serial() : 0;
  }
  std::copy(std::begin(s.rs), std::end(s.rs), d.rs);
  for (int i = 0; i < kMaxTextureStages; ++i) std::copy(s.tss[i], s.tss[i] + TSS_COUNT, d.tss[i]);
  d.world = s.world;
  d.view = s.view;
  d.projection = s.projection;
  d.material = s.material;
  d.viewport = s.viewport;
  draws_.push_back(std::move(d));
  return S_OK;
}

HRESULT CreateNullDevice(int backBufferWidth, int backBufferHeight, Device** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (backBufferWidth <= 0 || backBufferHeight <= 0) return D3DERR_INVALIDCALL;
  *out = new NullDevice(backBufferWidth, backBufferHeight);
  return S_OK;
}

}  // namespace gfx
