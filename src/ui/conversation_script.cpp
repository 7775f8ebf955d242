#include "ui/conversation_script.h"

#include <cmath>

#include "data/xml_document.h"
#include "ui/speech_keys.h"

namespace speech {

namespace {

// Pictures far outside these proportions cannot be shown sensibly; the value says what was meant.
constexpr float kMinAspect = 0.05f, kMaxAspect = 20.0f;
constexpr float kMaxAngle = 6.2831853f;

float SaneAspect(float a) {
  if (!std::isfinite(a) || a <= 0.0f) return 1.0f;
  return std::fmin(std::fmax(a, kMinAspect), kMaxAspect);
}

float SaneAngle(float a) {
  return std::isfinite(a) && std::fabs(a) <= kMaxAngle ? a : 0.0f;
}

}  // namespace

std::string ConversationMemberName(const std::string& name) {
  return "GUI\\Characters\\" + name + ".xml";
}

bool ReadConversationScript(XmlDocument& doc, ConversationScript& out) {
  out = ConversationScript{};
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return false;
  const int character = doc.GetIntAttribute(root, "Character", -1);
  out.character = character >= 0 && character <= 5 ? character : -1;
  for (ScopedXmlNode node(doc, doc.FindChildNode(root)); node; node.Next()) {
    if (!doc.IsElement(node)) continue;
    ConversationEntry e;
    e.speaker = doc.CopyNodeName(node).value_or("");
    if (SameKey(e.speaker, "Jorvane")) {
      e.kind = EntryKind::kLead;
      e.text = doc.CopyAttribute(node, "Text", "").value_or("");
    } else if (SameKey(e.speaker, "Image")) {
      e.kind = EntryKind::kPicture;
      e.text = doc.CopyAttribute(node, "Name", "").value_or("");
      e.aspect = SaneAspect(doc.GetFloatAttribute(node, "AspectRatio", 1.0f));
      e.angle = SaneAngle(doc.GetFloatAttribute(node, "Angle", 0.0f));
    } else {
      e.kind = EntryKind::kCorner;
      e.text = doc.CopyAttribute(node, "Text", "").value_or("");
    }
    out.entries.push_back(std::move(e));
  }
  return true;
}

bool ParseConversationScript(const void* data, size_t size, ConversationScript& out) {
  XmlDocument doc;
  if (doc.LoadBytes(data, size) != 0) {
    out = ConversationScript{};
    return false;
  }
  return ReadConversationScript(doc, out);
}

}  // namespace speech
