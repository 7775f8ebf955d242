#include "ui/button_style.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kYellow = 0xFFFFFF00, kBlack = 0xFF000000;
constexpr const char* kDisplayFont = "VictorianLET";
constexpr const char* kCameraFont = "GoldFlat";

// clang-format off
const ButtonStyleInfo kStyles[kButtonPictureCount] = {
    {nullptr,                     0.0f,  1.0f,   0.0f,  kDisplayFont, kWhite, kYellow},
    {"GUI\\Button1.png",          2.94f, 0.615f, 3.36f, kDisplayFont, kWhite, kYellow},
    {"GUI\\Button2.png",          3.63f, 0.619f, 4.51f, kDisplayFont, kWhite, kYellow},
    {"GUI\\BackButton.png",       2.0f,  1.0f,   1.0f,  kDisplayFont, kWhite, kYellow},
    {"GUI\\CameraButton.png",     1.0f,  0.8f,   1.51f, kCameraFont,  kBlack, kBlack},
    {"GUI\\CameraButtonWide.png", 3.0f,  0.8f,   3.3f,  kCameraFont,  kBlack, kBlack},
    {"GUI\\UpButton.png",         1.0f,  1.0f,   1.0f,  kDisplayFont, kWhite, kYellow},
    {"GUI\\DownButton.png",       1.0f,  1.0f,   1.0f,  kDisplayFont, kWhite, kYellow},
};
// clang-format on

}  // namespace

const ButtonStyleInfo& ButtonStyleFor(uint32_t style) {
  const uint32_t index = style & kButtonPictureMask;
  return kStyles[index < kButtonPictureCount ? index : kButtonLabelOnly];
}

const char* ButtonFontFor(uint32_t style) {
  return (style & kButtonTooltipFont) ? "Tooltip" : ButtonStyleFor(style).font;
}

bool ButtonHasPicture(uint32_t style) {
  return ButtonStyleFor(style).picture != nullptr;
}

ScreenRect ButtonLabelRect(const ScreenRect& button, uint32_t style, float labelAspect) {
  if (!ButtonHasPicture(style)) return button;
  const ButtonStyleInfo& info = ButtonStyleFor(style);
  const float height = button.Height() * info.labelHeight;
  const float aspect = std::min(labelAspect, info.labelAspectLimit);
  return ScreenRect::FromCenter(height * aspect, height, button.CenterX(), button.CenterY(), button.angle);
}

ScreenRect ButtonGlowRect(const ScreenRect& button) {
  const float grow = 0.4f * button.Height();
  return ScreenRect(button.left - grow, button.top - grow, button.right + grow, button.bottom + grow,
                    button.angle);
}

uint32_t ButtonGlowColor(float time, float opacity) {
  const float s = std::sin(3.0f * time);
  const float g = std::clamp(s * s * 255.0f * opacity, 0.0f, 255.0f);
  return 0xFF000000u + uint32_t(g) * 0x010101u;
}

float DisabledFraction(float now, float start, float duration) {
  if (!(duration > 0.0f)) return 0.0f;
  return std::clamp(1.0f - (now - start) / duration, 0.0f, 1.0f);
}

bool DisabledEndsThisFrame(float now, float start, float duration, float elapsed) {
  const float end = start + duration;
  return now >= end && now < end + elapsed;
}

ScreenRect ButtonTooltipRect(const ScreenRect& button, uint32_t flags, int lines, const ScreenRect& scene,
                             float clientWidth) {
  const float w = button.Width(), h = button.Height();
  if (flags & kTooltipLeftAligned) {
    const float left = button.right + 0.125f * w;
    return ScreenRect(left, button.top, left + clientWidth, button.bottom);
  }
  if (flags & kTooltipRightAligned) {
    const float right = button.left - 0.125f * w;
    return ScreenRect(right - clientWidth, button.top, right, button.bottom);
  }
  const float cx = button.CenterX();
  const float half = std::max(0.0f, std::min(cx - scene.left, scene.right - cx));
  const float top = button.bottom + 0.25f * h;
  const float height = h * (float(std::max(lines, 1)) * 0.67f + 0.33f);
  return ScreenRect(cx - half, top, cx + half, top + height);
}
