// A rectangle in client pixels (y grows downwards) that may be turned about its centre. Sprites
// store where they sit inside their parent; ScreenRect is what that placement means on screen.
#pragma once

namespace scene {
// Content files give rectangles and points in this frame; owners map them onto a parent rectangle.
constexpr float kReferenceWidth = 1024.0f;
constexpr float kReferenceHeight = 768.0f;
}  // namespace scene

struct ScreenRect {
  float left = 0, top = 0, right = 0, bottom = 0;
  float angle = 0;  // radians; a positive angle turns the rectangle clockwise on screen

  ScreenRect() = default;
  ScreenRect(float l, float t, float r, float b, float a = 0)
      : left(l), top(t), right(r), bottom(b), angle(a) {}

  float Width() const { return right - left; }
  float Height() const { return bottom - top; }
  float CenterX() const { return (left + right) * 0.5f; }
  float CenterY() const { return (top + bottom) * 0.5f; }
  // Width / height; 0 for a rectangle without height (never a division by zero).
  float Aspect() const;

  static ScreenRect FromCenter(float width, float height, float centerX, float centerY, float angle = 0);
  // The largest rectangle of the given aspect centred in this one; the angle stays.
  ScreenRect FitAspect(float aspect) const;
  // Maps r, given in a reference frame of refWidth x refHeight, proportionally into target (angle 0).
  static ScreenRect MapFromReference(const ScreenRect& r, float refWidth, float refHeight,
                                     const ScreenRect& target);
  // The same for a point.
  static void MapPointFromReference(float x, float y, float refWidth, float refHeight,
                                    const ScreenRect& target, float& outX, float& outY);
  // Same centre and angle, width and height multiplied by factor.
  ScreenRect Scale(float factor) const;
  // Axis-aligned box around the turned rectangle.
  ScreenRect BoundingBox() const;
  // Inclusive on all four sides; a turned rectangle tests in its own frame.
  bool ContainsPoint(float x, float y) const;

  // The rectangle's own frame: x axis (cos a, sin a) x half width, y axis (-sin a, cos a) x half
  // height, origin the centre. Local (-1, -1) is the top-left corner, local y = -1 the top edge.
  void ToScreen(float localX, float localY, float& x, float& y) const;
  // The inverse; a rectangle without width or height maps everything to local (0, 0) and answers false.
  bool ToLocal(float x, float y, float& localX, float& localY) const;
};

bool operator==(const ScreenRect& a, const ScreenRect& b);
