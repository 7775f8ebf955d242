// CSearchPatch: a piece of an alternative background that blinks on and off at random intervals
// (a flickering lamp, a blinking sign). Its texture is a picture of the whole scene area; only the
// part under the patch is shown. Every live patch is in one list, so all can be shown or hidden
// at once.
#pragma once

#include <string>

#include "data/xml_document.h"
#include "scene/sprite.h"
#include "search/venue_file.h"

class CSearchPatch : public CSprite {
 public:
  // From a "Patch" element of a venue file.
  CSearchPatch(CGameObject* parent, XmlDocument& doc, XmlNode element);
  // Directly: a negative period means 0.5 s, a negative variance 0.8.
  CSearchPatch(CGameObject* parent, const ScreenRect& reference, const char* texture, float period,
               float variance);
  ~CSearchPatch() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kSearchPatch; }
  int HitTest() override { return kHitNone; }

  float GetPeriod() const { return period_; }
  float GetVariance() const { return variance_; }
  float GetNextToggle() const { return nextToggle_; }
  const std::string& GetTextureName() const { return textureName_; }

  static CSearchPatch* First();
  CSearchPatch* Next() const { return next_; }

 private:
  void Init(CGameObject* parent, const venue::PatchSpec& spec);
  ScreenRect Target();
  int FillVertexBuffer();

  ScreenRect reference_;
  std::string textureName_;
  float period_ = venue::PatchSpec::kDefaultPeriod;
  float variance_ = venue::PatchSpec::kDefaultVariance;
  float nextToggle_ = 0;
  gfx::VertexBuffer* buffer_ = nullptr;
  CSearchPatch* prev_ = nullptr;
  CSearchPatch* next_ = nullptr;
};

// The time of the next change: now + period x r, r uniform in [1 - variance, 1 + variance].
float NextPatchToggle(float now, float period, float variance);
// Shows (true) or hides every live patch.
void SetPatchesVisible(bool visible);
int CountPatches();
