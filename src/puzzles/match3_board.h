// The rules of the arcade board without any drawing: the board file, which cells exist and how
// they neighbour, the tokens on them, groups of alike tokens, removal (cells turn green), refill
// by falling, the shuffle that drops every token off the board, the no-more-matches test and the
// hint's choice. Token heights and distances are in rows, so the board needs no screen size.
// CMatch3PuzzleEnvironment keeps one, and its cells and tokens draw what it says.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class XmlDocument;

namespace match3 {

inline constexpr int kMaxSymbols = 4;
inline constexpr float kTokenShare = 0.8f;  // a token's side as a share of its cell's
inline constexpr float kLeaveFall = 0.5f * 4.5f;

struct Match3File {
  int columns = 0, rows = 0, symbols = kMaxSymbols;
  std::vector<bool> cells;  // row-major, false at holes
  bool IsCell(int column, int row) const;
};

// Nothing (and a reason in error) when there is no root or the grid has no columns or rows.
// Symbols are clamped to 1..4; short rows and missing rows are holes; children that are not
// elements are skipped.
std::optional<Match3File> ReadMatch3File(XmlDocument& doc, std::string* error = nullptr);
std::optional<Match3File> LoadMatch3File(const char* member, std::string* error = nullptr);

// Where the board and its cells lie in a scene rectangle.
struct Layout {
  float left = 0, top = 0, width = 0, height = 0, side = 0;
  int columns = 1, rows = 1;
  float CellCentreX(int column) const { return left + (float(column) + 0.5f) * width / float(columns); }
  // Also for the virtual rows above the board (negative rows) that new tokens start from.
  float RowCentreY(float row) const { return top + (row + 0.5f) * height / float(rows); }
};
Layout ComputeLayout(int columns, int rows, float sceneLeft, float sceneTop, float sceneWidth,
                     float sceneHeight);

enum Direction : int { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };

struct Cell {
  int column = 0, row = 0;
  std::array<int, 4> neighbours{-1, -1, -1, -1};  // cell indices by Direction; -1 at holes and edges
  bool green = false;
  float greenTime = 0;
  int token = -1;  // id of the token that sits on (or falls into) the cell
};

enum class TokenState { kResting, kFalling, kLeaving };

struct Token {
  int id = 0, symbol = 0;
  int cell = -1;   // -1 while leaving
  int column = 0;  // where it falls or leaves
  TokenState state = TokenState::kResting;
  float since = 0;     // when the state began
  float fromRow = 0;   // falling: the row the fall started from (negative above the board)
  float duration = 0;  // falling: seconds to the cell
};

// What one step of time did.
struct StepResult {
  std::vector<int> landed;   // token ids that reached their cells
  bool shuffleDone = false;  // the last leaving token went
};

class Board {
 public:
  using RandomFn = std::function<int()>;
  // random gives 0..32767 (the game's generator unless a test gives its own).
  explicit Board(const Match3File& file, RandomFn random = nullptr);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int Symbols() const { return symbols_; }
  int CellCount() const { return int(cells_.size()); }
  const Cell& CellAt(int index) const { return cells_[size_t(index)]; }
  int CellIndex(int column, int row) const;  // -1 at holes and outside
  int RedCount() const { return red_; }
  bool Solved() const { return red_ == 0; }

  const std::vector<Token>& Tokens() const { return tokens_; }
  const Token* FindToken(int id) const;
  const Token* TokenOn(int cell) const;  // resting or falling into it
  // No token falls or leaves.
  bool Settled() const;
  // The token's centre in rows from the board's top edge (0.5 is the middle of row 0) at now.
  float TokenRow(const Token& token, float now) const;
  // Rows below the board's top at which a leaving token's top edge has left the screen.
  void SetLeaveLimit(float rows) { leaveLimit_ = rows; }

  // The alike tokens reachable from the cell through neighbour links, starting cell first.
  // Empty unless the board is settled, a cell is still red and the cell holds a token.
  std::vector<int> GroupAt(int cell) const;
  // Removes the tokens on the cells; cells turn green (once). Returns the cells that turned green.
  // Groups of fewer than two and unsettled boards are refused (nothing happens).
  std::vector<int> Remove(const std::vector<int>& group, float now);
  // Every empty cell gets the nearest token above it in its column, or a new token that falls in
  // from the virtual rows above the board. Nothing once every cell is green.
  void Refill(float now);
  // Moves time on: falls land, leaving tokens go.
  StepResult Step(float now);
  // Every token leaves the board; refused unless settled. True when it started.
  bool StartShuffle(float now);

  // Whether some cell has a right or lower neighbour whose token shows the same symbol.
  bool HasMatch() const;
  // The cell the idle hint points at, or -1: the first matching pair's red cell in list order (or
  // its red partner), else the first pair's cell.
  int HintCell() const;
  // Every cell green at once (solving without play).
  void MarkAllGreen(float now);

 private:
  int NewToken(int cell, float fromRow, float now);
  void StartFall(Token& token, int cell, float fromRow, float now);
  Token* Find(int id);
  bool Matches(int a, int b) const;

  int columns_ = 0, rows_ = 0, symbols_ = kMaxSymbols;
  std::vector<int> slots_;  // columns x rows, cell index or -1
  std::vector<Cell> cells_;
  std::vector<Token> tokens_;
  int red_ = 0;
  int nextId_ = 1;
  float leaveLimit_ = 1e9f;
  RandomFn random_;
};

// Fall time for a drop of `rows` rows: half a second times the root of the drop in token heights.
float FallDuration(float rows);

}  // namespace match3
