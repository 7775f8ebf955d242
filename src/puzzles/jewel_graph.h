// The rules of the jewel setting without any drawing: thirteen stones, the twenty-two chains that
// join them, when two chains cross, the ring the stones sit in when the setting is whole, and the
// tangled scatter they start from. Positions are in any frame that an axis-aligned stretch maps to
// the screen (crossings do not change under such a stretch), the scene uses fractions of itself.
#pragma once

#include <array>
#include <cstdint>

namespace jewel {

inline constexpr int kStones = 13;  // twelve in the ring, the last in the centre
inline constexpr int kCentre = 12;
inline constexpr int kChains = 22;

struct Point {
  float x = 0, y = 0;
};
using Layout = std::array<Point, kStones>;

// A chain is owned by its first stone.
struct Chain {
  int owner, other;
};
extern const std::array<Chain, kChains> kGraph;

// The tint of a stone: ring stones by index modulo 5, the centre stone untinted.
uint32_t StoneColour(int stone);

// Whether segments ab and cd cross: each pair of ends lies strictly on opposite sides of the other
// segment, so segments that only touch (an end on the other, or lying along it) do not cross.
bool SegmentsCross(Point a, Point b, Point c, Point d);
// Chains sharing a stone never cross, however they lie.
bool ShareStone(const Chain& a, const Chain& b);
// Per chain, whether it crosses another.
std::array<bool, kChains> Crossings(const Layout& at);
int CrossingCount(const Layout& at);  // chains that cross
// Per stone, how many of the chains it owns cross.
std::array<int, kStones> OwnedCrossings(const Layout& at);

// The whole setting in a frame of the given width and height: the ring of radius 0.4 height about
// the middle, stone 0 to the right and on clockwise (y down), the centre stone in the middle.
Layout RingLayout(float width, float height);
// Each stone at a random point of the middle 60 % of the frame; a scatter without any crossing is
// rolled again (a bounded number of times).
Layout Scatter(float width, float height);

}  // namespace jewel
