// Conversation file bytes -> entries. Whatever the bytes, the reader keeps its promises: a known
// corner character or none, pictures with a finite positive aspect and a finite angle, and an entry
// per child element of the root (never for comments or text).
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "data/xml_document.h"
#include "ui/conversation_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  speech::ConversationScript script;
  if (!speech::ParseConversationScript(data, size, script)) {
    if (!script.entries.empty() || script.character != -1) std::abort();
    return 0;
  }
  if (script.character < -1 || script.character > 5) std::abort();
  for (const speech::ConversationEntry& e : script.entries) {
    if (!std::isfinite(e.aspect) || e.aspect <= 0 || !std::isfinite(e.angle)) std::abort();
    if (e.speaker.empty()) std::abort();
  }
  XmlDocument doc;
  if (doc.LoadBytes(data, size) != 0) std::abort();
  XmlNode root = doc.Root();
  const int elements = doc.ChildElementCount(root);
  doc.ReleaseNode(root);
  if (size_t(elements) != script.entries.size()) std::abort();
  return 0;
}
