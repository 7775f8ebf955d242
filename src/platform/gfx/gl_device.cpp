#include "platform/gfx/gl_device.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/gfx/letterbox.h"
#include "platform/os/host.h"

namespace gfx {

GLDevice::GLDevice(SDL_Window* window, SDL_GLContext context, int w, int h)
    : DeviceBase(w, h), window_(window), context_(context) {}

bool GLDevice::Init() {
  const char* driver = SDL_GetCurrentVideoDriver();
  offscreenDriver_ = driver && std::strcmp(driver, "offscreen") == 0;
  // The offscreen driver has no display to wait for, whatever the swap interval says.
  vsync_ = SDL_GL_SetSwapInterval(1) == 0 && !offscreenDriver_;

  if (!BuildDrawProgram(draw_) || !BuildPresentProgram(present_)) return false;
  glGenVertexArrays(1, &vao_);
  glGenVertexArrays(1, &presentVao_);
  glGenBuffers(1, &streamVbo_);
  glGenSamplers(kMaxTextureStages, samplers_);

  const uint32_t white = 0xFFFFFFFFu;
  glGenTextures(1, &whiteTexture_);
  glBindTexture(GL_TEXTURE_2D, whiteTexture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);

  glGenTextures(1, &rampTexture_);
  glBindTexture(GL_TEXTURE_2D, rampTexture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  OnGammaChanged();

  GLint maxTex = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTex);
  caps_.maxTextureSize = std::clamp(maxTex, 256, 16384);
  caps_.fullscreenGamma = true;
  caps_.canCalibrateGamma = false;
  caps_.maxPointSize = 64.0f;

  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  if (!CreateTarget(bbWidth_, bbHeight_)) return false;
  return glGetError() == GL_NO_ERROR;
}

GLDevice::~GLDevice() {
  SDL_GL_MakeCurrent(window_, context_);
  DetachAllResources();
  DestroyTarget();
  if (draw_.program) glDeleteProgram(draw_.program);
  if (draw_.uniformBuffer) glDeleteBuffers(1, &draw_.uniformBuffer);
  if (present_.program) glDeleteProgram(present_.program);
  if (vao_) glDeleteVertexArrays(1, &vao_);
  if (presentVao_) glDeleteVertexArrays(1, &presentVao_);
  if (streamVbo_) glDeleteBuffers(1, &streamVbo_);
  if (samplers_[0]) glDeleteSamplers(kMaxTextureStages, samplers_);
  if (whiteTexture_) glDeleteTextures(1, &whiteTexture_);
  if (rampTexture_) glDeleteTextures(1, &rampTexture_);
  SDL_GL_MakeCurrent(window_, nullptr);
  SDL_GL_DeleteContext(context_);
}

bool GLDevice::CreateTarget(int w, int h) {
  glGenTextures(1, &colorTex_);
  glBindTexture(GL_TEXTURE_2D, colorTex_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glGenRenderbuffers(1, &depthRb_);
  glBindRenderbuffer(GL_RENDERBUFFER, depthRb_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
  glGenFramebuffers(1, &fbo_);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTex_, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthRb_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    std::fprintf(stderr, "gfx: the %dx%d back buffer is not usable\n", w, h);
    return false;
  }
  // The back buffer has no alpha of its own, like an X8R8G8B8 target: alpha stays 1 and is
  // never written, so screenshots are opaque and DESTALPHA blends read 1.
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  cache_.valid = false;
  return true;
}

void GLDevice::DestroyTarget() {
  if (fbo_) glDeleteFramebuffers(1, &fbo_);
  if (colorTex_) glDeleteTextures(1, &colorTex_);
  if (depthRb_) glDeleteRenderbuffers(1, &depthRb_);
  fbo_ = colorTex_ = depthRb_ = 0;
}

void GLDevice::BindTarget() { glBindFramebuffer(GL_FRAMEBUFFER, fbo_); }

HRESULT GLDevice::Reset(int w, int h, bool) {
  if (w <= 0 || h <= 0 || w > caps_.maxTextureSize || h > caps_.maxTextureSize) return D3DERR_INVALIDCALL;
  SDL_GL_MakeCurrent(window_, context_);
  DestroyTarget();
  ResetState(w, h);
  samplersValid_ = false;
  uniformsValid_ = false;
  if (!CreateTarget(w, h)) return E_FAIL;
  return S_OK;
}

HRESULT GLDevice::Clear(uint32_t flags, uint32_t argb, float z, uint32_t) {
  BindTarget();
  const Viewport& vp = state_.viewport;
  // Clears cover the viewport only.
  glEnable(GL_SCISSOR_TEST);
  glScissor(GLint(vp.x), GLint(vp.y), GLsizei(vp.width), GLsizei(vp.height));
  GLbitfield bits = 0;
  if (flags & CLEAR_TARGET) {
    glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                 float(argb & 0xFF) / 255.0f, 1.0f);
    bits |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & CLEAR_ZBUFFER) {
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glDepthMask(GL_TRUE);
    bits |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & CLEAR_STENCIL) bits |= GL_STENCIL_BUFFER_BIT;
  if (bits) glClear(bits);
  glDisable(GL_SCISSOR_TEST);
  cache_.valid = false;  // the depth mask may have changed
  return S_OK;
}

void GLDevice::OnGammaChanged() {
  if (!rampTexture_) return;
  uint16_t texels[256 * 4];
  for (int i = 0; i < 256; ++i) {
    texels[i * 4 + 0] = gamma_.red[i];
    texels[i * 4 + 1] = gamma_.green[i];
    texels[i * 4 + 2] = gamma_.blue[i];
    texels[i * 4 + 3] = 0xFFFF;
  }
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, rampTexture_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16, 256, 1, 0, GL_RGBA, GL_UNSIGNED_SHORT, texels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glActiveTexture(GL_TEXTURE0);
  samplersValid_ = false;
}

void GLDevice::DrawFinalPass(int dw, int dh) {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_CLAMP);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glViewport(0, 0, dw, dh);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  PixelRect r = Letterbox43(dw, dh);
  if (r.width > 0 && r.height > 0) {
    glViewport(r.x, dh - r.y - r.height, r.width, r.height);
    glDepthRange(0.0, 1.0);
    glUseProgram(present_.program);
    glBindVertexArray(presentVao_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colorTex_);
    glBindSampler(0, 0);
    glBindSampler(1, 0);
    // Exact copy at 1:1, smooth scaling otherwise.
    GLint filter = (r.width == bbWidth_ && r.height == bbHeight_) ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, rampTexture_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glActiveTexture(GL_TEXTURE0);
  }
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  cache_.valid = false;
  samplersValid_ = false;
  uniformsValid_ = false;
  BindTarget();
}

HRESULT GLDevice::Present() {
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  DrawFinalPass(dw, dh);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (offscreenDriver_) glFinish();  // this driver's swap does not flush
  SDL_GL_SwapWindow(window_);
  BindTarget();
  return S_OK;
}

namespace {

// Reads the bound framebuffer; flip turns GL's bottom-up rows into top row first.
void ReadPixels(int w, int h, bool flip, Image& out) {
  out.width = w;
  out.height = h;
  out.pixels.assign(size_t(w) * size_t(h), 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, out.pixels.data());
  if (!flip) return;
  for (int y = 0; y < h / 2; ++y)
    std::swap_ranges(out.pixels.begin() + ptrdiff_t(y) * w, out.pixels.begin() + ptrdiff_t(y + 1) * w,
                     out.pixels.begin() + ptrdiff_t(h - 1 - y) * w);
}

}  // namespace

bool GLDevice::ReadBackBuffer(Image& out) {
  glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
  ReadPixels(bbWidth_, bbHeight_, false, out);  // already top row first
  for (uint32_t& p : out.pixels) p |= 0xFF000000u;
  return glGetError() == GL_NO_ERROR;
}

bool GLDevice::ReadWindowImage(Image& out) {
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  if (dw <= 0 || dh <= 0) return false;
  DrawFinalPass(dw, dh);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  ReadPixels(dw, dh, true, out);
  BindTarget();
  return glGetError() == GL_NO_ERROR;
}

HRESULT CreateGLDevice(os::Window& window, int w, int h, bool, Device** out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (w <= 0 || h <= 0) return D3DERR_INVALIDCALL;
  auto* sdlWindow = static_cast<SDL_Window*>(window.NativeHandle());
  if (!sdlWindow) return E_FAIL;
  SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
  if (!context) {
    std::fprintf(stderr, "gfx: no OpenGL 3.3 core context: %s\n", SDL_GetError());
    return E_FAIL;
  }
  if (SDL_GL_MakeCurrent(sdlWindow, context) != 0 || epoxy_gl_version() < 33 || epoxy_is_desktop_gl() == 0) {
    std::fprintf(stderr, "gfx: OpenGL 3.3 core is required\n");
    SDL_GL_DeleteContext(context);
    return E_FAIL;
  }
  auto* device = new GLDevice(sdlWindow, context, w, h);
  if (!device->Init()) {
    device->Release();
    return E_FAIL;
  }
  *out = device;
  return S_OK;
}

}  // namespace gfx
