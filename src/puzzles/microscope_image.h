// CMicroscopeImage: one round sample picture of the microscope puzzle. The eyepiece view swims (its
// picture is laid on a fan whose points drift) and turns with the focus ring; the candidates around
// it stand still in thin brass frames and report a click inside their circle to the scene.
#pragma once

#include <string>

#include "puzzles/microscope_rules.h"
#include "scene/sprite.h"

namespace gfx {
class VertexBuffer;
}

class CMicroscopeImage : public CSprite {
 public:
  enum : unsigned { kClickable = 1, kFramed = 2, kSwimming = 4 };
  // The scene hears this code from a clicked candidate.
  static constexpr int kCmdPicked = 1369;

  CMicroscopeImage(CSprite* scene, const ScreenRect& rect, float depth, const std::string& picture,
                   unsigned options);
  ~CMicroscopeImage() override;

  int GetTypeId() override { return TypeId::kMicroscopeImage; }
  int HitTest() override;
  int GetCursorKind() override;
  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;

  const std::string& Picture() const { return picture_; }
  // A new picture, and with it a new swim.
  void SetPicture(const std::string& picture);
  bool IsClickable() const { return (options_ & kClickable) != 0; }
  // What the object dump calls it: the eyepiece "view", a "candidate", or a flying "copy".
  const char* Role() const { return role_; }
  void SetClickable(bool clickable);
  // The view's fade: 1 full colour, 0 black.
  void SetBrightness(float brightness);

 private:
  int FillFan();

  std::string picture_;
  unsigned options_;
  const char* role_;
  microscope::Wobble wobble_;
  gfx::VertexBuffer* fan_ = nullptr;
};
