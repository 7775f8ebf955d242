#include "puzzles/jewel_graph.h"

#include <cmath>

#include "core/random.h"

namespace jewel {

namespace {

constexpr int kMaxRolls = 64;

double Orient(Point a, Point b, Point c) {
  return (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
}

}  // namespace

const std::array<Chain, kChains> kGraph = {
    {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {3, 12}, {4, 5},   {5, 6},  {6, 7},  {6, 8},   {6, 9},  {6, 12},
     {6, 3}, {6, 4}, {7, 8}, {8, 9}, {9, 10}, {10, 11}, {11, 0}, {12, 9}, {12, 11}, {12, 0}, {12, 1}}};

uint32_t StoneColour(int stone) {
  static constexpr uint32_t kRing[5] = {0xFFFFFFFFu, 0xFFFF8080u, 0xFF80FF80u, 0xFF8080FFu, 0xFF00FFFFu};
  if (stone < 0 || stone >= kCentre) return 0xFFFFFFFFu;
  return kRing[stone % 5];
}

bool SegmentsCross(Point a, Point b, Point c, Point d) {
  const double c1 = Orient(a, b, c), d1 = Orient(a, b, d);
  const double a2 = Orient(c, d, a), b2 = Orient(c, d, b);
  return ((c1 > 0 && d1 < 0) || (c1 < 0 && d1 > 0)) && ((a2 > 0 && b2 < 0) || (a2 < 0 && b2 > 0));
}

bool ShareStone(const Chain& a, const Chain& b) {
  return a.owner == b.owner || a.owner == b.other || a.other == b.owner || a.other == b.other;
}

std::array<bool, kChains> Crossings(const Layout& at) {
  std::array<bool, kChains> crossing{};
  for (int i = 0; i < kChains; ++i) {
    for (int j = i + 1; j < kChains; ++j) {
      const Chain& a = kGraph[size_t(i)];
      const Chain& b = kGraph[size_t(j)];
      if (ShareStone(a, b)) continue;
      if (!SegmentsCross(at[size_t(a.owner)], at[size_t(a.other)], at[size_t(b.owner)], at[size_t(b.other)]))
        continue;
      crossing[size_t(i)] = crossing[size_t(j)] = true;
    }
  }
  return crossing;
}

int CrossingCount(const Layout& at) {
  int n = 0;
  for (bool c : Crossings(at)) n += c ? 1 : 0;
  return n;
}

std::array<int, kStones> OwnedCrossings(const Layout& at) {
  std::array<int, kStones> owned{};
  const auto crossing = Crossings(at);
  for (int i = 0; i < kChains; ++i)
    if (crossing[size_t(i)]) ++owned[size_t(kGraph[size_t(i)].owner)];
  return owned;
}

Layout RingLayout(float width, float height) {
  Layout at;
  const double radius = 0.4 * height;
  for (int i = 0; i < kCentre; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / kCentre;
    at[size_t(i)] = {float(width / 2 + radius * std::cos(a)), float(height / 2 + radius * std::sin(a))};
  }
  at[kCentre] = {width / 2, height / 2};
  return at;
}

Layout Scatter(float width, float height) {
  Layout at;
  for (int roll = 0; roll < kMaxRolls; ++roll) {
    for (Point& p : at) {
      p.x = RandomUniform(0.2f, 0.8f) * width;
      p.y = RandomUniform(0.2f, 0.8f) * height;
    }
    if (CrossingCount(at) > 0) break;
  }
  return at;
}

}  // namespace jewel
