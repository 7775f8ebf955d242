// Rasterising an SVG file with librsvg and cairo into straight (not premultiplied) RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artbuild {

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, top row first, straight alpha
};

// Renders the whole document into width x height pixels (0 x 0: the document's own size in
// pixels). False with a reason in error.
bool RenderSvg(const std::string& path, int width, int height, Raster& out, std::string& error);

}  // namespace artbuild
