// A cloud picture scrolling slowly sideways behind a venue's background, seen through its
// transparent sky. The picture drifts right by one texture width every 200 seconds.
#pragma once

#include <string>

#include "data/xml_document.h"
#include "scene/sprite.h"

namespace effects {
// The texture window at time t for a rectangle of the given aspect: u from start to end, where a
// picture of aspect 2.51 fills a rectangle of the same aspect undistorted.
struct DriftWindow {
  float start, end;
};
DriftWindow VenueCloudWindow(float aspect, float t);
}  // namespace effects

class CClouds : public CSprite {
 public:
  static constexpr float kTextureAspect = 2.51f;
  static constexpr float kDriftPeriod = 200.0f;

  CClouds(CGameObject* environment, const ScreenRect& reference, const std::string& textureName);
  // From a Clouds element ("Rect", "Texture").
  CClouds(CGameObject* environment, XmlDocument& doc, XmlNode element);
  ~CClouds() override;

  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int GetTypeId() override { return TypeId::kClouds; }
  int HitTest() override { return kHitNone; }
  int GetCursorKind() override { return 1; }

  const std::string& TextureName() const { return textureName_; }
  const ScreenRect& Reference() const { return reference_; }

 private:
  ScreenRect reference_;
  std::string textureName_;
  TextureEntry* cloudTexture_ = nullptr;
  gfx::VertexBuffer* buffer_ = nullptr;
};
