// Geometry of a tooltip: where its text sits inside the rectangle it was asked for, how the frame
// grows from its anchor while it fades in, and the nine-patch of its parchment frame.
#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/device.h"
#include "scene/screen_rect.h"

struct TooltipLayout {
  ScreenRect text;   // the text keeps its own aspect inside the asked rectangle less the border
  ScreenRect frame;  // the text grown by the border on every side
};
TooltipLayout LayoutTooltip(const ScreenRect& asked, float textAspect, uint32_t flags, float border);

// The frame drawn at an opacity: grown from its anchor (left edge, right edge or centre by the
// flags) in proportion, unless sticky; then pushed back inside the client area.
ScreenRect TooltipFrameAt(const ScreenRect& frame, uint32_t flags, float opacity, float clientWidth,
                          float clientHeight);

// Opacity by state: 0 appearing, 1 disappearing, 2 shown; a quarter second each way.
enum : int { kTooltipAppearing = 0, kTooltipDisappearing = 1, kTooltipShown = 2 };
float TooltipOpacity(int state, float sinceStart);
// The start time that makes a new state begin at the given opacity.
float TooltipStartFor(int state, float now, float opacity);

// The sixteen vertices of a nine-patch over the unit quad (local -1..1, y -1 at the top): border
// widths in local units, clamped to half the quad; texture cuts at u 0.039 / 0.961, v 0.151 / 0.849.
std::array<gfx::VertexPosUv, 16> NinePatchVertices(float borderX, float borderY);
// Nine quads as eighteen triangles over those vertices.
const std::array<uint16_t, 54>& NinePatchIndices();

// Where an explanation below an object goes (and its flags): under the object, on the half of the
// client area away from the object's side.
struct ObjectTooltipPlace {
  ScreenRect rect;
  uint32_t flags;
};
ObjectTooltipPlace ObjectTooltipRect(const ScreenRect& object, int lines, float clientWidth,
                                     float clientHeight);
