#include "puzzles/circuit_board.h"

#include <cmath>

#include "core/random.h"
#include "data/xml_document.h"

namespace circuit {

namespace {

constexpr int kMaxRolls = 64;
// A grid beyond this is no fuse box anyone can play, and its cells would be allocated unchecked.
constexpr int kMaxSide = 64;

// Masks by type (1..4) and quarter: each quarter turns the connections one side clockwise.
constexpr int kMasks[4][4] = {
    {12, 9, 3, 6},     // elbow: right + down at rest
    {13, 11, 7, 14},   // fork: left + right + down
    {10, 5, 10, 5},    // straight: up + down
    {15, 15, 15, 15},  // cross
};

std::nullopt_t Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<CircuitFile> ReadCircuitFile(XmlDocument& doc, std::string* error) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return Fail(error, "no document element");
  CircuitFile f;
  f.background = doc.CopyAttribute(root.get(), "Background", "").value_or("");
  f.columns = doc.GetIntAttribute(root.get(), "Columns", 0);
  f.rows = doc.GetIntAttribute(root.get(), "Rows", 0);
  f.powerRow = doc.GetIntAttribute(root.get(), "PowerRow", 0);
  f.rect = doc.GetRectAttribute(root.get(), "Rect");
  if (f.columns < 1 || f.rows < 1 || f.columns > kMaxSide || f.rows > kMaxSide)
    return Fail(error, "Columns and Rows must be 1 to 64");
  if (f.rect[2] <= f.rect[0] || f.rect[3] <= f.rect[1]) return Fail(error, "Rect has no width or height");
  if (f.powerRow < 0 || f.powerRow >= f.rows) return Fail(error, "PowerRow lies outside the rows");
  for (ScopedXmlNode row(doc, doc.FindChildNode(root.get())); row && int(f.wires.size()) < f.rows;
       row.NextElement()) {
    if (!doc.IsElement(row.get())) continue;
    std::vector<int> wires = doc.GetIntListAttribute(row.get(), "Wires");
    std::vector<int> solutions = doc.GetIntListAttribute(row.get(), "Solutions");
    wires.resize(size_t(f.columns), kEmpty);
    solutions.resize(size_t(f.columns), 0);
    for (size_t c = 0; c < wires.size(); ++c) {
      if (wires[c] < kElbow || wires[c] > kCross) wires[c] = kEmpty;
      solutions[c] &= 3;  // whole turns change nothing, and a turn never spins for long
    }
    f.wires.push_back(std::move(wires));
    f.solutions.push_back(std::move(solutions));
  }
  return f;
}

std::optional<CircuitFile> LoadCircuitFile(const char* member, std::string* error) {
  if (!member || !*member) return Fail(error, "no file name");
  XmlDocument doc;
  if (doc.LoadMember(member) != 0) return Fail(error, "cannot be read");
  return ReadCircuitFile(doc, error);
}

int QuarterIndex(float angle) {
  return int(std::lround(angle / kQuarter) & 3);
}

int ConnectionMask(int type, int quarter) {
  if (type < kElbow || type > kCross) return 0;
  return kMasks[type - 1][quarter & 3];
}

int Opposite(int direction) {
  switch (direction) {
    case kLeft:
      return kRight;
    case kRight:
      return kLeft;
    case kUp:
      return kDown;
    case kDown:
      return kUp;
    default:
      return 0;
  }
}

Board::Board(const CircuitFile& file) : columns_(file.columns), rows_(file.rows), powerRow_(file.powerRow) {
  cells_.assign(size_t(columns_) * size_t(rows_), -1);
  for (size_t r = 0; r < file.wires.size() && int(r) < rows_; ++r) {
    for (size_t c = 0; c < file.wires[r].size() && int(c) < columns_; ++c) {
      if (file.wires[r][c] == kEmpty) continue;
      Tile t;
      t.type = file.wires[r][c];
      t.column = int(c);
      t.row = int(r);
      t.solution = float(c < file.solutions[r].size() ? file.solutions[r][c] : 0) * kQuarter;
      cells_[r * size_t(columns_) + c] = int(tiles_.size());
      tiles_.push_back(t);
    }
  }
  for (Tile& t : tiles_) {
    t.left = TileAt(t.column - 1, t.row);
    t.up = TileAt(t.column, t.row - 1);
    t.right = TileAt(t.column + 1, t.row);
    t.down = TileAt(t.column, t.row + 1);
  }
}

int Board::TileAt(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return -1;
  return cells_[size_t(row) * size_t(columns_) + size_t(column)];
}

void Board::Scramble() {
  for (int roll = 0; roll < kMaxRolls; ++roll) {
    for (Tile& t : tiles_) {
      t.turning = false;
      if (t.type == kCross) {
        t.angle = t.start = t.target = 0;
        continue;
      }
      // 0 -> a quarter, 1 -> a half, 2 -> three quarters, 3 -> none.
      const int q = (RandomValue() % 4 + 1) % 4;
      t.angle = t.start = t.target = float(q) * kQuarter;
    }
    Flood();
    if (!AllPowered()) return;
  }
}

bool Board::Turn(int i, bool forwards) {
  if (solved_ || i < 0 || i >= Count()) return false;
  Tile& t = tiles_[size_t(i)];
  if (t.type == kCross || t.turning) return false;
  t.target = t.angle + (forwards ? kQuarter : -kQuarter);
  t.forwards = forwards;
  t.turning = true;
  return true;
}

void Board::TurnTo(Tile& t, float target) {
  if (t.type == kCross) return;
  if (target == t.angle) {
    t.turning = false;
    t.target = target;
    return;
  }
  t.target = target;
  t.forwards = target > t.angle;
  t.turning = true;
}

void Board::Reset() {
  if (solved_) return;
  for (Tile& t : tiles_) TurnTo(t, t.start);
}

void Board::SolveNow() {
  if (solved_) return;
  for (Tile& t : tiles_) TurnTo(t, t.solution);
}

std::vector<int> Board::Advance(float dt) {
  std::vector<int> ended;
  const float step = kQuarter * 2 * dt;
  for (int i = 0; i < Count(); ++i) {
    Tile& t = tiles_[size_t(i)];
    if (!t.turning) continue;
    t.angle += t.forwards ? step : -step;
    if (t.forwards ? t.angle < t.target : t.angle > t.target) continue;
    // Targets are whole quarters; resting exactly on one, inside one turn, keeps rounding from
    // creeping in over many turns.
    t.angle = t.target = float(QuarterIndex(t.target)) * kQuarter;
    t.turning = false;
    ended.push_back(i);
  }
  return ended;
}

bool Board::AnyTurning() const {
  for (const Tile& t : tiles_)
    if (t.turning) return true;
  return false;
}

int Board::Flood() {
  for (Tile& t : tiles_) t.powered = false;
  const int first = TileAt(0, powerRow_);
  if (first < 0 || tiles_[size_t(first)].turning) return 0;
  int count = 0;
  std::vector<int> open{first};
  tiles_[size_t(first)].powered = true;
  while (!open.empty()) {
    const Tile& t = tiles_[size_t(open.back())];
    open.pop_back();
    ++count;
    const int mask = t.Mask();
    const std::pair<int, int> ways[] = {{kLeft, t.left}, {kUp, t.up}, {kRight, t.right}, {kDown, t.down}};
    for (const auto& [dir, next] : ways) {
      if (next < 0 || !(mask & dir)) continue;
      Tile& n = tiles_[size_t(next)];
      if (n.powered || !(n.Mask() & Opposite(dir))) continue;
      n.powered = true;
      open.push_back(next);
    }
  }
  return count;
}

bool Board::AllPowered() const {
  for (const Tile& t : tiles_)
    if (!t.powered) return false;
  return true;
}

void Board::Place(int i, float angle) {
  if (i < 0 || i >= Count()) return;
  Tile& t = tiles_[size_t(i)];
  t.angle = t.target = angle;
  t.turning = false;
}

}  // namespace circuit
