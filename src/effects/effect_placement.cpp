#include "effects/effect_placement.h"

#include "scene/scene_context.h"

namespace effects {

ScreenRect ReadReferenceRect(XmlDocument& doc, XmlNode element, const char* name) {
  const std::vector<float> v = doc.GetFloatListAttribute(element, name);
  if (v.size() != 4) return ScreenRect();
  return ScreenRect(v[0], v[1], v[2], v[3]);
}

ScreenRect MapToParent(CGameObject* parent, const ScreenRect& reference) {
  return ScreenRect::MapFromReference(reference, scene::kReferenceWidth, scene::kReferenceHeight,
                                      ReferenceTarget(parent));
}

}  // namespace effects
