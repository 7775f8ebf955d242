#include "platform/gfx/gl_shaders.h"

#include <cstdio>
#include <vector>

namespace gfx {
namespace {

constexpr const char* kUniformBlock = R"(
layout(std140) uniform Draw {
  mat4 uWvp;
  mat4 uWorldView;
  vec4 uViewport;
  vec4 uMatEmissive;
  vec4 uMatAmbient;
  vec4 uMatDiffuse;
  vec4 uAmbient;
  vec4 uTFactor;
  vec4 uFogColor;
  vec4 uFog;
  vec4 uPoint;
  vec4 uPointScale;
  ivec4 uFlags;
  ivec4 uSources;
  ivec4 uColorOp[2];
  ivec4 uAlphaOp[2];
  ivec4 uAlphaTest;
};
)";

// Matrices arrive row-major for row vectors; read as column-major they are the transposes, so
// M * v here is v * M there.
constexpr const char* kDrawVertex = R"(
layout(location = 0) in vec4 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTex;
layout(location = 3) in float aSize;
out vec4 vColor;
out vec2 vTex;
out float vFog;

float PointPixels(float distance) {
  float size = uFlags.w != 0 ? aSize : uPoint.x;
  if (uPointScale.w != 0.0) {
    float d = uPointScale.x + uPointScale.y * distance + uPointScale.z * distance * distance;
    size = uViewport.w * size * sqrt(1.0 / max(d, 1e-12));
  }
  return clamp(size, uPoint.y, uPoint.z);
}

void main() {
  bool rhw = uFlags.x != 0;
  int pointMode = uFlags.z;
  // Quad corner for expanded points: 0..3 of a strip, (0,0) top left.
  vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));

  vec4 color = aColor;
  if (!rhw && uFlags.y != 0) {
    // Lighting without lights: emissive plus ambient light times the ambient reflectance.
    vec3 emissive = uSources.z != 0 ? aColor.rgb : uMatEmissive.rgb;
    vec3 ambient = uSources.y != 0 ? aColor.rgb : uMatAmbient.rgb;
    float alpha = uSources.x != 0 ? aColor.a : uMatDiffuse.a;
    color = clamp(vec4(emissive + uAmbient.rgb * ambient, alpha), 0.0, 1.0);
  }
  vColor = color;
  vTex = aTex;
  vFog = 1.0;

  vec2 vpSize = uViewport.zw;
  vec4 clip;
  if (rhw) {
    float w = aPos.w != 0.0 ? 1.0 / aPos.w : 1.0;
    vec2 px = aPos.xy;
    if (pointMode != 0) px += (corner - 0.5) * PointPixels(0.0);
    // Pixel centres sit on integer coordinates in this convention, half a pixel off GL's. The
    // target is stored top row first (GL y grows downwards here), so GL's fill rule for shared
    // edges matches Direct3D's top-left rule.
    vec2 ndc = (px + 0.5 - uViewport.xy) / vpSize * 2.0 - 1.0;
    clip = vec4(ndc * w, (aPos.z * 2.0 - 1.0) * w, w);
  } else {
    vec4 p = vec4(aPos.xyz, 1.0);
    clip = uWvp * p;
    vec4 eye = uWorldView * p;
    if (uFog.z != 0.0) vFog = clamp((uFog.y - eye.z) / max(uFog.y - uFog.x, 1e-6), 0.0, 1.0);
    clip.y = -clip.y;                // y down, as the target is stored
    clip.z = clip.z * 2.0 - clip.w;  // depth 0..w to GL's -w..w
    clip.xy += clip.w / vpSize;      // the half-pixel shift of the pixel-centre convention
    if (pointMode != 0) clip.xy += (corner - 0.5) * 2.0 * PointPixels(length(eye.xyz)) / vpSize * clip.w;
  }
  if (pointMode == 2) vTex = corner;
  gl_Position = clip;
}
)";

constexpr const char* kDrawFragment = R"(
in vec4 vColor;
in vec2 vTex;
in float vFog;
uniform sampler2D uTex0;
uniform sampler2D uTex1;
out vec4 oColor;

vec4 Arg(int a, vec4 diffuse, vec4 current, vec4 tex) {
  int sel = a & 15;
  vec4 v = vec4(0.0);
  if (sel == 0) v = diffuse;
  else if (sel == 1) v = current;
  else if (sel == 2) v = tex;
  else if (sel == 3) v = uTFactor;
  if ((a & 32) != 0) v = v.aaaa;
  if ((a & 16) != 0) v = 1.0 - v;
  return v;
}

vec4 Op(int op, vec4 a1, vec4 a2, vec4 diffuse, vec4 current, vec4 tex) {
  if (op == 2) return a1;
  if (op == 3) return a2;
  if (op == 4) return a1 * a2;
  if (op == 5) return 2.0 * a1 * a2;
  if (op == 6) return 4.0 * a1 * a2;
  if (op == 7) return a1 + a2;
  if (op == 8) return a1 + a2 - 0.5;
  if (op == 9) return 2.0 * (a1 + a2 - 0.5);
  if (op == 10) return a1 - a2;
  if (op == 11) return a1 + a2 - a1 * a2;
  if (op == 12) return mix(a2, a1, diffuse.a);
  if (op == 13) return mix(a2, a1, tex.a);
  if (op == 14) return mix(a2, a1, uTFactor.a);
  if (op == 16) return mix(a2, a1, current.a);
  return a1;
}

bool AlphaPasses(float alpha) {
  int func = uAlphaTest.x;
  if (func == 0 || func == 8) return true;
  int a = int(clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
  int r = uAlphaTest.y;
  if (func == 1) return false;
  if (func == 2) return a < r;
  if (func == 3) return a == r;
  if (func == 4) return a <= r;
  if (func == 5) return a > r;
  if (func == 6) return a != r;
  return a >= r;
}

void main() {
  vec4 diffuse = vColor;
  vec4 current = diffuse;
  for (int s = 0; s < 2; ++s) {
    ivec4 c = uColorOp[s];
    if (c.x == 1) break;
    vec4 tex = s == 0 ? texture(uTex0, vTex) : texture(uTex1, vTex);
    vec3 rgb = Op(c.x, Arg(c.y, diffuse, current, tex), Arg(c.z, diffuse, current, tex), diffuse, current, tex).rgb;
    ivec4 a = uAlphaOp[s];
    float alpha = a.x == 1 ? current.a
        : Op(a.x, Arg(a.y, diffuse, current, tex), Arg(a.z, diffuse, current, tex), diffuse, current, tex).a;
    current = clamp(vec4(rgb, alpha), 0.0, 1.0);
  }
  if (uFog.z != 0.0) current.rgb = mix(uFogColor.rgb, current.rgb, vFog);
  if (!AlphaPasses(current.a)) discard;
  oColor = current;
}
)";

constexpr const char* kPresentVertex = R"(
out vec2 vUv;
void main() {
  vec2 p = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));
  vUv = vec2(p.x, 1.0 - p.y);  // the back buffer is stored top row first
  gl_Position = vec4(p * 2.0 - 1.0, 0.0, 1.0);
}
)";

// The ramp is indexed by the 8-bit colour value, as the display hardware would.
constexpr const char* kPresentFragment = R"(
in vec2 vUv;
uniform sampler2D uScene;
uniform sampler2D uRamp;
out vec4 oColor;
void main() {
  ivec3 i = ivec3(clamp(texture(uScene, vUv).rgb, 0.0, 1.0) * 255.0 + 0.5);
  oColor = vec4(texelFetch(uRamp, ivec2(i.r, 0), 0).r, texelFetch(uRamp, ivec2(i.g, 0), 0).g,
                texelFetch(uRamp, ivec2(i.b, 0), 0).b, 1.0);
}
)";

GLuint Compile(GLenum kind, const std::vector<const char*>& parts) {
  GLuint s = glCreateShader(kind);
  std::vector<const char*> all{"#version 330 core\n"};
  all.insert(all.end(), parts.begin(), parts.end());
  glShaderSource(s, GLsizei(all.size()), all.data(), nullptr);
  glCompileShader(s);
  GLint ok = 0;
  glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    glGetShaderInfoLog(s, sizeof log - 1, nullptr, log);
    std::fprintf(stderr, "gfx: shader compile failed: %s\n", log);
    glDeleteShader(s);
    return 0;
  }
  return s;
}

GLuint Link(const std::vector<const char*>& vs, const std::vector<const char*>& fs) {
  GLuint v = Compile(GL_VERTEX_SHADER, vs);
  GLuint f = v ? Compile(GL_FRAGMENT_SHADER, fs) : 0;
  if (!v || !f) {
    if (v) glDeleteShader(v);
    return 0;
  }
  GLuint p = glCreateProgram();
  glAttachShader(p, v);
  glAttachShader(p, f);
  glLinkProgram(p);
  glDeleteShader(v);
  glDeleteShader(f);
  GLint ok = 0;
  glGetProgramiv(p, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    glGetProgramInfoLog(p, sizeof log - 1, nullptr, log);
    std::fprintf(stderr, "gfx: program link failed: %s\n", log);
    glDeleteProgram(p);
    return 0;
  }
  return p;
}

}  // namespace

bool BuildDrawProgram(DrawProgram& out) {
  GLuint p = Link({kUniformBlock, kDrawVertex}, {kUniformBlock, kDrawFragment});
  if (!p) return false;
  GLuint block = glGetUniformBlockIndex(p, "Draw");
  if (block == GL_INVALID_INDEX) {
    glDeleteProgram(p);
    return false;
  }
  glUniformBlockBinding(p, block, 0);
  glUseProgram(p);
  glUniform1i(glGetUniformLocation(p, "uTex0"), 0);
  glUniform1i(glGetUniformLocation(p, "uTex1"), 1);
  glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &out.alignment);
  if (out.alignment <= 0) out.alignment = 256;
  out.ringBytes = 1 << 20;
  out.ringOffset = 0;
  glGenBuffers(1, &out.uniformBuffer);
  glBindBuffer(GL_UNIFORM_BUFFER, out.uniformBuffer);
  glBufferData(GL_UNIFORM_BUFFER, out.ringBytes, nullptr, GL_STREAM_DRAW);
  out.program = p;
  return true;
}

bool BuildPresentProgram(PresentProgram& out) {
  GLuint p = Link({kPresentVertex}, {kPresentFragment});
  if (!p) return false;
  glUseProgram(p);
  glUniform1i(glGetUniformLocation(p, "uScene"), 0);
  glUniform1i(glGetUniformLocation(p, "uRamp"), 1);
  out.program = p;
  return true;
}

}  // namespace gfx
