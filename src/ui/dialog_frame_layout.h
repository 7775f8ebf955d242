// The geometry of the decorated dialog frame, as pure functions: the nine-patch border grid, the
// interior inside it and where the ornaments sit.
#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

// Texture cuts of the border picture, from each edge.
inline constexpr float kBorderCut = 0.168f;
inline constexpr int kBorderGridSide = 5;  // 5 x 5 vertices, 16 cells, 32 triangles
inline constexpr int kBorderVertexCount = kBorderGridSide * kBorderGridSide;
inline constexpr int kBorderIndexCount = 16 * 6;

// The grid in the unit quad of a width x height rectangle (x -1..1, y -1 at the top) whose border
// is thickness pixels wide on screen. Each axis runs edge, cut, middle, cut, edge; a border wider
// than a quarter of a side is narrowed to it so the cells never fold over.
std::array<gfx::VertexPosUv, kBorderVertexCount> BorderGrid(float width, float height, float thickness);
// Two triangles per cell, row by row.
std::array<uint16_t, kBorderIndexCount> BorderGridIndices();

// The interior: the rectangle shrunk by half the border on every side (never inverted).
ScreenRect FrameInterior(const ScreenRect& rect, float thickness);

// The twelve ornaments: four side crests (top, bottom, left, right: crown outward) and two scrolls
// near the ends of each side, in the same side order.
struct OrnamentPlacement {
  ScreenRect rect;  // centre, size and turn
  bool shown = true;
};
inline constexpr int kSideOrnaments = 4;
inline constexpr int kScrollOrnaments = 8;
std::array<OrnamentPlacement, kSideOrnaments + kScrollOrnaments> PlaceOrnaments(const ScreenRect& rect,
                                                                                float thickness);
