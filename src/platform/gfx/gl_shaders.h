// The GL backend's programs: one pair emulating the fixed-function pipeline the game uses, and the
// final pass that scales the back buffer into the window and applies the gamma ramp.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <string>

namespace gfx {

// Vertex attribute locations of the draw program.
enum : GLuint { kAttrPosition = 0, kAttrColor = 1, kAttrTexCoord = 2, kAttrPointSize = 3 };

// Everything the draw program reads per draw, in std140 layout (vec4-sized members only).
struct alignas(16) DrawUniforms {
  float wvp[16];            // world * view * projection, row-vector convention
  float worldView[16];      // world * view (fog distance, point scaling)
  float viewport[4];        // x, y, width, height in back-buffer pixels
  float matEmissive[4];
  float matAmbient[4];
  float matDiffuse[4];
  float ambientLight[4];
  float textureFactor[4];
  float fogColor[4];
  float fog[4];             // start, end, enabled (0/1), unused
  float point[4];           // size from the render state, minimum, maximum, unused
  float pointScale[4];      // A, B, C, enabled (0/1)
  int32_t flags[4];         // pre-transformed, lighting, point mode (0 none, 1 points, 2 sprites), per-vertex size
  int32_t sources[4];       // diffuse, ambient, emissive taken from the vertex colour (0/1)
  int32_t colorOp[2][4];    // per stage: op, arg1, arg2
  int32_t alphaOp[2][4];
  int32_t alphaTest[4];     // comparison (0 = off), reference 0..255
};

// Per-draw uniforms are streamed through a ring in one buffer: each changed set goes to fresh
// bytes, so a write never waits for an earlier draw to finish reading.
struct DrawProgram {
  GLuint program = 0;
  GLuint uniformBuffer = 0;
  GLsizeiptr ringBytes = 0;
  GLintptr ringOffset = 0;
  GLint alignment = 256;
};

struct PresentProgram {
  GLuint program = 0;
};

// Compile errors go to standard error; false leaves nothing allocated.
bool BuildDrawProgram(DrawProgram& out);
bool BuildPresentProgram(PresentProgram& out);

}  // namespace gfx
