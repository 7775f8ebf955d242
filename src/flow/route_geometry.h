// The arithmetic of a route drawn line by line: how the route's time is shared among its lines,
// how far a growing line has got, and the strip a line is drawn as. Pure functions, so every
// degenerate case (no time, no length) can be checked without a device.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

// Each line's share of total seconds, in proportion to its length. Always finite and never
// negative: with no time (not above 0 or not finite), or no length at all, every share is 0 and
// the route finishes at once; lines of length 0 (or less, or not finite) get 0.
std::vector<float> ShareRouteTime(float total, const std::vector<float>& lengths);

// The drawn fraction (0..1) of a line that started at start and lasts duration; a line without
// duration is complete at once.
float RouteFraction(float now, float start, float duration);

// What a line from (x0, y0) to (x1, y1) in pixels, drawn to fraction f and thickness pixels thick,
// looks like on screen.
struct LineStrip {
  enum Kind { kNothing, kDot, kStrip } kind = kNothing;
  // kDot: a square of the thickness on the start point; kStrip: the drawn part, turned to the
  // line's direction, as long as the drawn part and as high as the thickness.
  ScreenRect rect;
  // kStrip: how far the end caps reach past each end, in the strip's local units (its half
  // length is 1), so that each cap is half a thickness long in pixels.
  float cap = 0.0f;
};
LineStrip LineStripFor(float x0, float y0, float x1, float y1, float f, float thickness);

// The eight vertices of a strip with the given cap: four columns at -1 - cap, -1, 1, 1 + cap with
// u 0, 0.5, 0.5, 1, over the top row (v 0, local y -1) then the bottom row (v 1).
std::array<gfx::VertexPosUv, 8> LineStripVertices(float cap);
// The three quads between those columns as six triangles.
const std::array<uint16_t, 18>& LineStripIndices();
