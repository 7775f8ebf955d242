// Turning a validated draw and the device state into GL calls.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/gl_device.h"

namespace gfx {
namespace {

GLenum BlendFactor(uint32_t b) {
  switch (b) {
    case BLEND_ZERO: return GL_ZERO;
    case BLEND_ONE: return GL_ONE;
    case BLEND_SRCCOLOR: return GL_SRC_COLOR;
    case BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case BLEND_SRCALPHA: return GL_SRC_ALPHA;
    case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case BLEND_DESTALPHA: return GL_DST_ALPHA;
    case BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case BLEND_DESTCOLOR: return GL_DST_COLOR;
    case BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case 11: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
  }
}

GLenum CompareFunc(uint32_t f) { return (f >= CMP_NEVER && f <= CMP_ALWAYS) ? GL_NEVER + (f - CMP_NEVER) : GL_ALWAYS; }

GLint AddressMode(uint32_t a) {
  switch (a) {
    case TADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case TADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case 4: return GL_CLAMP_TO_BORDER;  // border colour: transparent black
    case 5: return GL_CLAMP_TO_EDGE;    // mirror once: closest we have
    default: return GL_REPEAT;
  }
}

GLint MinFilter(uint32_t min, uint32_t mip) {
  bool linear = min >= TEXF_LINEAR;
  if (mip == TEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  if (mip >= TEXF_LINEAR) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  return linear ? GL_LINEAR : GL_NEAREST;
}

void UnpackColor(uint32_t argb, float out[4]) {
  out[0] = float((argb >> 16) & 0xFF) / 255.0f;
  out[1] = float((argb >> 8) & 0xFF) / 255.0f;
  out[2] = float(argb & 0xFF) / 255.0f;
  out[3] = float(argb >> 24) / 255.0f;
}

void CopyColor(const ColorValue& c, float out[4]) {
  out[0] = c.r, out[1] = c.g, out[2] = c.b, out[3] = c.a;
}

float FiniteOr(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

GLenum GlMode(PrimitiveType t) {
  switch (t) {
    case PT_POINTLIST: return GL_POINTS;
    case PT_LINELIST: return GL_LINES;
    case PT_LINESTRIP: return GL_LINE_STRIP;
    case PT_TRIANGLELIST: return GL_TRIANGLES;
    case PT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case PT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
  }
  return GL_TRIANGLES;
}

}  // namespace

void GLDevice::ApplyFixedState(bool rhw) {
  const uint32_t* rs = state_.rs;
  GLStateCache want;
  want.valid = true;
  want.blend = rs[RS_ALPHABLENDENABLE] != 0;
  want.srcBlend = BlendFactor(rs[RS_SRCBLEND]);
  want.dstBlend = BlendFactor(rs[RS_DESTBLEND]);
  if (rs[RS_SRCBLEND] == 12) want.srcBlend = GL_SRC_ALPHA, want.dstBlend = GL_ONE_MINUS_SRC_ALPHA;
  if (rs[RS_SRCBLEND] == 13) want.srcBlend = GL_ONE_MINUS_SRC_ALPHA, want.dstBlend = GL_SRC_ALPHA;
  want.depthTest = rs[RS_ZENABLE] != 0;
  want.depthWrite = rs[RS_ZWRITEENABLE] != 0;
  want.depthFunc = CompareFunc(rs[RS_ZFUNC]);
  // Pre-transformed vertices are placed, not clipped, in depth.
  want.depthClamp = rhw;
  const Viewport& vp = state_.viewport;
  want.viewport[0] = GLint(vp.x);
  want.viewport[1] = GLint(vp.y);  // the target is stored top row first
  want.viewport[2] = GLint(vp.width);
  want.viewport[3] = GLint(vp.height);
  want.depthRange[0] = rhw ? 0.0f : vp.minZ;
  want.depthRange[1] = rhw ? 1.0f : vp.maxZ;

  bool all = !cache_.valid;
  if (all || want.blend != cache_.blend) want.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  if (all || want.srcBlend != cache_.srcBlend || want.dstBlend != cache_.dstBlend)
    glBlendFunc(want.srcBlend, want.dstBlend);
  if (all || want.depthTest != cache_.depthTest) want.depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
  if (all || want.depthWrite != cache_.depthWrite) glDepthMask(want.depthWrite ? GL_TRUE : GL_FALSE);
  if (all || want.depthFunc != cache_.depthFunc) glDepthFunc(want.depthFunc);
  if (all || want.depthClamp != cache_.depthClamp)
    want.depthClamp ? glEnable(GL_DEPTH_CLAMP) : glDisable(GL_DEPTH_CLAMP);
  if (all || std::memcmp(want.viewport, cache_.viewport, sizeof want.viewport) != 0)
    glViewport(want.viewport[0], want.viewport[1], want.viewport[2], want.viewport[3]);
  if (all || want.depthRange[0] != cache_.depthRange[0] || want.depthRange[1] != cache_.depthRange[1])
    glDepthRange(want.depthRange[0], want.depthRange[1]);
  if (all) {
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CULL_FACE);  // culling stays off: some of the game's fans are wound the other way
    glBlendEquation(GL_FUNC_ADD);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  }
  cache_ = want;
}

void GLDevice::ApplySamplers() {
  for (int s = 0; s < kMaxTextureStages; ++s) {
    const uint32_t* t = state_.tss[s];
    uint32_t want[4] = {t[TSS_ADDRESSU], t[TSS_ADDRESSV], t[TSS_MINFILTER], (t[TSS_MAGFILTER] << 16) | t[TSS_MIPFILTER]};
    if (!samplersValid_ || std::memcmp(want, samplerState_[s], sizeof want) != 0) {
      GLuint smp = samplers_[s];
      glSamplerParameteri(smp, GL_TEXTURE_WRAP_S, AddressMode(want[0]));
      glSamplerParameteri(smp, GL_TEXTURE_WRAP_T, AddressMode(want[1]));
      glSamplerParameteri(smp, GL_TEXTURE_MIN_FILTER, MinFilter(t[TSS_MINFILTER], t[TSS_MIPFILTER]));
      glSamplerParameteri(smp, GL_TEXTURE_MAG_FILTER, t[TSS_MAGFILTER] >= TEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
      std::memcpy(samplerState_[s], want, sizeof want);
    }
    glActiveTexture(GL_TEXTURE0 + GLenum(s));
    TextureBase* tex = state_.textures[s];
    glBindTexture(GL_TEXTURE_2D, tex ? static_cast<GLTexture*>(tex)->Name() : whiteTexture_);
    glBindSampler(GLuint(s), samplers_[s]);
  }
  glActiveTexture(GL_TEXTURE0);
  samplersValid_ = true;
}

void GLDevice::ApplyUniforms(const DrawCall& call, bool pointMode) {
  const DeviceState& st = state_;
  const uint32_t* rs = st.rs;
  bool rhw = call.layout.rhw;
  DrawUniforms u{};
  Matrix wv = st.world * st.view;
  Matrix wvp = wv * st.projection;
  std::memcpy(u.wvp, wvp.m, sizeof u.wvp);
  std::memcpy(u.worldView, wv.m, sizeof u.worldView);
  u.viewport[0] = float(st.viewport.x);
  u.viewport[1] = float(st.viewport.y);
  u.viewport[2] = float(std::max(st.viewport.width, 1u));
  u.viewport[3] = float(std::max(st.viewport.height, 1u));
  CopyColor(st.material.emissive, u.matEmissive);
  CopyColor(st.material.ambient, u.matAmbient);
  CopyColor(st.material.diffuse, u.matDiffuse);
  UnpackColor(rs[RS_AMBIENT], u.ambientLight);
  UnpackColor(rs[RS_TEXTUREFACTOR], u.textureFactor);
  UnpackColor(rs[RS_FOGCOLOR], u.fogColor);
  bool linearFog = rs[RS_FOGVERTEXMODE] == FOG_LINEAR || rs[RS_FOGTABLEMODE] == FOG_LINEAR;
  u.fog[0] = FiniteOr(st.RsFloat(RS_FOGSTART), 0.0f);
  u.fog[1] = FiniteOr(st.RsFloat(RS_FOGEND), 1.0f);
  u.fog[2] = (rs[RS_FOGENABLE] && linearFog && !rhw) ? 1.0f : 0.0f;
  float maxSize = std::min(FiniteOr(st.RsFloat(RS_POINTSIZE_MAX), 64.0f), 64.0f);
  float minSize = std::max(FiniteOr(st.RsFloat(RS_POINTSIZE_MIN), 1.0f), 1.0f);
  maxSize = std::max(maxSize, 1.0f);
  u.point[0] = FiniteOr(st.RsFloat(RS_POINTSIZE), 1.0f);
  u.point[1] = std::min(minSize, maxSize);
  u.point[2] = maxSize;
  u.pointScale[0] = FiniteOr(st.RsFloat(RS_POINTSCALE_A), 1.0f);
  u.pointScale[1] = FiniteOr(st.RsFloat(RS_POINTSCALE_B), 0.0f);
  u.pointScale[2] = FiniteOr(st.RsFloat(RS_POINTSCALE_C), 0.0f);
  u.pointScale[3] = (rs[RS_POINTSCALEENABLE] && !rhw) ? 1.0f : 0.0f;
  u.flags[0] = rhw ? 1 : 0;
  u.flags[1] = rs[RS_LIGHTING] ? 1 : 0;
  u.flags[2] = pointMode ? (rs[RS_POINTSPRITEENABLE] ? 2 : 1) : 0;
  u.flags[3] = call.layout.psize >= 0 ? 1 : 0;
  // Material colours come from the vertex only when it has one and colour-vertex is on.
  bool vertexColor = rs[RS_COLORVERTEX] && call.layout.diffuse >= 0;
  u.sources[0] = vertexColor && rs[RS_DIFFUSEMATERIALSOURCE] == MCS_COLOR1;
  u.sources[1] = vertexColor && rs[RS_AMBIENTMATERIALSOURCE] == MCS_COLOR1;
  u.sources[2] = vertexColor && rs[RS_EMISSIVEMATERIALSOURCE] == MCS_COLOR1;
  for (int s = 0; s < kMaxTextureStages; ++s) {
    const uint32_t* t = st.tss[s];
    u.colorOp[s][0] = int32_t(t[TSS_COLOROP]);
    u.colorOp[s][1] = int32_t(t[TSS_COLORARG1]);
    u.colorOp[s][2] = int32_t(t[TSS_COLORARG2]);
    u.alphaOp[s][0] = int32_t(t[TSS_ALPHAOP]);
    u.alphaOp[s][1] = int32_t(t[TSS_ALPHAARG1]);
    u.alphaOp[s][2] = int32_t(t[TSS_ALPHAARG2]);
  }
  u.alphaTest[0] = rs[RS_ALPHATESTENABLE] ? int32_t(rs[RS_ALPHAFUNC]) : 0;
  u.alphaTest[1] = int32_t(rs[RS_ALPHAREF] & 0xFF);

  if (!uniformsValid_ || std::memcmp(&u, &lastUniforms_, sizeof u) != 0) {
    GLintptr step = (GLintptr(sizeof u) + draw_.alignment - 1) / draw_.alignment * draw_.alignment;
    glBindBuffer(GL_UNIFORM_BUFFER, draw_.uniformBuffer);
    if (draw_.ringOffset + step > draw_.ringBytes) {
      // Ring full: fresh storage; draws still in flight keep the old.
      glBufferData(GL_UNIFORM_BUFFER, draw_.ringBytes, nullptr, GL_STREAM_DRAW);
      draw_.ringOffset = 0;
    }
    void* dst = glMapBufferRange(GL_UNIFORM_BUFFER, draw_.ringOffset, sizeof u,
                                 GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    if (dst) {
      std::memcpy(dst, &u, sizeof u);
      glUnmapBuffer(GL_UNIFORM_BUFFER);
    } else {
      glBufferSubData(GL_UNIFORM_BUFFER, draw_.ringOffset, sizeof u, &u);
    }
    glBindBufferRange(GL_UNIFORM_BUFFER, 0, draw_.uniformBuffer, draw_.ringOffset, sizeof u);
    draw_.ringOffset += step;
    lastUniforms_ = u;
    uniformsValid_ = true;
  }
}

void GLDevice::SetupAttributes(const VertexLayout& l, uint32_t stride, size_t base, bool perInstance) {
  GLuint divisor = perInstance ? 1 : 0;
  auto at = [&](int offset) { return reinterpret_cast<const void*>(base + size_t(offset)); };
  auto attrib = [&](GLuint index, int offset, GLint size, GLenum type, GLboolean normalized, float d0, float d1,
                    float d2, float d3) {
    if (offset >= 0) {
      glEnableVertexAttribArray(index);
      glVertexAttribPointer(index, size, type, normalized, GLsizei(stride), at(offset));
      glVertexAttribDivisor(index, divisor);
    } else {
      glDisableVertexAttribArray(index);
      glVertexAttrib4f(index, d0, d1, d2, d3);
    }
  };
  attrib(kAttrPosition, 0, l.positionFloats, GL_FLOAT, GL_FALSE, 0, 0, 0, 1);
  // A format without a colour draws white.
  attrib(kAttrColor, l.diffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 1, 1, 1, 1);
  attrib(kAttrTexCoord, l.tex0, std::min(l.tex0Floats, 2), GL_FLOAT, GL_FALSE, 0, 0, 0, 1);
  attrib(kAttrPointSize, l.psize, 1, GL_FLOAT, GL_FALSE, 1, 0, 0, 1);
}

HRESULT GLDevice::DrawUserVertices(const DrawCall& call, const uint8_t* data, uint32_t bytes, uint32_t first,
                                   uint32_t count) {
  glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
  glBufferData(GL_ARRAY_BUFFER, bytes, data, GL_STREAM_DRAW);
  if (call.type == PT_POINTLIST) {
    SetupAttributes(call.layout, call.stride, size_t(first) * call.stride, true);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, GLsizei(count));
  } else {
    SetupAttributes(call.layout, call.stride, 0, false);
    glDrawArrays(GlMode(call.type), GLint(first), GLsizei(count));
  }
  return S_OK;
}

HRESULT GLDevice::ExecuteDraw(const DrawCall& call) {
  SDL_GL_MakeCurrent(window_, context_);
  BindTarget();
  glUseProgram(draw_.program);
  glBindVertexArray(vao_);
  bool points = call.type == PT_POINTLIST;
  ApplyFixedState(call.layout.rhw);
  ApplySamplers();
  ApplyUniforms(call, points);

  if (points && call.indexed) {
    // Points are drawn as instanced quads, which cannot follow an index list: gather them.
    gather_.resize(size_t(call.elementCount) * call.stride);
    for (uint32_t k = 0; k < call.elementCount; ++k) {
      size_t from = (size_t(call.firstVertex) + call.indices[k]) * call.stride;
      size_t n = std::min<size_t>(call.stride, call.vertexBytes - from);
      std::memcpy(gather_.data() + size_t(k) * call.stride, call.vertices + from, n);
    }
    return DrawUserVertices(call, gather_.data(), uint32_t(gather_.size()), 0, call.elementCount);
  }
  if (!call.buffer) return DrawUserVertices(call, call.vertices, call.vertexBytes, call.firstVertex, call.elementCount);

  static_cast<GLVertexBuffer*>(call.buffer)->BindForDraw();
  if (points) {
    SetupAttributes(call.layout, call.stride, size_t(call.firstVertex) * call.stride, true);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, GLsizei(call.elementCount));
  } else if (!call.indexed) {
    SetupAttributes(call.layout, call.stride, 0, false);
    glDrawArrays(GlMode(call.type), GLint(call.firstVertex), GLsizei(call.elementCount));
  } else {
    SetupAttributes(call.layout, call.stride, 0, false);
    static_cast<GLIndexBuffer*>(call.indexBuffer)->BindForDraw();
    glDrawElementsBaseVertex(GlMode(call.type), GLsizei(call.elementCount), GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(size_t(call.startIndex) * 2), GLint(call.firstVertex));
  }
  return S_OK;
}

}  // namespace gfx
