// Circuit file bytes -> fuse box description -> a board scrambled, turned, reset, solved and
// flooded. Whatever the bytes, the board stays inside its grid, every turn ends inside one full
// turn, and the flood never powers more tiles than there are.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/random.h"
#include "data/xml_document.h"
#include "puzzles/circuit_board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlDocument doc;
  doc.LoadBytes(data, size);
  const std::optional<circuit::CircuitFile> file = circuit::ReadCircuitFile(doc);
  if (!file) return 0;
  if (file->columns < 1 || file->rows < 1 || file->columns > 64 || file->rows > 64) std::abort();
  if (file->powerRow < 0 || file->powerRow >= file->rows) std::abort();
  GameRandom().Seed(uint32_t(size));
  circuit::Board board(*file);
  if (board.Count() > file->columns * file->rows) std::abort();
  board.Scramble();
  for (int i = 0; i < board.Count(); ++i) board.Turn(i, i % 2 == 0);
  board.Reset();
  for (int k = 0; k < 200 && board.AnyTurning(); ++k) board.Advance(0.05f);
  board.SolveNow();
  for (int k = 0; k < 200 && board.AnyTurning(); ++k) board.Advance(0.05f);
  if (board.AnyTurning()) std::abort();
  for (int i = 0; i < board.Count(); ++i) {
    const circuit::Tile& t = board.At(i);
    if (!(t.angle >= 0 && t.angle < circuit::kFullTurn)) std::abort();
    if (board.TileAt(t.column, t.row) != i) std::abort();
  }
  if (board.Flood() > board.Count()) std::abort();
  return 0;
}
