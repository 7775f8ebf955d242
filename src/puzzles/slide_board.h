// The rules of the sliding-block lockbox without any drawing: the data file, where the blocks lie,
// how far a picked-up block may travel, when it thumps against a limit and when it leaves through
// the exit. CSlidePuzzleEnvironment keeps one and its blocks draw what it says.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class XmlDocument;

namespace slide {

struct Cell {
  int column = 0, row = 0;
};

struct TokenDef {
  int id = 0;
  Cell start, end;
};

struct SlideFile {
  std::string background, prize;
  int columns = 0, rows = 0, exitRow = 0, exitLimit = 0, prizeToken = 0;
  std::array<int, 4> rectangle{};  // left, top, right, bottom in the 1024 x 768 frame
  int inventoryId = 0;
  std::string inventoryImage, inventorySingular, inventoryPlural;
  std::vector<TokenDef> tokens;
};

// Nothing when the root is missing or the grid has no cells.
std::optional<SlideFile> ReadSlideFile(XmlDocument& doc);
std::optional<SlideFile> LoadSlideFile(const char* member);

// A block's picture: "Horizontal" when both ends share a row, else "Vertical", and its length.
std::string BlockPictureName(const TokenDef& token);

struct Rect {
  float left = 0, top = 0, right = 0, bottom = 0;
  float Width() const { return right - left; }
  float Height() const { return bottom - top; }
  float CentreX() const { return (left + right) / 2; }
  float CentreY() const { return (top + bottom) / 2; }
};

// The side a dragged block rests against.
enum Side : int { kNone = 0, kTop = 1, kBottom = 2, kLeft = 3, kRight = 4 };

struct Block {
  int id = 0;
  bool horizontal = false;
  Rect rect, start;
};

// What one pointer move did to the dragged block.
struct MoveResult {
  bool thump = false;   // touched a limit it was not already resting against
  bool exited = false;  // reached the exit: the puzzle is solved and the drag is over
};

class Board {
 public:
  // grid: the board in screen units; exitX: where a block in the exit row has left the board.
  Board(const Rect& grid, int columns, int rows, int exitRow, float exitX);
  // From the file, its rectangle mapped by scale and offset from the 1024 x 768 frame.
  static Board FromFile(const SlideFile& file, float scaleX, float scaleY, float offsetX, float offsetY);

  // A block over the cells from one end to the other, shrunk about its centre so neighbours never
  // touch. Its index.
  int AddBlock(int id, Cell a, Cell b);

  const Rect& Grid() const { return grid_; }
  float CellWidth() const { return cellW_; }
  float CellHeight() const { return cellH_; }
  float ExitX() const { return exitX_; }
  int Count() const { return int(blocks_.size()); }
  const Block& At(int i) const { return blocks_[size_t(i)]; }
  int IndexOf(int id) const;            // -1 when no block has that ID
  int BlockAt(float x, float y) const;  // -1 when none

  // Picking up computes the limits against the grid edges, the exit and the other blocks as they
  // lie now. False when solved or another block is held.
  bool Pick(int index);
  int Dragged() const { return dragged_; }
  float Lower() const { return lower_; }
  float Upper() const { return upper_; }
  Side Resting() const { return resting_; }
  // Moves the held block's centre along its axis towards `centre`, clamped to the limits.
  MoveResult MoveTo(float centre);
  void Release() { dragged_ = -1; }

  bool Solved() const { return solved_; }
  void MarkSolved() { solved_ = true, dragged_ = -1; }
  // Every block back where it started; ignored once solved.
  void Reset();
  // Moves a block without rules (the prize sliding out).
  void Place(int index, float centreX, float centreY);

 private:
  Rect grid_;
  float cellW_ = 0, cellH_ = 0, exitX_ = 0;
  int exitRow_ = 0;
  std::vector<Block> blocks_;
  int dragged_ = -1;
  float lower_ = 0, upper_ = 0;
  bool exitOpen_ = false;
  Side resting_ = kNone;
  bool solved_ = false;
};

}  // namespace slide
