#include "platform/gfx/device_base.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace gfx {
namespace {

// Buffers are CPU copies; anything larger than this is a corrupt size, not a real request.
constexpr uint32_t kMaxBufferBytes = 256u << 20;

uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

int FullMipLevels(int w, int h) {
  int levels = 1;
  for (int size = std::max(w, h); size > 1; size /= 2) ++levels;
  return levels;
}

}  // namespace

// ---- Resources --------------------------------------------------------------------------------

ResourceCore::ResourceCore(DeviceBase* owner) : owner_(owner) {}

uint32_t ResourceCore::ReleaseCore() {
  if (refs_ == 0) return 0;  // over-release: keep the object for its bindings
  if (--refs_ > 0) return refs_;
  if (owner_) owner_->OnReleased();
  DestroyIfUnused();
  return 0;
}

void ResourceCore::Unbind() {
  if (binds_ > 0 && --binds_ == 0) DestroyIfUnused();
}

void ResourceCore::Orphan() {
  DropDeviceObjects();
  binds_ = 0;
  owner_ = nullptr;
  DestroyIfUnused();
}

void ResourceCore::DestroyIfUnused() {
  if (refs_ > 0 || binds_ > 0) return;
  if (owner_) {
    DropDeviceObjects();
    owner_->OnDestroyed(this);
  }
  delete this;
}

HRESULT CpuBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
  if (!data) return D3DERR_INVALIDCALL;
  *data = nullptr;
  if (offset > Bytes()) return D3DERR_INVALIDCALL;
  if (size == 0) size = Bytes() - offset;
  if (uint64_t(offset) + size > Bytes()) return D3DERR_INVALIDCALL;
  uint32_t end = offset + size;
  if (flags & LOCK_DISCARD) offset = 0, end = Bytes();
  if (!(flags & LOCK_READONLY)) {
    lockBegin_ = locks_ ? std::min(lockBegin_, offset) : offset;
    lockEnd_ = locks_ ? std::max(lockEnd_, end) : end;
  } else if (!locks_) {
    lockBegin_ = lockEnd_ = 0;
  }
  ++locks_;
  *data = data_.data() + offset;
  return S_OK;
}

HRESULT CpuBuffer::Unlock() {
  if (locks_ == 0) return D3DERR_INVALIDCALL;
  if (--locks_ == 0 && lockEnd_ > lockBegin_) {
    dirtyBegin_ = Dirty() ? std::min(dirtyBegin_, lockBegin_) : lockBegin_;
    dirtyEnd_ = std::max(dirtyEnd_, lockEnd_);
  }
  return S_OK;
}

void CpuBuffer::TakeDirty(uint32_t& begin, uint32_t& end) {
  begin = dirtyBegin_, end = dirtyEnd_;
  dirtyBegin_ = dirtyEnd_ = 0;
}

uint64_t TextureBase::NextSerial() {
  static std::atomic<uint64_t> next{1};
  return next++;
}

// ---- State ------------------------------------------------------------------------------------

void DeviceState::SetDefaults(int w, int h) {
  std::fill(std::begin(rs), std::end(rs), 0u);
  rs[RS_ZENABLE] = 1;
  rs[RS_FILLMODE] = 3;  // solid
  rs[RS_SHADEMODE] = SHADE_GOURAUD;
  rs[RS_ZWRITEENABLE] = 1;
  rs[RS_SRCBLEND] = BLEND_ONE;
  rs[RS_DESTBLEND] = BLEND_ZERO;
  rs[RS_CULLMODE] = CULL_CCW;
  rs[RS_ZFUNC] = CMP_LESSEQUAL;
  rs[RS_ALPHAFUNC] = CMP_ALWAYS;
  rs[RS_FOGSTART] = FloatBits(0.0f);
  rs[RS_FOGEND] = FloatBits(1.0f);
  rs[38] = FloatBits(1.0f);  // fog density
  rs[RS_TEXTUREFACTOR] = 0xFFFFFFFFu;
  rs[RS_LIGHTING] = 1;
  rs[RS_COLORVERTEX] = 1;
  rs[RS_DIFFUSEMATERIALSOURCE] = MCS_COLOR1;
  rs[146] = MCS_COLOR2;  // specular material source
  rs[RS_AMBIENTMATERIALSOURCE] = MCS_MATERIAL;
  rs[RS_EMISSIVEMATERIALSOURCE] = MCS_MATERIAL;
  rs[RS_POINTSIZE] = FloatBits(1.0f);
  rs[RS_POINTSIZE_MIN] = FloatBits(0.0f);
  rs[RS_POINTSCALE_A] = FloatBits(1.0f);
  rs[RS_POINTSIZE_MAX] = FloatBits(64.0f);
  for (int s = 0; s < kMaxTextureStages; ++s) {
    uint32_t* t = tss[s];
    std::fill(t, t + TSS_COUNT, 0u);
    t[TSS_COLOROP] = s == 0 ? TOP_MODULATE : TOP_DISABLE;
    t[TSS_COLORARG1] = TA_TEXTURE;
    t[TSS_COLORARG2] = TA_CURRENT;
    t[TSS_ALPHAOP] = s == 0 ? TOP_SELECTARG1 : TOP_DISABLE;
    t[TSS_ALPHAARG1] = TA_TEXTURE;
    t[TSS_ALPHAARG2] = TA_CURRENT;
    t[TSS_TEXCOORDINDEX] = uint32_t(s);
    t[TSS_ADDRESSU] = TADDRESS_WRAP;
    t[TSS_ADDRESSV] = TADDRESS_WRAP;
    t[TSS_MAGFILTER] = TEXF_POINT;
    t[TSS_MINFILTER] = TEXF_POINT;
    t[TSS_MIPFILTER] = TEXF_NONE;
  }
  world = view = projection = Matrix::Identity();
  for (Matrix& m : textureTransform) m = Matrix::Identity();
  material = Material{};
  viewport = Viewport{0, 0, uint32_t(std::max(w, 0)), uint32_t(std::max(h, 0)), 0.0f, 1.0f};
  fvf = 0;
  stride = 0;
  baseVertex = 0;
}

float DeviceState::RsFloat(RenderState s) const {
  float f;
  std::memcpy(&f, &rs[s], 4);
  return f;
}

// ---- Device -----------------------------------------------------------------------------------

DeviceBase::DeviceBase(int w, int h) : bbWidth_(w), bbHeight_(h) {
  state_.SetDefaults(w, h);
  for (int i = 0; i < 256; ++i) gamma_.red[i] = gamma_.green[i] = gamma_.blue[i] = uint16_t(i * 257);
}

DeviceBase::~DeviceBase() { DetachAllResources(); }

uint32_t DeviceBase::Release() {
  if (deviceRefs_ == 0) return 0;
  if (--deviceRefs_ > 0) return deviceRefs_;
  delete this;
  return 0;
}

void DeviceBase::OnCreated(ResourceCore* r) {
  all_.insert(r);
  ++live_;
}

template <class T>
void DeviceBase::Rebind(T*& slot, T* next) {
  if (slot == next) return;
  if (next) next->Bind();
  T* old = slot;
  slot = next;
  if (old) old->Unbind();
}

void DeviceBase::UnbindAll() {
  Rebind(state_.stream, static_cast<VertexBufferBase*>(nullptr));
  Rebind(state_.indices, static_cast<IndexBufferBase*>(nullptr));
  for (TextureBase*& t : state_.textures) Rebind(t, static_cast<TextureBase*>(nullptr));
}

void DeviceBase::ResetState(int w, int h) {
  UnbindAll();
  bbWidth_ = w, bbHeight_ = h;
  state_.SetDefaults(w, h);
  inScene_ = false;
}

void DeviceBase::DetachAllResources() {
  UnbindAll();
  std::vector<ResourceCore*> left(all_.begin(), all_.end());
  all_.clear();
  for (ResourceCore* r : left) r->Orphan();
}

HRESULT DeviceBase::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return S_OK;
}

HRESULT DeviceBase::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return S_OK;
}

void DeviceBase::SetGammaRamp(const GammaRamp& ramp, bool) {
  gamma_ = ramp;
  OnGammaChanged();
}

HRESULT DeviceBase::CreateVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBuffer** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (bytes == 0) return D3DERR_INVALIDCALL;
  if (bytes > kMaxBufferBytes) return E_OUTOFMEMORY;
  VertexBufferBase* vb = nullptr;
  HRESULT hr;
  try {
    hr = NewVertexBuffer(bytes, fvf, &vb);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (Failed(hr) || !vb) return Failed(hr) ? hr : E_OUTOFMEMORY;
  OnCreated(vb);
  *out = vb;
  return S_OK;
}

HRESULT DeviceBase::CreateIndexBuffer(uint32_t bytes, IndexBuffer** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (bytes == 0) return D3DERR_INVALIDCALL;
  if (bytes > kMaxBufferBytes) return E_OUTOFMEMORY;
  IndexBufferBase* ib = nullptr;
  HRESULT hr;
  try {
    hr = NewIndexBuffer(bytes, &ib);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (Failed(hr) || !ib) return Failed(hr) ? hr : E_OUTOFMEMORY;
  OnCreated(ib);
  *out = ib;
  return S_OK;
}

HRESULT DeviceBase::CreateTexture(const Image& image, int levels, Texture** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (image.width <= 0 || image.height <= 0 || levels < 0 ||
      image.pixels.size() != size_t(image.width) * size_t(image.height))
    return D3DERR_INVALIDCALL;
  if (image.width > caps_.maxTextureSize || image.height > caps_.maxTextureSize) return D3DERR_INVALIDCALL;
  int full = FullMipLevels(image.width, image.height);
  levels = levels == 0 ? full : std::min(levels, full);
  TextureBase* t = nullptr;
  HRESULT hr;
  try {
    hr = NewTexture(image, levels, &t);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (Failed(hr) || !t) return Failed(hr) ? hr : E_OUTOFMEMORY;
  OnCreated(t);
  *out = t;
  return S_OK;
}

HRESULT DeviceBase::SetRenderState(RenderState s, uint32_t value) {
  if (uint32_t(s) >= RS_COUNT) return D3DERR_INVALIDCALL;
  state_.rs[s] = value;
  return S_OK;
}

HRESULT DeviceBase::GetRenderState(RenderState s, uint32_t* value) const {
  if (uint32_t(s) >= RS_COUNT || !value) return D3DERR_INVALIDCALL;
  *value = state_.rs[s];
  return S_OK;
}

HRESULT DeviceBase::SetTextureStageState(int stage, TextureStageState s, uint32_t value) {
  if (stage < 0 || stage >= kMaxTextureStages || uint32_t(s) >= TSS_COUNT) return D3DERR_INVALIDCALL;
  state_.tss[stage][s] = value;
  return S_OK;
}

HRESULT DeviceBase::GetTextureStageState(int stage, TextureStageState s, uint32_t* value) const {
  if (stage < 0 || stage >= kMaxTextureStages || uint32_t(s) >= TSS_COUNT || !value) return D3DERR_INVALIDCALL;
  *value = state_.tss[stage][s];
  return S_OK;
}

HRESULT DeviceBase::SetTexture(int stage, Texture* texture) {
  if (stage < 0 || stage >= kMaxTextureStages) return D3DERR_INVALIDCALL;
  // Every Texture handed out by this device is a TextureBase.
  Rebind(state_.textures[stage], static_cast<TextureBase*>(texture));
  return S_OK;
}

HRESULT DeviceBase::SetTransform(TransformState s, const Matrix& m) {
  if (s == TS_WORLD) state_.world = m;
  else if (s == TS_VIEW) state_.view = m;
  else if (s == TS_PROJECTION) state_.projection = m;
  else if (s >= TS_TEXTURE0 && s < TS_TEXTURE0 + 8) state_.textureTransform[s - TS_TEXTURE0] = m;
  else return D3DERR_INVALIDCALL;
  return S_OK;
}

HRESULT DeviceBase::GetTransform(TransformState s, Matrix* m) const {
  if (!m) return D3DERR_INVALIDCALL;
  if (s == TS_WORLD) *m = state_.world;
  else if (s == TS_VIEW) *m = state_.view;
  else if (s == TS_PROJECTION) *m = state_.projection;
  else if (s >= TS_TEXTURE0 && s < TS_TEXTURE0 + 8) *m = state_.textureTransform[s - TS_TEXTURE0];
  else return D3DERR_INVALIDCALL;
  return S_OK;
}

HRESULT DeviceBase::SetMaterial(const Material& m) {
  state_.material = m;
  return S_OK;
}

HRESULT DeviceBase::GetMaterial(Material* m) const {
  if (!m) return D3DERR_INVALIDCALL;
  *m = state_.material;
  return S_OK;
}

HRESULT DeviceBase::SetViewport(const Viewport& vp) {
  // The viewport must lie inside the back buffer, as Direct3D 8 requires.
  if (vp.width == 0 || vp.height == 0 || uint64_t(vp.x) + vp.width > uint64_t(bbWidth_) ||
      uint64_t(vp.y) + vp.height > uint64_t(bbHeight_) || !(vp.minZ >= 0.0f && vp.maxZ <= 1.0f))
    return D3DERR_INVALIDCALL;
  state_.viewport = vp;
  return S_OK;
}

HRESULT DeviceBase::GetViewport(Viewport* vp) const {
  if (!vp) return D3DERR_INVALIDCALL;
  *vp = state_.viewport;
  return S_OK;
}

HRESULT DeviceBase::SetVertexShader(uint32_t fvf) {
  state_.fvf = fvf;
  return S_OK;
}

HRESULT DeviceBase::SetStreamSource(int stream, VertexBuffer* vb, uint32_t stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;  // one stream is all the formats here need
  Rebind(state_.stream, static_cast<VertexBufferBase*>(vb));
  state_.stride = stride;
  return S_OK;
}

HRESULT DeviceBase::SetIndices(IndexBuffer* ib, uint32_t baseVertex) {
  Rebind(state_.indices, static_cast<IndexBufferBase*>(ib));
  state_.baseVertex = baseVertex;
  return S_OK;
}

HRESULT DeviceBase::Draw(DrawCall& call) {
  call.fvf = state_.fvf;
  call.layout = LayoutOf(call.fvf);
  if (!call.layout.valid || call.stride < uint32_t(call.layout.size)) return D3DERR_INVALIDCALL;
  uint64_t n = VerticesForPrimitives(call.type, call.primitiveCount);
  if (n == 0) return call.primitiveCount == 0 ? S_OK : D3DERR_INVALIDCALL;
  if (n > 0x7FFFFFFFu) return D3DERR_INVALIDCALL;
  call.elementCount = uint32_t(n);
  // The highest vertex read must end inside the vertex data.
  auto vertexFits = [&](uint64_t lastVertex) {
    return lastVertex * call.stride + uint64_t(call.layout.size) <= call.vertexBytes;
  };
  if (!call.indexed) {
    if (!vertexFits(uint64_t(call.firstVertex) + n - 1)) return D3DERR_INVALIDCALL;
  } else {
    const CpuBuffer& ib = call.indexBuffer->Buffer();
    if ((uint64_t(call.startIndex) + n) * 2 > ib.Bytes()) return D3DERR_INVALIDCALL;
    call.indices = reinterpret_cast<const uint16_t*>(ib.Data()) + call.startIndex;
    uint16_t maxIndex = 0;
    for (uint32_t i = 0; i < n; ++i) maxIndex = std::max(maxIndex, call.indices[i]);
    call.maxIndexUsed = maxIndex;
    if (!vertexFits(uint64_t(call.firstVertex) + maxIndex)) return D3DERR_INVALIDCALL;
  }
  return ExecuteDraw(call);
}

HRESULT DeviceBase::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
  if (!state_.stream) return D3DERR_INVALIDCALL;
  DrawCall call;
  call.type = type;
  call.primitiveCount = primitiveCount;
  call.stride = state_.stride;
  call.buffer = state_.stream;
  call.vertices = state_.stream->Buffer().Data();
  call.vertexBytes = state_.stream->Buffer().Bytes();
  call.firstVertex = startVertex;
  return Draw(call);
}

HRESULT DeviceBase::DrawIndexedPrimitive(PrimitiveType type, uint32_t minIndex, uint32_t numVertices,
                                         uint32_t startIndex, uint32_t primitiveCount) {
  if (!state_.stream || !state_.indices) return D3DERR_INVALIDCALL;
  DrawCall call;
  call.type = type;
  call.primitiveCount = primitiveCount;
  call.stride = state_.stride;
  call.buffer = state_.stream;
  call.vertices = state_.stream->Buffer().Data();
  call.vertexBytes = state_.stream->Buffer().Bytes();
  call.firstVertex = state_.baseVertex;
  call.indexed = true;
  call.indexBuffer = state_.indices;
  call.startIndex = startIndex;
  call.minIndex = minIndex;
  call.numVertices = numVertices;
  return Draw(call);
}

HRESULT DeviceBase::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                    uint32_t stride) {
  if (!vertices) return D3DERR_INVALIDCALL;
  DrawCall call;
  call.type = type;
  call.primitiveCount = primitiveCount;
  call.stride = stride;
  call.vertices = static_cast<const uint8_t*>(vertices);
  uint64_t n = VerticesForPrimitives(type, primitiveCount);
  uint64_t size = LayoutOf(state_.fvf).size;
  call.vertexBytes = n ? uint32_t(std::min<uint64_t>((n - 1) * stride + size, 0xFFFFFFFFu)) : 0;
  HRESULT hr = Draw(call);
  // As in Direct3D 8, a user-pointer draw leaves stream 0 unset.
  Rebind(state_.stream, static_cast<VertexBufferBase*>(nullptr));
  state_.stride = 0;
  return hr;
}

}  // namespace gfx
