#include "puzzles/match3_board.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "data/xml_document.h"

namespace match3 {

namespace {

constexpr float kBoardShare = 0.8f;
constexpr float kTopShare = 0.33f;
constexpr int kMaxSide = 256;  // a board wider or taller than this is not a puzzle but a typo

std::optional<Match3File> Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

bool Match3File::IsCell(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns || row >= rows) return false;
  return cells[size_t(row) * size_t(columns) + size_t(column)];
}

std::optional<Match3File> ReadMatch3File(XmlDocument& doc, std::string* error) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return Fail(error, "no document element");
  Match3File f;
  f.columns = doc.GetIntAttribute(root.get(), "Cols", 0);
  f.rows = doc.GetIntAttribute(root.get(), "Rows", 0);
  if (f.columns < 1 || f.rows < 1 || f.columns > kMaxSide || f.rows > kMaxSide)
    return Fail(error, "Cols and Rows must be 1 to 256");
  f.symbols = std::clamp(doc.GetIntAttribute(root.get(), "Symbols", kMaxSymbols), 1, kMaxSymbols);
  f.cells.assign(size_t(f.columns) * size_t(f.rows), false);
  int row = 0;
  for (ScopedXmlNode r(doc, doc.FindChildNode(root.get())); r && row < f.rows; r.Next()) {
    if (!doc.IsElement(r.get())) continue;
    // A row shorter than the board leaves holes where it ends.
    const std::string cells = doc.CopyAttribute(r.get(), "Cells", "").value_or("");
    const int n = std::min(f.columns, int(cells.size()));
    for (int c = 0; c < n; ++c)
      f.cells[size_t(row) * size_t(f.columns) + size_t(c)] = cells[size_t(c)] == '1';
    ++row;
  }
  return f;
}

std::optional<Match3File> LoadMatch3File(const char* member, std::string* error) {
  if (!member || !*member) return Fail(error, "no file name");
  XmlDocument doc;
  if (doc.LoadMember(member) != 0) return Fail(error, "cannot be read");
  return ReadMatch3File(doc, error);
}

Layout ComputeLayout(int columns, int rows, float sceneLeft, float sceneTop, float sceneWidth,
                     float sceneHeight) {
  Layout l;
  l.columns = std::max(columns, 1);
  l.rows = std::max(rows, 1);
  // The aspect in floating point: integer division would squash a 3 x 2 board into a square.
  const float aspect = float(l.columns) / float(l.rows);
  if (sceneHeight > 0 && sceneWidth / sceneHeight <= aspect) {
    l.width = kBoardShare * sceneWidth;
    l.height = l.width / aspect;
  } else {
    l.height = kBoardShare * sceneHeight;
    l.width = l.height * aspect;
  }
  l.left = sceneLeft + (sceneWidth - l.width) / 2;
  l.top = sceneTop + kTopShare * (sceneHeight - l.height);
  l.side = std::min(l.width / float(l.columns), l.height / float(l.rows));
  return l;
}

float FallDuration(float rows) {
  return 0.5f * std::sqrt(std::max(rows, 0.0f) / kTokenShare);
}

Board::Board(const Match3File& file, RandomFn random)
    : columns_(std::max(file.columns, 0)),
      rows_(std::max(file.rows, 0)),
      symbols_(std::clamp(file.symbols, 1, kMaxSymbols)),
      random_(random ? std::move(random) : RandomFn([] { return RandomValue(); })) {
  slots_.assign(size_t(columns_) * size_t(rows_), -1);
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      if (!file.IsCell(c, r)) continue;
      slots_[size_t(r) * size_t(columns_) + size_t(c)] = int(cells_.size());
      cells_.push_back({c, r});
    }
  }
  for (Cell& cell : cells_) {
    cell.neighbours = {CellIndex(cell.column - 1, cell.row), CellIndex(cell.column, cell.row - 1),
                       CellIndex(cell.column + 1, cell.row), CellIndex(cell.column, cell.row + 1)};
  }
  red_ = int(cells_.size());
}

int Board::CellIndex(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return -1;
  return slots_[size_t(row) * size_t(columns_) + size_t(column)];
}

const Token* Board::FindToken(int id) const {
  for (const Token& t : tokens_)
    if (t.id == id) return &t;
  return nullptr;
}

Token* Board::Find(int id) {
  return const_cast<Token*>(static_cast<const Board*>(this)->FindToken(id));
}

const Token* Board::TokenOn(int cell) const {
  if (cell < 0 || cell >= CellCount()) return nullptr;
  return FindToken(cells_[size_t(cell)].token);
}

bool Board::Settled() const {
  return std::all_of(tokens_.begin(), tokens_.end(),
                     [](const Token& t) { return t.state == TokenState::kResting; });
}

float Board::TokenRow(const Token& t, float now) const {
  const float cellRow = t.cell >= 0 ? float(cells_[size_t(t.cell)].row) + 0.5f : t.fromRow;
  const float elapsed = std::max(0.0f, now - t.since);
  switch (t.state) {
    case TokenState::kFalling: {
      const float u = t.duration > 0 ? std::min(1.0f, elapsed / t.duration) : 1.0f;
      return t.fromRow + (cellRow - t.fromRow) * u * u;
    }
    case TokenState::kLeaving:
      return t.fromRow + elapsed * elapsed * kLeaveFall * kTokenShare;
    case TokenState::kResting:
      break;
  }
  return cellRow;
}

bool Board::Matches(int a, int b) const {
  const Token* ta = TokenOn(a);
  const Token* tb = TokenOn(b);
  return ta && tb && ta->symbol == tb->symbol;
}

std::vector<int> Board::GroupAt(int cell) const {
  std::vector<int> group;
  if (red_ == 0 || !Settled() || !TokenOn(cell)) return group;
  std::vector<bool> seen(cells_.size(), false);
  group.push_back(cell);
  seen[size_t(cell)] = true;
  for (size_t i = 0; i < group.size(); ++i) {
    for (int n : cells_[size_t(group[i])].neighbours) {
      if (n < 0 || seen[size_t(n)] || !Matches(cell, n)) continue;
      seen[size_t(n)] = true;
      group.push_back(n);
    }
  }
  return group;
}

std::vector<int> Board::Remove(const std::vector<int>& group, float now) {
  std::vector<int> greened;
  if (group.size() < 2 || !Settled()) return greened;
  for (int cell : group) {
    if (cell < 0 || cell >= CellCount()) continue;
    Cell& c = cells_[size_t(cell)];
    if (c.token < 0) continue;
    std::erase_if(tokens_, [&](const Token& t) { return t.id == c.token; });
    c.token = -1;
    if (!c.green) {
      c.green = true;
      c.greenTime = now;
      --red_;
      greened.push_back(cell);
    }
  }
  return greened;
}

void Board::StartFall(Token& token, int cell, float fromRow, float now) {
  token.cell = cell;
  token.column = cells_[size_t(cell)].column;
  token.state = TokenState::kFalling;
  token.since = now;
  token.fromRow = fromRow;
  token.duration = FallDuration(float(cells_[size_t(cell)].row) + 0.5f - fromRow);
  cells_[size_t(cell)].token = token.id;
}

int Board::NewToken(int cell, float fromRow, float now) {
  Token t;
  t.id = nextId_++;
  t.symbol = random_() % symbols_;
  tokens_.push_back(t);
  StartFall(tokens_.back(), cell, fromRow, now);
  return t.id;
}

void Board::Refill(float now) {
  if (red_ == 0) return;
  for (int c = 0; c < columns_; ++c) {
    int virtualRow = -1;
    for (int r = rows_ - 1; r >= 0; --r) {
      const int cell = CellIndex(c, r);
      if (cell < 0 || cells_[size_t(cell)].token >= 0) continue;
      // The nearest token above drops in, over any holes between.
      int donor = -1;
      for (int above = r - 1; above >= 0 && donor < 0; --above) {
        const int a = CellIndex(c, above);
        if (a >= 0 && cells_[size_t(a)].token >= 0) donor = a;
      }
      if (donor >= 0) {
        Token* t = Find(cells_[size_t(donor)].token);
        cells_[size_t(donor)].token = -1;
        StartFall(*t, cell, TokenRow(*t, now), now);
      } else {
        NewToken(cell, float(virtualRow) + 0.5f, now);
        --virtualRow;
      }
    }
  }
}

StepResult Board::Step(float now) {
  StepResult result;
  bool hadLeaving = false;
  for (Token& t : tokens_) {
    if (t.state == TokenState::kFalling && now - t.since >= t.duration) {
      t.state = TokenState::kResting;
      t.since = now;
      result.landed.push_back(t.id);
    }
    hadLeaving = hadLeaving || t.state == TokenState::kLeaving;
  }
  if (!hadLeaving) return result;
  std::erase_if(tokens_, [&](const Token& t) {
    return t.state == TokenState::kLeaving && TokenRow(t, now) - kTokenShare / 2 > leaveLimit_;
  });
  result.shuffleDone = std::none_of(tokens_.begin(), tokens_.end(),
                                    [](const Token& t) { return t.state == TokenState::kLeaving; });
  return result;
}

bool Board::StartShuffle(float now) {
  if (!Settled() || red_ == 0) return false;
  for (Token& t : tokens_) {
    t.fromRow = TokenRow(t, now);
    t.state = TokenState::kLeaving;
    t.since = now;
    if (t.cell >= 0) cells_[size_t(t.cell)].token = -1;
    t.cell = -1;
  }
  return !tokens_.empty();
}

bool Board::HasMatch() const {
  for (size_t i = 0; i < cells_.size(); ++i) {
    for (int d : {kRight, kDown}) {
      const int n = cells_[i].neighbours[size_t(d)];
      if (n >= 0 && Matches(int(i), n)) return true;
    }
  }
  return false;
}

int Board::HintCell() const {
  int first = -1;
  for (size_t i = 0; i < cells_.size(); ++i) {
    for (int d : {kRight, kDown}) {
      const int n = cells_[i].neighbours[size_t(d)];
      if (n < 0 || !Matches(int(i), n)) continue;
      if (first < 0) first = int(i);
      if (!cells_[i].green) return int(i);
      if (!cells_[size_t(n)].green) return n;
    }
  }
  return first;
}

void Board::MarkAllGreen(float now) {
  for (Cell& c : cells_) {
    if (c.green) continue;
    c.green = true;
    c.greenTime = now;
  }
  red_ = 0;
}

}  // namespace match3
