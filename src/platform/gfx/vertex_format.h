// Flexible-vertex-format layout: where each element of a vertex sits, and how many vertices a
// primitive list uses. Shared by both backends.
#pragma once

#include <cstdint>

#include "platform/gfx/device.h"

namespace gfx {

struct VertexLayout {
  bool valid = false;    // a position we can draw (XYZ or XYZRHW)
  bool rhw = false;      // pre-transformed: x, y in back-buffer pixels, z screen depth, 1/w
  int size = 0;          // bytes per vertex
  int positionFloats = 3;
  // Byte offsets within a vertex; -1 when absent.
  int normal = -1, psize = -1, diffuse = -1, specular = -1, tex0 = -1;
  int tex0Floats = 0;  // components of the first texture coordinate set
};

VertexLayout LayoutOf(uint32_t fvf);

// Vertices a draw of primitiveCount primitives reads (0 for an unknown type). 64-bit so that
// hostile counts cannot wrap.
uint64_t VerticesForPrimitives(PrimitiveType type, uint64_t primitiveCount);

}  // namespace gfx
