#include "puzzles/jigsaw_board.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"

namespace jigsaw {

int PieceIndex(int row, int column) {
  return (row - 1) * kColumns + (column - 1);
}

int Neighbour(int piece, int direction) {
  if (piece < 0 || piece >= kPieces) return -1;
  const int r = piece / kColumns, c = piece % kColumns;
  switch (direction) {
    case kUp:
      return r > 0 ? piece - kColumns : -1;
    case kDown:
      return r < kRows - 1 ? piece + kColumns : -1;
    case kLeft:
      return c > 0 ? piece - 1 : -1;
    case kRight:
      return c < kColumns - 1 ? piece + 1 : -1;
    default:
      return -1;
  }
}

int Opposite(int direction) {
  return direction ^ 1;
}

void NeighbourOffset(int direction, float side, float& dx, float& dy) {
  const float d = kSpacing * side;
  dx = direction == kLeft ? -d : direction == kRight ? d : 0.0f;
  dy = direction == kUp ? -d : direction == kDown ? d : 0.0f;
}

Board::Board(float side, float baseDepth) : side_(side), baseDepth_(baseDepth), pieces_(kPieces) {
  for (int i = 0; i < kPieces; ++i) pieces_[size_t(i)].depth = baseDepth + kDepthStep * float(i + 1);
}

bool Board::IsJoined(int piece, int direction) const {
  return (pieces_[size_t(piece)].joined & kJoinedBits[direction]) != 0;
}

int Board::JoinedLinks() const {
  int n = 0;
  for (int i = 0; i < kPieces; ++i) {
    // Each link counted once, from its upper or left end, and only when both ends agree.
    for (int d : {kDown, kRight}) {
      const int j = Neighbour(i, d);
      if (j >= 0 && IsJoined(i, d) && IsJoined(j, Opposite(d))) ++n;
    }
  }
  return n;
}

std::vector<int> Board::Group(int piece) const {
  std::vector<int> group{piece};
  std::vector<bool> seen(kPieces, false);
  seen[size_t(piece)] = true;
  for (size_t k = 0; k < group.size(); ++k) {
    for (int d = 0; d < 4; ++d) {
      const int n = Neighbour(group[k], d);
      if (n >= 0 && !seen[size_t(n)] && IsJoined(group[k], d)) {
        seen[size_t(n)] = true;
        group.push_back(n);
      }
    }
  }
  return group;
}

void Board::MoveGroup(int piece, float x, float y) {
  pieces_[size_t(piece)].x = x;
  pieces_[size_t(piece)].y = y;
  // Breadth first, each member placed from the member it was reached through.
  std::vector<int> queue{piece};
  std::vector<bool> placed(kPieces, false);
  placed[size_t(piece)] = true;
  for (size_t k = 0; k < queue.size(); ++k) {
    const Piece& from = pieces_[size_t(queue[k])];
    for (int d = 0; d < 4; ++d) {
      const int n = Neighbour(queue[k], d);
      if (n < 0 || placed[size_t(n)] || !IsJoined(queue[k], d)) continue;
      float dx = 0, dy = 0;
      NeighbourOffset(d, side_, dx, dy);
      pieces_[size_t(n)].x = from.x + dx;
      pieces_[size_t(n)].y = from.y + dy;
      placed[size_t(n)] = true;
      queue.push_back(n);
    }
  }
}

void Board::Lift(int piece) {
  float top = baseDepth_;
  for (const Piece& p : pieces_) top = std::max(top, p.depth);
  for (int m : Group(piece)) pieces_[size_t(m)].depth = top + kDepthStep;
  RenumberDepths();
}

void Board::RenumberDepths() {
  std::vector<int> order(kPieces);
  for (int i = 0; i < kPieces; ++i) order[size_t(i)] = i;
  std::stable_sort(order.begin(), order.end(),
                   [this](int a, int b) { return pieces_[size_t(a)].depth < pieces_[size_t(b)].depth; });
  float next = baseDepth_;
  float previous = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    Piece& p = pieces_[size_t(order[k])];
    if (k == 0 || p.depth != previous) next += kDepthStep;
    previous = p.depth;
    p.depth = next;
  }
}

std::vector<Snap> Board::Drop(int piece) {
  std::vector<Snap> snaps;
  const float limit = kSnapDistance * side_;
  // The dropped group as it was picked up: the walk does not run on into groups it joins.
  for (int p : Group(piece)) {
    for (int d = 0; d < 4; ++d) {
      const int n = Neighbour(p, d);
      if (n < 0 || IsJoined(p, d)) continue;
      float dx = 0, dy = 0;
      NeighbourOffset(d, side_, dx, dy);
      Piece& P = pieces_[size_t(p)];
      Piece& N = pieces_[size_t(n)];
      const float px = P.x + dx, py = P.y + dy;
      if (!(std::hypot(px - N.x, py - N.y) < limit)) continue;
      const float oldX = P.x, oldY = P.y;
      const std::vector<int> mine = Group(p);
      const bool sameGroup = std::find(mine.begin(), mine.end(), n) != mine.end();
      // The dropped group moves to the resting piece; a loop closing inside one group moves nothing.
      if (!sameGroup) MoveGroup(p, N.x - dx, N.y - dy);
      const float depth = P.depth;
      for (int m : Group(n)) pieces_[size_t(m)].depth = depth;
      P.joined |= kJoinedBits[d];
      N.joined |= kJoinedBits[Opposite(d)];
      snaps.push_back({p, n, (oldX + px) * 0.5f, (oldY + py) * 0.5f});
    }
  }
  return snaps;
}

void Board::Scatter(const ScreenRect& area) {
  for (int i = 0; i < kPieces; ++i) {
    Piece& p = pieces_[size_t(i)];
    p.x = RandomUniform(area.left + side_, area.right - side_);
    p.y = RandomUniform(area.top + side_, area.bottom - side_);
    p.depth = baseDepth_ + kDepthStep * float(i + 1);
    p.joined = 0;
  }
}

void Board::Solve(float x, float y) {
  for (int i = 0; i < kPieces; ++i) {
    uint32_t bits = 0;
    for (int d = 0; d < 4; ++d) {
      if (Neighbour(i, d) >= 0) bits |= kJoinedBits[d];
    }
    pieces_[size_t(i)].joined = bits;
  }
  MoveGroup(0, x, y);
}

}  // namespace jigsaw
