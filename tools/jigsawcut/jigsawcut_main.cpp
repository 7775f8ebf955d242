// jigsawcut SOURCE.svg PIECE_DIR [--solution SOLUTION.tga] [--seed N]
// Renders the source picture at 585 x 439 and cuts it into PIECE_DIR/Piece<row><column>.tga (rows
// 1..3, columns 1..4; 32-bit TGA, top-left origin, alpha = hit mask). With --solution it also
// writes the whole picture with its creases (128 x 96), for a jigsaw whose prize has no painting
// of its own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "image_writers.h"
#include "jigsaw_cut.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: jigsawcut SOURCE.svg PIECE_DIR [--solution SOLUTION.tga] [--seed N]\n"
               "Cuts the twelve jigsaw pieces Piece11.tga .. Piece34.tga (and the mended picture).\n");
  return 2;
}

bool Write(const std::string& path, const artbuild::Raster& image) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  std::string error;
  if (artbuild::WriteTga(path, image, error)) return true;
  std::fprintf(stderr, "jigsawcut: %s: %s\n", path.c_str(), error.c_str());
  std::filesystem::remove(path, ec);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string source = argv[1], pieceDir = argv[2];
  std::string solution;
  uint32_t seed = 4;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seed" && i + 1 < argc)
      seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
    else if (arg == "--solution" && i + 1 < argc)
      solution = argv[++i];
    else
      return Usage();
  }
  artbuild::Raster picture;
  std::string error;
  if (!artbuild::RenderSvg(source, jigsawcut::kSourceWidth, jigsawcut::kSourceHeight, picture, error)) {
    std::fprintf(stderr, "jigsawcut: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  const jigsawcut::Tabs tabs = jigsawcut::MakeTabs(seed);
  for (int r = 0; r < jigsawcut::kRows; ++r) {
    for (int c = 0; c < jigsawcut::kColumns; ++c) {
      char name[32];
      std::snprintf(name, sizeof name, "Piece%d%d.tga", r + 1, c + 1);
      if (!Write((std::filesystem::path(pieceDir) / name).string(), jigsawcut::CutPiece(picture, tabs, r, c)))
        return 1;
    }
  }
  if (solution.empty()) return 0;
  artbuild::Raster mended;
  if (!artbuild::RenderSvg(source, 128, 96, mended, error)) {
    std::fprintf(stderr, "jigsawcut: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  jigsawcut::MarkCreases(mended);
  return Write(solution, mended) ? 0 : 1;
}
