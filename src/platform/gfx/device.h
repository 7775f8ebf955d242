// The drawing device the game sees. Its shape follows the fixed-function device the game was written
// for (render states, texture stage states, transforms, a material, flexible vertex formats), so game
// code reads like its description; the numeric values of the enums are that device's own.
// Two backends: OpenGL 3.3 core (one shader pair emulating the fixed-function subset) and a recording
// null backend for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace os {
class Window;
}

namespace gfx {

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = int32_t(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = int32_t(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = int32_t(0x80070057u);
constexpr HRESULT D3DERR_DEVICELOST = int32_t(0x88760868u);
constexpr HRESULT D3DERR_DEVICENOTRESET = int32_t(0x88760869u);
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = int32_t(0x8876017Cu);
constexpr HRESULT D3DERR_INVALIDCALL = int32_t(0x8876086Cu);
inline bool Failed(HRESULT hr) { return hr < 0; }
inline bool Succeeded(HRESULT hr) { return hr >= 0; }

struct Matrix {
  float m[4][4];  // row-major, row vectors (v' = v * M), as Direct3D 8 keeps them
  static Matrix Identity();
};
Matrix operator*(const Matrix& a, const Matrix& b);

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};
struct Material {
  ColorValue diffuse, ambient, specular, emissive;
  float power = 0;
};
struct Viewport {
  uint32_t x = 0, y = 0, width = 0, height = 0;
  float minZ = 0, maxZ = 1;
};

enum RenderState : uint32_t {
  RS_ZENABLE = 7,
  RS_FILLMODE = 8,
  RS_SHADEMODE = 9,
  RS_ZWRITEENABLE = 14,
  RS_ALPHATESTENABLE = 15,
  RS_SRCBLEND = 19,
  RS_DESTBLEND = 20,
  RS_CULLMODE = 22,
  RS_ZFUNC = 23,
  RS_ALPHAREF = 24,
  RS_ALPHAFUNC = 25,
  RS_DITHERENABLE = 26,
  RS_ALPHABLENDENABLE = 27,
  RS_FOGENABLE = 28,
  RS_SPECULARENABLE = 29,
  RS_FOGCOLOR = 34,
  RS_FOGTABLEMODE = 35,
  RS_FOGSTART = 36,  // float bits
  RS_FOGEND = 37,    // float bits
  RS_ZBIAS = 47,
  RS_TEXTUREFACTOR = 60,
  RS_LIGHTING = 137,
  RS_AMBIENT = 139,
  RS_FOGVERTEXMODE = 140,
  RS_COLORVERTEX = 141,
  RS_NORMALIZENORMALS = 143,
  RS_DIFFUSEMATERIALSOURCE = 145,
  RS_AMBIENTMATERIALSOURCE = 147,
  RS_EMISSIVEMATERIALSOURCE = 148,
  RS_POINTSIZE = 154,      // float bits
  RS_POINTSIZE_MIN = 155,  // float bits
  RS_POINTSPRITEENABLE = 156,
  RS_POINTSCALEENABLE = 157,
  RS_POINTSCALE_A = 158,
  RS_POINTSCALE_B = 159,
  RS_POINTSCALE_C = 160,
  RS_POINTSIZE_MAX = 166,  // float bits
  RS_COUNT = 256,
};
enum : uint32_t { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };
enum : uint32_t { SHADE_FLAT = 1, SHADE_GOURAUD = 2 };
enum : uint32_t {
  BLEND_ZERO = 1, BLEND_ONE = 2, BLEND_SRCCOLOR = 3, BLEND_INVSRCCOLOR = 4, BLEND_SRCALPHA = 5,
  BLEND_INVSRCALPHA = 6, BLEND_DESTALPHA = 7, BLEND_INVDESTALPHA = 8, BLEND_DESTCOLOR = 9,
  BLEND_INVDESTCOLOR = 10,
};
enum : uint32_t {
  CMP_NEVER = 1, CMP_LESS = 2, CMP_EQUAL = 3, CMP_LESSEQUAL = 4, CMP_GREATER = 5, CMP_NOTEQUAL = 6,
  CMP_GREATEREQUAL = 7, CMP_ALWAYS = 8,
};
enum : uint32_t { FOG_NONE = 0, FOG_EXP = 1, FOG_EXP2 = 2, FOG_LINEAR = 3 };
enum : uint32_t { MCS_MATERIAL = 0, MCS_COLOR1 = 1, MCS_COLOR2 = 2 };

enum TextureStageState : uint32_t {
  TSS_COLOROP = 1,
  TSS_COLORARG1 = 2,
  TSS_COLORARG2 = 3,
  TSS_ALPHAOP = 4,
  TSS_ALPHAARG1 = 5,
  TSS_ALPHAARG2 = 6,
  TSS_TEXCOORDINDEX = 11,
  TSS_ADDRESSU = 13,
  TSS_ADDRESSV = 14,
  TSS_MAGFILTER = 16,
  TSS_MINFILTER = 17,
  TSS_MIPFILTER = 18,
  TSS_TEXTURETRANSFORMFLAGS = 24,
  TSS_COUNT = 32,
};
enum : uint32_t {
  TOP_DISABLE = 1, TOP_SELECTARG1 = 2, TOP_SELECTARG2 = 3, TOP_MODULATE = 4, TOP_MODULATE2X = 5,
  TOP_MODULATE4X = 6, TOP_ADD = 7,
};
enum : uint32_t { TA_DIFFUSE = 0, TA_CURRENT = 1, TA_TEXTURE = 2, TA_TFACTOR = 3 };
enum : uint32_t { TEXF_NONE = 0, TEXF_POINT = 1, TEXF_LINEAR = 2 };
enum : uint32_t { TADDRESS_WRAP = 1, TADDRESS_MIRROR = 2, TADDRESS_CLAMP = 3 };
constexpr int kMaxTextureStages = 2;

enum TransformState : uint32_t { TS_VIEW = 2, TS_PROJECTION = 3, TS_TEXTURE0 = 16, TS_WORLD = 256 };

enum PrimitiveType : uint32_t {
  PT_POINTLIST = 1, PT_LINELIST = 2, PT_LINESTRIP = 3, PT_TRIANGLELIST = 4, PT_TRIANGLESTRIP = 5,
  PT_TRIANGLEFAN = 6,
};

// Flexible vertex format bits; the game uses the three combinations below.
enum : uint32_t {
  FVF_XYZ = 0x002, FVF_XYZRHW = 0x004, FVF_NORMAL = 0x010, FVF_PSIZE = 0x020, FVF_DIFFUSE = 0x040,
  FVF_SPECULAR = 0x080, FVF_TEX1 = 0x100,
};
constexpr uint32_t FVF_POS_UV = FVF_XYZ | FVF_TEX1;                          // 20 bytes
constexpr uint32_t FVF_RHW_PSIZE_COLOR = FVF_XYZRHW | FVF_PSIZE | FVF_DIFFUSE;  // 24 bytes
constexpr uint32_t FVF_RHW_COLOR_UV = FVF_XYZRHW | FVF_DIFFUSE | FVF_TEX1;     // 28 bytes
uint32_t VertexSize(uint32_t fvf);

struct VertexPosUv {
  float x, y, z;
  float u, v;
};
struct VertexRhwPsizeColor {
  float x, y, z, rhw;
  float size;
  uint32_t color;
};
struct VertexRhwColorUv {
  float x, y, z, rhw;
  uint32_t color;
  float u, v;
};
static_assert(sizeof(VertexPosUv) == 20 && sizeof(VertexRhwPsizeColor) == 24 && sizeof(VertexRhwColorUv) == 28);

// Lock flags
enum : uint32_t { LOCK_DISCARD = 0x2000, LOCK_NOOVERWRITE = 0x1000, LOCK_READONLY = 0x10 };

// Resources are reference counted like Direct3D 8's COM objects: Release() frees at zero.
class Resource {
 public:
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

 protected:
  virtual ~Resource() = default;
};

class VertexBuffer : public Resource {
 public:
  // Lock a range (size 0 = to the end); the pointer stays valid until Unlock. Buffers keep a CPU
  // copy, so locking cannot fail for a valid range.
  virtual HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags = 0) = 0;
  virtual HRESULT Unlock() = 0;
  virtual uint32_t Size() const = 0;
  virtual uint32_t Fvf() const = 0;
};

class IndexBuffer : public Resource {  // 16-bit indices
 public:
  virtual HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags = 0) = 0;
  virtual HRESULT Unlock() = 0;
  virtual uint32_t Size() const = 0;
};

// A decoded image: width * height pixels of 0xAARRGGBB, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

class Texture : public Resource {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int Levels() const = 0;
};

struct Caps {
  bool fullscreenGamma = true;
  bool canCalibrateGamma = false;
  float maxPointSize = 64.0f;
  int maxTextureSize = 4096;
};

struct GammaRamp {
  uint16_t red[256], green[256], blue[256];
};

class Device : public Resource {
 public:
  // Frame
  virtual HRESULT TestCooperativeLevel() = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Present() = 0;
  enum : uint32_t { CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2, CLEAR_STENCIL = 4 };
  virtual HRESULT Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) = 0;
  // Resets the back buffer to a new size. All resources stay valid in our backends; render states,
  // stage states, transforms, material and viewport return to their defaults and every binding
  // (textures, stream, indices) is dropped, as Direct3D 8 does.
  virtual HRESULT Reset(int backBufferWidth, int backBufferHeight, bool windowed) = 0;
  virtual void BackBufferSize(int& w, int& h) const = 0;
  virtual Caps GetCaps() const = 0;
  virtual void SetGammaRamp(const GammaRamp& ramp, bool calibrate) = 0;
  // Whether Present waits for the display's vertical blank (otherwise the shell paces frames).
  virtual bool VsyncActive() const = 0;
  virtual void GetGammaRamp(GammaRamp& ramp) const = 0;

  // Resources
  virtual HRESULT CreateVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBuffer** out) = 0;
  virtual HRESULT CreateIndexBuffer(uint32_t bytes, IndexBuffer** out) = 0;
  // levels 0 = a full mip chain generated from the image; 1 = a single level.
  virtual HRESULT CreateTexture(const Image& image, int levels, Texture** out) = 0;
  // Live resources created by this device and not yet released (leak checks). A resource released
  // while still bound stays usable by the device until unbound, but no longer counts here.
  virtual int LiveResourceCount() const = 0;

  // State
  virtual HRESULT SetRenderState(RenderState state, uint32_t value) = 0;
  virtual HRESULT GetRenderState(RenderState state, uint32_t* value) const = 0;
  virtual HRESULT SetTextureStageState(int stage, TextureStageState state, uint32_t value) = 0;
  virtual HRESULT GetTextureStageState(int stage, TextureStageState state, uint32_t* value) const = 0;
  virtual HRESULT SetTexture(int stage, Texture* texture) = 0;  // null samples opaque white
  virtual HRESULT SetTransform(TransformState state, const Matrix& m) = 0;
  virtual HRESULT GetTransform(TransformState state, Matrix* m) const = 0;
  virtual HRESULT SetMaterial(const Material& m) = 0;
  virtual HRESULT GetMaterial(Material* m) const = 0;
  virtual HRESULT SetViewport(const Viewport& vp) = 0;
  virtual HRESULT GetViewport(Viewport* vp) const = 0;
  virtual HRESULT SetVertexShader(uint32_t fvf) = 0;  // Direct3D 8 sets the FVF this way
  virtual HRESULT SetStreamSource(int stream, VertexBuffer* vb, uint32_t stride) = 0;
  virtual HRESULT SetIndices(IndexBuffer* ib, uint32_t baseVertex) = 0;

  // Draws
  virtual HRESULT DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) = 0;
  virtual HRESULT DrawIndexedPrimitive(PrimitiveType type, uint32_t minIndex, uint32_t numVertices,
                                       uint32_t startIndex, uint32_t primitiveCount) = 0;
  // Draws refuse (D3DERR_INVALIDCALL) anything that would read outside their buffers.
  // DrawPrimitiveUP leaves stream 0 unset afterwards, as Direct3D 8 does.
  virtual HRESULT DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                  uint32_t stride) = 0;

  // Reads the back buffer (top row first, 0xAARRGGBB) for screenshots and render tests.
  virtual bool ReadBackBuffer(Image& out) = 0;
  // Runs the final pass (scaling into the window, gamma ramp) without presenting and reads the
  // window's drawable back, bars included. For render tests; false where there is no window.
  virtual bool ReadWindowImage(Image& out) {
    out = Image{};
    return false;
  }
};

// The GL backend draws into an offscreen target of the back-buffer size, then scales it into the
// largest centred 4:3 viewport of the window's drawable and applies the gamma ramp there.
HRESULT CreateGLDevice(os::Window& window, int backBufferWidth, int backBufferHeight, bool windowed,
                       Device** out);

// The null backend draws nothing and records every state change and draw for tests.
HRESULT CreateNullDevice(int backBufferWidth, int backBufferHeight, Device** out);

bool SavePng(const std::string& path, const Image& image);

}  // namespace gfx
