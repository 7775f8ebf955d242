// The OpenGL 3.3 core backend. Frames are drawn into an offscreen target of the back-buffer size;
// Present scales that target into the window and applies the gamma ramp.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <vector>

#include "platform/gfx/device_base.h"
#include "platform/gfx/gl_shaders.h"

namespace gfx {

class GLVertexBuffer final : public VertexBufferBase {
 public:
  GLVertexBuffer(DeviceBase* owner, uint32_t bytes, uint32_t fvf);
  // Binds the GL buffer to GL_ARRAY_BUFFER with every change since the last draw uploaded.
  void BindForDraw();

 protected:
  void DropDeviceObjects() override;

 private:
  GLuint vbo_ = 0;
  bool allocated_ = false;
};

class GLIndexBuffer final : public IndexBufferBase {
 public:
  GLIndexBuffer(DeviceBase* owner, uint32_t bytes);
  // Binds to GL_ELEMENT_ARRAY_BUFFER (of the bound vertex array) with changes uploaded.
  void BindForDraw();

 protected:
  void DropDeviceObjects() override;

 private:
  GLuint ebo_ = 0;
  bool allocated_ = false;
};

class GLTexture final : public TextureBase {
 public:
  GLTexture(DeviceBase* owner, int w, int h, int levels, GLuint name) : TextureBase(owner, w, h, levels), name_(name) {}
  GLuint Name() const { return name_; }

 protected:
  void DropDeviceObjects() override;

 private:
  GLuint name_;
};

// Fixed GL state with redundant changes filtered out.
struct GLStateCache {
  bool valid = false;
  bool blend = false;
  GLenum srcBlend = GL_ONE, dstBlend = GL_ZERO;
  bool depthTest = false, depthWrite = true, depthClamp = false;
  GLenum depthFunc = GL_LEQUAL;
  GLint viewport[4] = {};
  float depthRange[2] = {0, 1};
};

class GLDevice final : public DeviceBase {
 public:
  GLDevice(SDL_Window* window, SDL_GLContext context, int w, int h);
  ~GLDevice() override;
  // Builds programs and targets; false when this GL cannot run them.
  bool Init();

  HRESULT TestCooperativeLevel() override { return S_OK; }
  HRESULT Present() override;
  HRESULT Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) override;
  HRESULT Reset(int backBufferWidth, int backBufferHeight, bool windowed) override;
  bool VsyncActive() const override { return vsync_; }
  bool ReadBackBuffer(Image& out) override;
  bool ReadWindowImage(Image& out) override;

 protected:
  HRESULT NewVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBufferBase** out) override;
  HRESULT NewIndexBuffer(uint32_t bytes, IndexBufferBase** out) override;
  HRESULT NewTexture(const Image& image, int levels, TextureBase** out) override;
  HRESULT ExecuteDraw(const DrawCall& call) override;
  void OnGammaChanged() override;

 private:
  bool CreateTarget(int w, int h);
  void DestroyTarget();
  void DrawFinalPass(int drawableW, int drawableH);
  void BindTarget();
  // GL state for a draw.
  void ApplyFixedState(bool rhw);
  void ApplySamplers();
  void ApplyUniforms(const DrawCall& call, bool pointMode);
  void SetupAttributes(const VertexLayout& layout, uint32_t stride, size_t baseOffset, bool perInstance);
  HRESULT DrawUserVertices(const DrawCall& call, const uint8_t* data, uint32_t bytes, uint32_t first,
                           uint32_t count);

  SDL_Window* window_;
  SDL_GLContext context_;
  bool vsync_ = false;
  bool offscreenDriver_ = false;

  DrawProgram draw_;
  PresentProgram present_;
  GLuint vao_ = 0, presentVao_ = 0;
  GLuint streamVbo_ = 0;  // user-pointer draws and gathered point lists
  GLuint whiteTexture_ = 0;
  GLuint rampTexture_ = 0;
  GLuint samplers_[kMaxTextureStages] = {};
  uint32_t samplerState_[kMaxTextureStages][4] = {};  // addressU, addressV, min, mag+mip packed
  bool samplersValid_ = false;
  GLuint fbo_ = 0, colorTex_ = 0, depthRb_ = 0;

  GLStateCache cache_;
  DrawUniforms lastUniforms_{};
  bool uniformsValid_ = false;
  std::vector<uint8_t> gather_;
};

}  // namespace gfx
