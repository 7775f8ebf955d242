// artbuild INPUT.svg OUTPUT [--size WxH] [--quality Q]
// The output's extension picks the format: .png (with alpha), .jpg (over black), .tga (32-bit,
// top-left origin). Transparent pixels take the colour of their nearest visible neighbours so that
// filtering and mip levels show no dark fringes.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "image_writers.h"
#include "raster.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: artbuild INPUT.svg OUTPUT.{png,jpg,tga} [--size WxH] [--quality 1..100]\n"
               "Rasterises an SVG art source. Without --size the SVG's own width and height in pixels\n"
               "are used. JPEG quality defaults to 90.\n");
  return 2;
}

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

// A few passes of colour bleeding: every fully transparent pixel next to a visible one takes their
// average colour (alpha stays 0).
void BleedColour(artbuild::Raster& img) {
  const int w = img.width, h = img.height;
  std::vector<uint8_t> known(size_t(w) * h);
  for (size_t i = 0; i < known.size(); ++i) known[i] = img.rgba[i * 4 + 3] != 0;
  for (int pass = 0; pass < 8; ++pass) {
    std::vector<uint8_t> next = known;
    bool changed = false;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const size_t i = size_t(y) * w + x;
        if (known[i]) continue;
        unsigned sum[3] = {}, n = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
            const size_t j = size_t(ny) * w + nx;
            if (!known[j]) continue;
            for (int c = 0; c < 3; ++c) sum[c] += img.rgba[j * 4 + c];
            ++n;
          }
        }
        if (!n) continue;
        for (int c = 0; c < 3; ++c) img.rgba[i * 4 + c] = uint8_t((sum[c] + n / 2) / n);
        next[i] = 1;
        changed = true;
      }
    }
    known.swap(next);
    if (!changed) break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string input = argv[1], output = argv[2];
  int width = 0, height = 0, quality = 90;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) return Usage();
    } else if (arg == "--quality" && i + 1 < argc) {
      quality = std::atoi(argv[++i]);
      if (quality < 1 || quality > 100) return Usage();
    } else {
      return Usage();
    }
  }
  const std::string ext = LowerExtension(output);
  if (ext != ".png" && ext != ".jpg" && ext != ".jpeg" && ext != ".tga") {
    std::fprintf(stderr, "artbuild: %s: the output must end in .png, .jpg or .tga\n", output.c_str());
    return 1;
  }

  artbuild::Raster image;
  std::string error;
  if (!artbuild::RenderSvg(input, width, height, image, error)) {
    std::fprintf(stderr, "artbuild: %s: %s\n", input.c_str(), error.c_str());
    return 1;
  }
  if (ext != ".jpg" && ext != ".jpeg") BleedColour(image);

  std::error_code ec;
  const auto parent = std::filesystem::path(output).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  bool ok = false;
  if (ext == ".png")
    ok = artbuild::WritePng(output, image, error);
  else if (ext == ".tga")
    ok = artbuild::WriteTga(output, image, error);
  else
    ok = artbuild::WriteJpeg(output, image, quality, error);
  if (!ok) {
    std::fprintf(stderr, "artbuild: %s: %s\n", output.c_str(), error.c_str());
    std::filesystem::remove(output, ec);
    return 1;
  }
  return 0;
}
