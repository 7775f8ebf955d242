// CPortal: a doorway painted in a venue. Green-gold points rise in its rectangle, the name of the
// place beyond shows at the pointer, and a click takes the player there with footsteps, unless
// the door's story rule keeps it shut (a remark, a key, a keypad puzzle). Doors that lead only to
// finished areas are not built at all.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/xml_document.h"
#include "effects/point_sprites.h"
#include "scene/sprite.h"

namespace portal {

inline constexpr int kDefaultParticles = 100;
inline constexpr int kMaxParticles = 1000;

// A "Portal" element.
struct Spec {
  int portalId = 0;
  std::string levelName;
  std::string displayName;
  std::array<int, 4> rect{};  // left, top, right, bottom in the 1024 x 768 reference frame
  int particles = kDefaultParticles;
};
// Reads the element; "Particles" is kept to 1..1000.
Spec ReadSpec(XmlDocument& doc, XmlNode element);

struct Particle {
  float birth = -1;  // negative: never used
  float life = 0;
  float x = 0, y = 0;  // start in the portal's unit square
  float speed = 0;     // rise in unit-square heights over its life
  float size = 0;
  float screenX = 0, screenY = 0;
  uint32_t color = 0;
};
// Rebirths a particle that is over (or never lived) and returns its progress 0..1 at now.
float Advance(Particle& p, float now);
// Its looks at progress t: point size (against the back buffer's height) and opaque colour.
float ParticleSize(float t, float backBufferHeight);
uint32_t ParticleColor(float t);

}  // namespace portal

class CPortal : public CSprite {
 public:
  CPortal(CSprite* venue, const portal::Spec& spec);
  ~CPortal() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kPortal; }
  int GetCursorKind() override { return 3; }
  int HitTest() override;

  const portal::Spec& Spec() const { return spec_; }
  const std::vector<portal::Particle>& Particles() const { return particles_; }

 private:
  void FillVertexBuffer();
  void Enter();

  portal::Spec spec_;
  std::vector<portal::Particle> particles_;
  TextureEntry* particleTexture_ = nullptr;
  effects::PointBuffer points_;
};

// The portal of a venue file's "Portal" element, or null when its build rule leaves it out.
CPortal* BuildPortal(CSprite* venue, XmlDocument& doc, XmlNode element);
