// Cutting a picture into the game's jigsaw pieces: three rows of four square cells of 146 pixels,
// each piece a 256 x 256 picture with its cell in the middle and round tabs reaching into (or
// blanks taken from) its neighbours; the photograph's outer edges stay straight. Neighbouring
// pieces are cut along the same curves, so their edges meet without a gap or an overlap.
#pragma once

#include <cstdint>

#include "raster.h"

namespace jigsawcut {

inline constexpr int kRows = 3, kColumns = 4;
inline constexpr int kCell = 146, kPieceSize = 256, kMargin = (kPieceSize - kCell) / 2;
inline constexpr int kSourceWidth = 585, kSourceHeight = 439;

// The tab on each inner edge: which side it grows from, where along the edge and how big.
struct Tabs {
  // Vertical edges between columns c and c + 1 of row r: [r][c]; horizontal edges between rows r
  // and r + 1 of column c: [r][c].
  struct Tab {
    bool towardsSecond;  // the tab grows from the left (upper) cell into the right (lower) one
    float along;         // centre along the edge, in cell units from the edge's start
    float radius;        // pixels
  };
  Tab vertical[kRows][kColumns - 1];
  Tab horizontal[kRows - 1][kColumns];
};

// A deterministic set of tabs from a seed.
Tabs MakeTabs(uint32_t seed);
// The cell (row * kColumns + column) that owns the source point, or -1 outside the picture.
int OwnerAt(const Tabs& tabs, float x, float y);
// Piece (row, column), 0-based, cut from source (kSourceWidth x kSourceHeight).
artbuild::Raster CutPiece(const artbuild::Raster& source, const Tabs& tabs, int row, int column);
// The whole picture with its mended tears lightly marked along the grid.
void MarkCreases(artbuild::Raster& picture);

}  // namespace jigsawcut
