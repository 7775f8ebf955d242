// A conversation file "GUI\Characters\<name>.xml" read into plain entries. The root's "Character"
// picks the corner character (0..5, else none). Each child element of the root is one entry in
// order: "Jorvane" is a line of the lead character, "Image" a picture, any other name a line of the
// corner character. Comments and text between the elements are not entries.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class XmlDocument;

namespace speech {

enum class EntryKind { kLead, kCorner, kPicture };

struct ConversationEntry {
  EntryKind kind = EntryKind::kLead;
  std::string speaker;  // the element's name
  std::string text;     // string-table key of a line, file name in "GUI\Characters" of a picture
  float aspect = 1.0f;  // pictures: width / height, finite and positive
  float angle = 0.0f;   // pictures: radians, finite
};

struct ConversationScript {
  int character = -1;  // -1: no corner character
  std::vector<ConversationEntry> entries;
};

// The archive member of a conversation.
std::string ConversationMemberName(const std::string& name);
// False when the document has no root element.
bool ReadConversationScript(XmlDocument& doc, ConversationScript& out);
// Parses the bytes of a conversation file; false when they are not a document with a root.
bool ParseConversationScript(const void* data, size_t size, ConversationScript& out);

}  // namespace speech
