// The rules of a jigsaw of twelve pieces in three rows of four, without any drawing: where the
// pieces lie, which edges are joined, how a drop snaps, how groups move and stack, when the
// picture is whole. CJigsawEnvironment keeps one and its pieces draw what it says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/screen_rect.h"

namespace jigsaw {

inline constexpr int kRows = 3, kColumns = 4, kPieces = kRows * kColumns;
// Joins between neighbours: 3 x 3 across plus 2 x 4 down.
inline constexpr int kLinks = kRows * (kColumns - 1) + (kRows - 1) * kColumns;
// Joined neighbours' centres are this share of the piece side apart (the picture's core is 146 of
// each piece's 256 pixels; the rest are tabs).
inline constexpr float kSpacing = 0.5714f;
// A drop closer than this share of the side to the joined place snaps.
inline constexpr float kSnapDistance = 0.07f;
inline constexpr float kDepthStep = 0.01f;

enum Direction : int { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };
// The joined bits, as a piece keeps them with its sprite flags.
inline constexpr uint32_t kJoinedBits[4] = {0x10000, 0x20000, 0x40000, 0x80000};
inline constexpr uint32_t kAllJoinedBits = 0xF0000;

// Pieces are numbered row by row from 0; (row, column) from 1 as the picture files name them.
int PieceIndex(int row, int column);
// The neighbour in a direction, or -1 at the border.
int Neighbour(int piece, int direction);
int Opposite(int direction);
// Where the neighbour in that direction sits, relative to a piece of side s.
void NeighbourOffset(int direction, float side, float& dx, float& dy);

struct Piece {
  float x = 0, y = 0;  // centre
  float depth = 0;
  uint32_t joined = 0;  // kJoinedBits
};

struct Snap {
  int piece;      // of the dropped group
  int neighbour;  // the resting piece it joined
  float burstX, burstY;
};

class Board {
 public:
  // side: the piece side in pixels; baseDepth: the scene's depth (pieces stack above it).
  Board(float side, float baseDepth);

  float Side() const { return side_; }
  const Piece& At(int i) const { return pieces_[size_t(i)]; }
  Piece& At(int i) { return pieces_[size_t(i)]; }

  bool IsJoined(int piece, int direction) const;
  int JoinedLinks() const;
  bool IsComplete() const { return JoinedLinks() == kLinks; }

  // The piece and every piece reachable through joined edges, the piece first.
  std::vector<int> Group(int piece) const;
  // Puts piece at (x, y) and every other member of its group where its joins say.
  void MoveGroup(int piece, float x, float y);

  // Picking up: the group goes on top of everything, then depths are renumbered from the base in
  // steps only where they differ, so a group keeps one depth.
  void Lift(int piece);
  void RenumberDepths();
  // Dropping: every free edge of the group whose neighbour lies within the snap distance joins,
  // moving the dropped group (never the resting one). The snaps made, in order.
  std::vector<Snap> Drop(int piece);

  // Every piece at a random centre inside area kept one side from its edges, depths in piece
  // order, no joins.
  void Scatter(const ScreenRect& area);
  // Everything joined, the first piece at (x, y) and the rest where the joins say.
  void Solve(float x, float y);

 private:
  float side_;
  float baseDepth_;
  std::vector<Piece> pieces_;
};

}  // namespace jigsaw
