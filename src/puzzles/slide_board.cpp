#include "puzzles/slide_board.h"

#include <algorithm>
#include <cstdlib>

#include "data/xml_document.h"

namespace slide {

namespace {

constexpr float kShrink = 0.98f;

Cell ReadCell(XmlDocument& doc, XmlNode node, const char* name) {
  const auto p = doc.GetPointAttribute(node, name);
  return {p[0], p[1]};
}

}  // namespace

std::optional<SlideFile> ReadSlideFile(XmlDocument& doc) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return std::nullopt;
  auto text = [&](const char* name) { return doc.CopyAttribute(root.get(), name, "").value_or(""); };
  auto number = [&](const char* name) { return doc.GetIntAttribute(root.get(), name, 0); };
  SlideFile f;
  f.background = text("Background");
  f.prize = text("Prize");
  f.columns = number("Columns");
  f.rows = number("Rows");
  if (f.columns < 1 || f.rows < 1) return std::nullopt;
  f.exitRow = number("ExitRow");
  f.exitLimit = number("ExitLimit");
  f.prizeToken = number("PrizeToken");
  f.rectangle = doc.GetRectAttribute(root.get(), "Rectangle");
  f.inventoryId = number("InventoryID");
  f.inventoryImage = text("InventoryImage");
  f.inventorySingular = text("InventoryNameSingular");
  f.inventoryPlural = text("InventoryNamePlural");
  ScopedXmlNode tokens(doc, doc.FindChildNode(root.get(), "Tokens"));
  if (!tokens) return f;
  for (ScopedXmlNode t(doc, doc.FindChildNode(tokens.get())); t; t.NextElement()) {
    if (!doc.IsElement(t.get()) || doc.CopyNodeName(t.get()).value_or("") != "Token") continue;
    f.tokens.push_back({doc.GetIntAttribute(t.get(), "ID", 0), ReadCell(doc, t.get(), "Start"),
                        ReadCell(doc, t.get(), "End")});
  }
  return f;
}

std::optional<SlideFile> LoadSlideFile(const char* member) {
  if (!member || !*member) return std::nullopt;
  XmlDocument doc;
  if (doc.LoadMember(member) != 0) return std::nullopt;
  return ReadSlideFile(doc);
}

std::string BlockPictureName(const TokenDef& token) {
  const int length =
      std::max(std::abs(token.end.row - token.start.row), std::abs(token.end.column - token.start.column)) +
      1;
  return (token.start.row == token.end.row ? "Horizontal" : "Vertical") + std::to_string(length) + ".png";
}

Board::Board(const Rect& grid, int columns, int rows, int exitRow, float exitX)
    : grid_(grid),
      cellW_(grid.Width() / float(std::max(columns, 1))),
      cellH_(grid.Height() / float(std::max(rows, 1))),
      exitX_(exitX),
      exitRow_(exitRow) {}

Board Board::FromFile(const SlideFile& file, float scaleX, float scaleY, float offsetX, float offsetY) {
  const auto& r = file.rectangle;
  const Rect grid{offsetX + float(r[0]) * scaleX, offsetY + float(r[1]) * scaleY,
                  offsetX + float(r[2]) * scaleX, offsetY + float(r[3]) * scaleY};
  Board board(grid, file.columns, file.rows, file.exitRow, offsetX + float(file.exitLimit) * scaleX);
  for (const auto& t : file.tokens) board.AddBlock(t.id, t.start, t.end);
  return board;
}

int Board::AddBlock(int id, Cell a, Cell b) {
  const int c0 = std::min(a.column, b.column), c1 = std::max(a.column, b.column);
  const int r0 = std::min(a.row, b.row), r1 = std::max(a.row, b.row);
  const Rect cells{grid_.left + float(c0) * cellW_, grid_.top + float(r0) * cellH_,
                   grid_.left + float(c1 + 1) * cellW_, grid_.top + float(r1 + 1) * cellH_};
  const float w = cells.Width() * kShrink / 2, h = cells.Height() * kShrink / 2;
  const Rect rect{cells.CentreX() - w, cells.CentreY() - h, cells.CentreX() + w, cells.CentreY() + h};
  // The ends decide the axis; only a single cell falls back to its shape.
  const bool horizontal =
      (a.row == b.row && a.column != b.column) || (a.row == b.row && a.column == b.column && w > h);
  blocks_.push_back({id, horizontal, rect, rect});
  return Count() - 1;
}

int Board::IndexOf(int id) const {
  for (int i = 0; i < Count(); ++i)
    if (blocks_[size_t(i)].id == id) return i;
  return -1;
}

int Board::BlockAt(float x, float y) const {
  for (int i = Count() - 1; i >= 0; --i) {
    const Rect& r = blocks_[size_t(i)].rect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return i;
  }
  return -1;
}

bool Board::Pick(int index) {
  if (solved_ || dragged_ >= 0 || index < 0 || index >= Count()) return false;
  const Block& b = blocks_[size_t(index)];
  const Rect& r = b.rect;
  exitOpen_ = false;
  if (b.horizontal) {
    lower_ = grid_.left;
    upper_ = grid_.right;
    if (cellH_ > 0 && int((r.CentreY() - grid_.top) / cellH_) == exitRow_ && r.CentreY() >= grid_.top) {
      upper_ = std::max(exitX_, grid_.right);
      exitOpen_ = true;
    }
  } else {
    lower_ = grid_.top;
    upper_ = grid_.bottom;
  }
  for (int i = 0; i < Count(); ++i) {
    if (i == index) continue;
    const Rect& o = blocks_[size_t(i)].rect;
    if (b.horizontal) {
      if (!(o.bottom > r.top && o.top < r.bottom)) continue;
      if (o.CentreX() < r.CentreX())
        lower_ = std::max(lower_, o.right);
      else if (o.CentreX() > r.CentreX())
        upper_ = std::min(upper_, o.left);
    } else {
      if (!(o.right > r.left && o.left < r.right)) continue;
      if (o.CentreY() < r.CentreY())
        lower_ = std::max(lower_, o.bottom);
      else if (o.CentreY() > r.CentreY())
        upper_ = std::min(upper_, o.top);
    }
  }
  // The exit counts only when nothing stands between the block and it.
  if (exitOpen_ && upper_ < exitX_) exitOpen_ = false;
  dragged_ = index;
  resting_ = kNone;
  return true;
}

MoveResult Board::MoveTo(float centre) {
  MoveResult result;
  if (dragged_ < 0) return result;
  Block& b = blocks_[size_t(dragged_)];
  const float half = (b.horizontal ? b.rect.Width() : b.rect.Height()) / 2;
  Side touched = kNone;
  if (centre + half >= upper_) {
    centre = upper_ - half;
    touched = b.horizontal ? kRight : kBottom;
  } else if (centre - half <= lower_) {
    centre = lower_ + half;
    touched = b.horizontal ? kLeft : kTop;
  }
  Place(dragged_, b.horizontal ? centre : b.rect.CentreX(), b.horizontal ? b.rect.CentreY() : centre);
  if (touched == kRight && exitOpen_) {
    result.exited = true;
    MarkSolved();
    return result;
  }
  result.thump = touched != kNone && touched != resting_;
  resting_ = touched;
  return result;
}

void Board::Reset() {
  if (solved_) return;
  dragged_ = -1;
  for (auto& b : blocks_) b.rect = b.start;
}

void Board::Place(int index, float centreX, float centreY) {
  Rect& r = blocks_[size_t(index)].rect;
  const float w = r.Width() / 2, h = r.Height() / 2;
  r = {centreX - w, centreY - h, centreX + w, centreY + h};
}

}  // namespace slide
