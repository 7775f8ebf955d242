// Jigsaw file bytes -> jigsaw description -> a board solved from it. Whatever the bytes, the
// picture names are well formed, flags outside the story's range address nothing, and the solved
// layout is complete with finite positions.
#include "puzzles/jigsaw_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "data/xml_document.h"
#include "player/flag_set.h"
#include "puzzles/jigsaw_board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlDocument doc;
  doc.LoadBytes(data, size);
  const std::optional<jigsaw::JigsawFile> file = jigsaw::ReadJigsawFile(doc);
  if (!file) return 0;
  if (file->PieceName(3, 4).size() != file->path.size() + 11) std::abort();
  if (file->BackgroundName().rfind(file->path, 0) != 0) std::abort();
  FlagSet flags;
  flags.Set(file->startedFlag);
  flags.Set(file->solvedFlag);
  if (file->exitVenue && file->exitVenue->empty()) std::abort();
  jigsaw::Board board(204.8f, 0.0f);
  board.Solve(307.2f, 322.6f);
  if (!board.IsComplete()) std::abort();
  for (int i = 0; i < jigsaw::kPieces; ++i)
    if (!std::isfinite(board.At(i).x) || !std::isfinite(board.At(i).y)) std::abort();
  return 0;
}
