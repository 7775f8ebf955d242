// Pure geometry of the speech interface: balloon rectangles grown from an anchor, the nine-patch
// grid a balloon is drawn with, the placement of the two character corners and the fit of a
// turned picture. Kept free of objects so the numbers can be tested on their own.
#pragma once

#include <array>

#include "scene/screen_rect.h"

namespace speech {

// The balloon's unit of padding: a fixed fraction of the client height.
constexpr float kGapFraction = 0.013f;
// Padding in gaps on each side of the content: the tail side needs room for the tail.
constexpr float kInsetTop = 2.61f;
constexpr float kInsetBottom = 1.0f;
constexpr float kInsetFar = 1.0f;
constexpr float kInsetAnchor = 2.76f;
// Text lines are this fraction of the client height each.
constexpr float kLineHeightFraction = 0.03f;

struct BalloonLayout {
  ScreenRect balloon;  // final rectangle
  ScreenRect content;  // text or picture inside it
};

// A text balloon whose corner on the anchor side sits on (anchorX, anchorY). Without mirror the
// balloon extends left and down (its top-right corner is the anchor), mirrored right and down.
// textAspect is the text block's width / height; lines at least 1.
BalloonLayout LayoutTextBalloon(float anchorX, float anchorY, int lines, float textAspect, float clientHeight,
                                bool mirrored);
// A picture balloon: picture height = heightFraction x client height, width = aspect x that;
// always extending left and down.
BalloonLayout LayoutPictureBalloon(float anchorX, float anchorY, float heightFraction, float aspect,
                                   float clientHeight);
// Where the growth starts: a tenth of the final width and height, in the anchor corner.
ScreenRect GrowthStartRect(const ScreenRect& final, bool mirrored);

// The nine-patch: four x and four y coordinates in the rectangle's local frame (-1..1, y -1 at the
// top) that cut it into border, edge and centre patches. Borders are pixels; when the rectangle is
// smaller than its two borders (while it grows), both shrink in proportion.
struct NinePatchGrid {
  std::array<float, 4> x;
  std::array<float, 4> y;
};
NinePatchGrid MakeNinePatchGrid(float width, float height, float left, float top, float right, float bottom);
// The texture cuts of the balloon picture: u left, u right, v top, v bottom.
constexpr std::array<float, 4> kBalloonCuts = {0.277f, 0.783f, 0.0785f, 0.894f};

// The lead character's corner inside an environment rectangle.
ScreenRect JorvaneCornerRect(const ScreenRect& environment);
// The point a lead-character balloon grows from.
void JorvaneAnchor(const ScreenRect& corner, float& x, float& y);
// A character corner of the given portrait aspect, in the screen's top-left corner.
ScreenRect CharacterCornerRect(float parentHeight, float portraitAspect);

// The largest rectangle of the aspect that, turned by angle, fits inside target; centred in it.
// A non-positive or non-finite aspect counts as 1.
ScreenRect FitTurnedRect(const ScreenRect& target, float aspect, float angle);

}  // namespace speech
