// The night sky drawn behind venues, the main menu and the interior of night-sky dialogs: a dark
// sky picture, twinkling stars and a slowly drifting veil of clouds over a rectangle.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/point_sprites.h"
#include "scene/screen_rect.h"

namespace effects {

// One star: position in the unit square of the filled rectangle (-1..1, y -1 at the top), opaque
// colour, base size, twinkle period and phase in seconds.
struct Star {
  float x = 0, y = 0;
  uint32_t color = 0xFFFFFFFF;
  float baseSize = 1;
  float period = 10;
  float phase = 0;
};

constexpr int kFullScreenStars = 750;
// The most stars any rectangle gets (four screens' worth).
constexpr int kMaxStars = 4 * kFullScreenStars;

// 750 stars per client area, in proportion to width x height; 0 for an empty, inverted or invalid
// rectangle or a client without size, and never more than kMaxStars.
int StarCountFor(float width, float height, int clientWidth, int clientHeight);
// The opaque colour of hue h (radians) at saturation s and value 1, six sectors of pi / 3.
uint32_t HsvStarColor(float hue, float saturation);
// A star drawn from the game's generator.
Star RandomStar();
// The size factor at t seconds after the sky was made: up to twice the base size during the
// first fifth of each period, the base size otherwise.
float StarSizeFactor(const Star& star, float t);
// The cloud texture window at t seconds for a rectangle of the given aspect: u from u0 to u1,
// v from 0 to v1 (one texture width a minute).
struct CloudWindow {
  float u0, u1, v1;
};
CloudWindow SkyCloudWindow(float aspect, float t);

class NightSkyFill {
 public:
  NightSkyFill() = default;
  NightSkyFill(const NightSkyFill&) = delete;
  NightSkyFill& operator=(const NightSkyFill&) = delete;
  ~NightSkyFill() { Release(); }

  // Replaces the stars with count new ones (clamped to 0..kMaxStars); a changed count drops the
  // star buffer so the next Restore makes one of the right size.
  void SetStarCount(int count);
  // The count rule for a rectangle of width x height pixels.
  void SetStarArea(float width, float height);
  int StarCount() const { return int(stars_.size()); }
  const std::vector<Star>& Stars() const { return stars_; }
  std::vector<Star>& MutableStars() { return stars_; }

  // Creates the missing buffers; failures show "Failed to create cloud vertex buffer" or
  // "Failed to create star vertex buffer" under the caption and return the device error.
  int Restore(gfx::Device* device, const char* caption);
  void Release();
  // Sky, stars and clouds over rect at the given opacity, timed from createdAt.
  void Draw(gfx::Device* device, const ScreenRect& rect, float createdAt, float opacity);

 private:
  void DrawStars(gfx::Device* device, const ScreenRect& rect, float t, float opacity);
  void DrawClouds(gfx::Device* device, const ScreenRect& rect, float t, float opacity);

  std::vector<Star> stars_;
  PointBuffer starBuffer_;
  gfx::VertexBuffer* cloudBuffer_ = nullptr;
  const char* caption_ = "NightSkyFill::Restore()";
  bool retryStarBuffer_ = false;
};

}  // namespace effects
