// The hidden object's geometry and timing as pure functions: the hit-mask point under the pointer,
// the double test of a differences venue, the found sequence's pulse and flight, dragging inside a
// bounding box and the fall back onto its floor.
#pragma once

#include <cstdint>
#include <functional>

#include "scene/screen_rect.h"

namespace hidden {

// The point of the hit mask under (x, y) for an object drawn over rect with these flip bits, in the
// mask's frame (x -1 left .. +1 right, y -1 bottom .. +1 top), kept inside the mask at the right
// and bottom edges. False when the point lies outside the (turned) rectangle.
bool MaskPoint(const ScreenRect& rect, uint32_t flips, float x, float y, float& mx, float& my);

// Whether a (turned) rectangle with this mask lookup takes the pointer at (x, y). mask answers for
// a mask point; null counts every point of the rectangle.
using MaskLookup = std::function<bool(float mx, float my)>;
bool HitsAt(const ScreenRect& rect, uint32_t flips, const MaskLookup& mask, float x, float y);

// In a differences venue the pointer is tested at p and at the same point of the other picture;
// objects drawn in both pictures are also tested with their rectangle moved right by one picture.
// leftPicture is the left picture; a pointer outside both pictures misses.
bool DifferencesHit(const ScreenRect& rect, uint32_t flips, const MaskLookup& mask, bool drawnTwice,
                    const ScreenRect& leftPicture, float x, float y);

// The found sequence: 1 s of pulse, then the flight, then the arrival.
inline constexpr float kPulseTime = 1.0f;
inline constexpr float kFlightPerUnit = 1.5f;  // seconds per venue size of distance
inline constexpr float kSpinRate = 9.0f;       // radians per second in flight
enum class FoundPhase { kPulse, kFlight, kArrived };
struct FoundPose {
  FoundPhase phase;
  float size;  // relative size
  float x, y;  // relative coordinates
};
float FlightTime(float startX, float startY, float targetX, float targetY);
FoundPose FoundPoseAt(float t, float originalSize, float startX, float startY, float targetX, float targetY,
                      float flightTime);

// Keeps an axis-aligned rectangle inside box: left, then top, then right, then bottom edge.
ScreenRect ClampToBox(const ScreenRect& r, const ScreenRect& box);
// One frame of the fall: down by 0.075 back-buffer heights per second squared since the release.
// resting is set when the rectangle reached the box's floor (and is put exactly on it).
ScreenRect FallStep(const ScreenRect& r, const ScreenRect& box, float sinceRelease, float frameTime,
                    float backBufferHeight, bool& resting);

// The hotspot glow while hovered: 0.1 .. 1, twice a second.
float HotspotGlow(float sinceHoverStart);

}  // namespace hidden
