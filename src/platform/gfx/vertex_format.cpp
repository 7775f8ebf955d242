#include "platform/gfx/vertex_format.h"

namespace gfx {
namespace {

constexpr uint32_t kPositionMask = 0x00E;
constexpr uint32_t kTexCountMask = 0xF00;
constexpr int kTexCountShift = 8;

// Components of texture coordinate set i: two bits each from bit 16; 0 = 2, 1 = 3, 2 = 4, 3 = 1.
int TexCoordFloats(uint32_t fvf, int set) {
  static constexpr int kFloats[4] = {2, 3, 4, 1};
  return kFloats[(fvf >> (16 + set * 2)) & 3];
}

}  // namespace

VertexLayout LayoutOf(uint32_t fvf) {
  VertexLayout l;
  int offset = 0;
  switch (fvf & kPositionMask) {
    case FVF_XYZ:
      l.valid = true;
      offset = 12;
      break;
    case FVF_XYZRHW:
      l.valid = true;
      l.rhw = true;
      l.positionFloats = 4;
      offset = 16;
      break;
    case 0x006: case 0x008: case 0x00A: case 0x00C: case 0x00E:
      // Position with 1..5 blend weights: sized correctly, but not drawable here.
      offset = 12 + 4 * int(((fvf & kPositionMask) - 0x004) / 2);
      break;
    default:
      break;
  }
  if (fvf & FVF_NORMAL) l.normal = offset, offset += 12;
  if (fvf & FVF_PSIZE) l.psize = offset, offset += 4;
  if (fvf & FVF_DIFFUSE) l.diffuse = offset, offset += 4;
  if (fvf & FVF_SPECULAR) l.specular = offset, offset += 4;
  int sets = int((fvf & kTexCountMask) >> kTexCountShift);
  if (sets > 8) {
    l.valid = false;
    sets = 8;
  }
  for (int i = 0; i < sets; ++i) {
    int floats = TexCoordFloats(fvf, i);
    if (i == 0) l.tex0 = offset, l.tex0Floats = floats;
    offset += 4 * floats;
  }
  l.size = offset;
  return l;
}

uint32_t VertexSize(uint32_t fvf) { return uint32_t(LayoutOf(fvf).size); }

uint64_t VerticesForPrimitives(PrimitiveType type, uint64_t n) {
  if (n == 0) return 0;
  switch (type) {
    case PT_POINTLIST: return n;
    case PT_LINELIST: return 2 * n;
    case PT_LINESTRIP: return n + 1;
    case PT_TRIANGLELIST: return 3 * n;
    case PT_TRIANGLESTRIP:
    case PT_TRIANGLEFAN: return n + 2;
  }
  return 0;
}

}  // namespace gfx
