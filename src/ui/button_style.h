// What a push button's style number means, and the rectangles and colours a button draws with.
// Pure functions, so the rules can be checked without a device.
#pragma once

#include <cstdint>

#include "scene/screen_rect.h"

// Style bits: the low four bits pick the picture.
enum : uint32_t {
  kButtonPictureMask = 15,
  kButtonBackStyle = 3 | 16,  // the back picture with its glow
  kButtonGlow = 16,           // a pulsing glow behind the button
  kButtonTooltipFont = 32,    // the label uses the small "Tooltip" face
};

// Pictures (style & kButtonPictureMask); 0 and 8..15 have none and show only their label.
enum : uint32_t {
  kButtonLabelOnly = 0,
  kButtonLarge = 1,
  kButtonWide = 2,
  kButtonBack = 3,
  kButtonCamera = 4,
  kButtonCameraWide = 5,
  kButtonUp = 6,
  kButtonDown = 7,
  kButtonPictureCount = 8,
};

// Tooltip flags (also the placement a button asks for).
enum : uint32_t {
  kTooltipLeftAligned = 0x10000,    // left edge at the anchor's left (a button: to its right)
  kTooltipRightAligned = 0x20000,   // right edge at the anchor's right (a button: to its left)
  kTooltipOneLine = 0x40000,        // the text as passed, one line; otherwise a string-table key
  kTooltipSticky = 0x80000,         // fully shown at once, never grows, never goes away by itself
  kTooltipCloseOnClick = 0x200000,  // closes on a click inside the current scene
};

struct ButtonStyleInfo {
  const char* picture;     // null: no picture
  float naturalAspect;     // 0: the label's aspect
  float labelHeight;       // label height as a fraction of the button's
  float labelAspectLimit;  // 0: none (the label fills the button)
  const char* font;
  uint32_t normalColor;
  uint32_t hoveredColor;
};

const ButtonStyleInfo& ButtonStyleFor(uint32_t style);
// The style's font, "Tooltip" with kButtonTooltipFont.
const char* ButtonFontFor(uint32_t style);
bool ButtonHasPicture(uint32_t style);

// Where the label goes: styles with a picture centre a label of the style's height fraction and at
// most its aspect limit; the others fill the button.
ScreenRect ButtonLabelRect(const ScreenRect& button, uint32_t style, float labelAspect);
// The glow: the button grown by 0.4 of its height on every side.
ScreenRect ButtonGlowRect(const ScreenRect& button);
// The glow's grey level: sin^2(3 t) x 255 x opacity, as an opaque grey (drawn additively).
uint32_t ButtonGlowColor(float time, float opacity);

// The share of the button still covered by the disabled overlay: 1 at the start, 0 once ready.
float DisabledFraction(float now, float start, float duration);
// Whether the disabled period ends in the frame at now that lasted elapsed seconds: exactly one
// frame of any run of frames sees it.
bool DisabledEndsThisFrame(float now, float start, float duration, float elapsed);

// The rectangle a hovered button shows its tooltip in. Flags 0: centred below the button, as wide
// as the scene allows on both sides; left/right aligned: beside the button, as high as it.
ScreenRect ButtonTooltipRect(const ScreenRect& button, uint32_t flags, int lines, const ScreenRect& scene,
                             float clientWidth);
