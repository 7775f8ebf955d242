// The rules of the fuse-box circuit without any drawing: the data file, the wire tiles with their
// connection masks, random start turns, quarter turns animated over time, Reset and solve-now, and
// the flood of power from the cable's row. CCircuitPuzzleEnvironment keeps one and its wire tiles
// draw what it says.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class XmlDocument;

namespace circuit {

// Connection directions of a tile's mask.
enum Direction : int { kLeft = 1, kUp = 2, kRight = 4, kDown = 8 };
// Wire types of the file; anything else is an empty cell.
enum WireType : int { kEmpty = 0, kElbow = 1, kFork = 2, kStraight = 3, kCross = 4 };

inline constexpr float kQuarter = 1.57079632679489661923f;
inline constexpr float kFullTurn = 4 * kQuarter;

struct CircuitFile {
  std::string background;
  int columns = 0, rows = 0, powerRow = 0;
  std::array<int, 4> rect{};  // left, top, right, bottom in the 1024 x 768 frame
  // Per row (top to bottom, at most `rows`), one entry per column: wire types outside 1..4 are
  // stored as 0, solution quarters in 0..3 (a missing solution is 0).
  std::vector<std::vector<int>> wires, solutions;
};

// Nothing (and why, in error) when the root is missing, the grid has no cells or more than 64 a
// side, the rectangle has
// no width or height, or the power row lies outside the grid.
std::optional<CircuitFile> ReadCircuitFile(XmlDocument& doc, std::string* error = nullptr);
std::optional<CircuitFile> LoadCircuitFile(const char* member, std::string* error = nullptr);

// The quarter an angle rests nearest to, 0..3 (2 pi - epsilon is quarter 0, negative angles wrap).
int QuarterIndex(float angle);
// The connection mask of a wire type at a quarter (0 for empty cells).
int ConnectionMask(int type, int quarter);
// The opposite direction of a single direction bit.
int Opposite(int direction);

struct Tile {
  int type = kEmpty;
  int column = 0, row = 0;
  float angle = 0;     // current angle, radians, clockwise on screen
  float start = 0;     // the random starting angle Reset returns to
  float solution = 0;  // the angle solve-now turns to
  float target = 0;    // where a running turn ends
  bool turning = false;
  bool forwards = false;  // direction of the running turn
  bool powered = false;
  // Tiles at the four neighbouring cells (-1 where there is none).
  int left = -1, up = -1, right = -1, down = -1;

  // What this tile connects now; nothing while it turns.
  int Mask() const { return turning ? 0 : ConnectionMask(type, QuarterIndex(angle)); }
};

class Board {
 public:
  // Tiles in row order from the file; every tile rests at angle 0 until Scramble.
  explicit Board(const CircuitFile& file);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int PowerRow() const { return powerRow_; }
  int Count() const { return int(tiles_.size()); }
  const Tile& At(int i) const { return tiles_[size_t(i)]; }
  int TileAt(int column, int row) const;  // -1 when the cell is empty or outside

  // Random start turns for every tile but the crosses (which stay at 0); a board that would start
  // fully powered is rolled again (a bounded number of times: some boards can never be unsolved).
  void Scramble();
  // A quarter turn forwards (left button) or backwards; false when the tile is a cross, already
  // turning, or the board is solved.
  bool Turn(int i, bool forwards);
  // Every tile turns back to its starting angle / to its solution angle, the way that comparison
  // of angles gives. Crosses never turn.
  void Reset();
  void SolveNow();
  // Advances every running turn by pi * dt radians; the indices of the tiles whose turn ended.
  std::vector<int> Advance(float dt);
  bool AnyTurning() const;

  // Clears every tile's power and floods it again from column 0 of the power row; returns how many
  // tiles are powered.
  int Flood();
  bool AllPowered() const;

  bool Solved() const { return solved_; }
  void MarkSolved() { solved_ = true; }
  // Tests and tools: put a tile at an angle with no animation.
  void Place(int i, float angle);

 private:
  void TurnTo(Tile& t, float target);

  int columns_ = 0, rows_ = 0, powerRow_ = 0;
  std::vector<Tile> tiles_;
  std::vector<int> cells_;  // tile index per cell, -1 for empty
  bool solved_ = false;
};

}  // namespace circuit
