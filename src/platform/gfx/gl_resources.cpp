// GL objects behind the CPU-side buffers and the textures. Buffers upload lazily: a draw sends
// only the bytes changed since the previous draw that used them.
#include "platform/gfx/gl_device.h"

namespace gfx {
namespace {

void UploadDirty(GLenum target, GLuint name, CpuBuffer& buffer, bool& allocated) {
  glBindBuffer(target, name);
  if (!allocated) {
    glBufferData(target, buffer.Bytes(), buffer.Data(), GL_DYNAMIC_DRAW);
    allocated = true;
    uint32_t b, e;
    buffer.TakeDirty(b, e);
    return;
  }
  if (!buffer.Dirty()) return;
  uint32_t begin, end;
  buffer.TakeDirty(begin, end);
  if (begin == 0 && end == buffer.Bytes()) {
    // A whole rewrite: let the driver hand us fresh storage instead of waiting for the old.
    glBufferData(target, buffer.Bytes(), buffer.Data(), GL_DYNAMIC_DRAW);
  } else {
    glBufferSubData(target, begin, end - begin, buffer.Data() + begin);
  }
}

}  // namespace

GLVertexBuffer::GLVertexBuffer(DeviceBase* owner, uint32_t bytes, uint32_t fvf)
    : VertexBufferBase(owner, bytes, fvf) {
  glGenBuffers(1, &vbo_);
}

void GLVertexBuffer::BindForDraw() { UploadDirty(GL_ARRAY_BUFFER, vbo_, Buffer(), allocated_); }

void GLVertexBuffer::DropDeviceObjects() {
  if (vbo_) glDeleteBuffers(1, &vbo_);
  vbo_ = 0;
}

GLIndexBuffer::GLIndexBuffer(DeviceBase* owner, uint32_t bytes) : IndexBufferBase(owner, bytes) {
  glGenBuffers(1, &ebo_);
}

void GLIndexBuffer::BindForDraw() { UploadDirty(GL_ELEMENT_ARRAY_BUFFER, ebo_, Buffer(), allocated_); }

void GLIndexBuffer::DropDeviceObjects() {
  if (ebo_) glDeleteBuffers(1, &ebo_);
  ebo_ = 0;
}

void GLTexture::DropDeviceObjects() {
  if (name_) glDeleteTextures(1, &name_);
  name_ = 0;
}

HRESULT GLDevice::NewVertexBuffer(uint32_t bytes, uint32_t fvf, VertexBufferBase** out) {
  *out = new GLVertexBuffer(this, bytes, fvf);
  return S_OK;
}

HRESULT GLDevice::NewIndexBuffer(uint32_t bytes, IndexBufferBase** out) {
  *out = new GLIndexBuffer(this, bytes);
  return S_OK;
}

HRESULT GLDevice::NewTexture(const Image& image, int levels, TextureBase** out) {
  while (glGetError() != GL_NO_ERROR) {
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // 0xAARRGGBB words, first row at t = 0: texture coordinate v = 0 is the top of the picture.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               image.pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
  if (levels > 1) glGenerateMipmap(GL_TEXTURE_2D);
  GLenum err = glGetError();
  if (err != GL_NO_ERROR) {
    glDeleteTextures(1, &name);
    return err == GL_OUT_OF_MEMORY ? D3DERR_OUTOFVIDEOMEMORY : E_FAIL;
  }
  // Stage 0's binding was disturbed; the next draw rebinds.
  samplersValid_ = false;
  *out = new GLTexture(this, image.width, image.height, levels, name);
  return S_OK;
}

}  // namespace gfx
