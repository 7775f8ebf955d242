// contactsheet OUT.png COLUMNS IN.png...: each picture reduced to 320 x 240 by averaging, placed in
// reading order on a dark ground with a small gap. Pictures that cannot be read leave a red cell,
// so a missing screenshot shows on the sheet too.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gfx/device.h"
#include "platform/gfx/image_decode.h"

namespace {

constexpr int kCellW = 320, kCellH = 240, kGap = 6;
constexpr uint32_t kGround = 0xFF1A1612, kMissing = 0xFF802020;

// The average of the source pixels that fall into each cell pixel.
void Reduce(const gfx::Image& in, gfx::Image& out, int x0, int y0) {
  for (int y = 0; y < kCellH; ++y)
    for (int x = 0; x < kCellW; ++x) {
      const int sx0 = x * in.width / kCellW, sx1 = std::max(sx0 + 1, (x + 1) * in.width / kCellW);
      const int sy0 = y * in.height / kCellH, sy1 = std::max(sy0 + 1, (y + 1) * in.height / kCellH);
      uint64_t sum[3] = {0, 0, 0};
      for (int sy = sy0; sy < sy1; ++sy)
        for (int sx = sx0; sx < sx1; ++sx) {
          const uint32_t p = in.pixels[size_t(sy) * size_t(in.width) + size_t(sx)];
          sum[0] += (p >> 16) & 0xFF;
          sum[1] += (p >> 8) & 0xFF;
          sum[2] += p & 0xFF;
        }
      const uint64_t n = uint64_t(sx1 - sx0) * uint64_t(sy1 - sy0);
      out.pixels[size_t(y0 + y) * size_t(out.width) + size_t(x0 + x)] =
          0xFF000000u | uint32_t(sum[0] / n) << 16 | uint32_t(sum[1] / n) << 8 | uint32_t(sum[2] / n);
    }
}

}  // namespace

int main(int argc, char** argv) {
  const int columns = argc > 3 ? std::atoi(argv[2]) : 0;
  if (argc < 4 || columns < 1) {
    std::fprintf(stderr, "usage: contactsheet OUT.png COLUMNS IN.png...\n");
    return 2;
  }
  const int count = argc - 3;
  const int rows = (count + columns - 1) / columns;
  gfx::Image sheet;
  sheet.width = kGap + columns * (kCellW + kGap);
  sheet.height = kGap + rows * (kCellH + kGap);
  sheet.pixels.assign(size_t(sheet.width) * size_t(sheet.height), kGround);
  int missing = 0;
  for (int i = 0; i < count; ++i) {
    const int x0 = kGap + (i % columns) * (kCellW + kGap), y0 = kGap + (i / columns) * (kCellH + kGap);
    gfx::Image shot;
    std::string error;
    if (gfx::LoadImageFile(argv[3 + i], shot, &error) && shot.width > 0 && shot.height > 0) {
      Reduce(shot, sheet, x0, y0);
      continue;
    }
    std::fprintf(stderr, "contactsheet: %s: %s\n", argv[3 + i], error.c_str());
    ++missing;
    for (int y = 0; y < kCellH; ++y)
      std::fill_n(&sheet.pixels[size_t(y0 + y) * size_t(sheet.width) + size_t(x0)], kCellW, kMissing);
  }
  if (!gfx::SavePng(argv[1], sheet)) {
    std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[1]);
    return 2;
  }
  return missing ? 1 : 0;
}
