// The "PlayerAttribs" element of a profile: the record's own fields, read on load and rewritten
// (as the root's last child, attributes in a fixed order) on every save.
#include <algorithm>
#include <cmath>

#include "player/game_state.h"

namespace {
constexpr const char* kAttribs = "PlayerAttribs";

// A time from a profile; anything the game could not have written counts as no time.
float SaneTime(float t) {
  return (std::isfinite(t) && t >= 0.0f) ? t : 0.0f;
}
}  // namespace

void ReadPlayerAttribs(XmlDocument& doc, GameState& state) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return;
  ScopedXmlNode attribs(doc, doc.FindChildNode(root, kAttribs));
  if (!attribs || !doc.IsElement(attribs)) return;

  // A list with any bad item comes back empty, so the flags keep their defaults whole.
  std::vector<int> words = doc.GetIntListAttribute(attribs, "Flags");
  size_t n = std::min<size_t>(words.size(), FlagSet::kWordCount);
  for (size_t i = 0; i < n; ++i) state.flags.SetWord(static_cast<int>(i), static_cast<uint32_t>(words[i]));

  state.stage = doc.GetIntAttribute(attribs, "Stage", 0);
  state.classId = doc.GetIntAttribute(attribs, "ClassID", 0);
  state.cumulativeTime = SaneTime(doc.GetFloatAttribute(attribs, "CumulativeTime", 0.0f));
  state.bestGameTime = SaneTime(doc.GetFloatAttribute(attribs, "BestGameTime", 0.0f));
  state.pendingTime = 0.0f;
  // An empty venue name could only send "Continue" to a venue that does not exist.
  state.lastKnownVenue = doc.CopyAttribute(attribs, "LastKnownVenue");
  if (state.lastKnownVenue && state.lastKnownVenue->empty()) state.lastKnownVenue.reset();
}

void WritePlayerAttribs(XmlDocument& doc, const GameState& state) {
  XmlNode rootNode = doc.Root();
  if (rootNode == kNoNode) rootNode = doc.CreateElement(0, "Player");
  ScopedXmlNode root(doc, rootNode);
  if (!root) return;

  // Every old copy goes: loading reads the first one, so a second copy left in front of the new
  // element would hide every later save.
  for (XmlNode old; (old = doc.FindChildNode(root, kAttribs)) != kNoNode;) doc.RemoveNode(old);

  ScopedXmlNode attribs(doc, doc.CreateElement(root, kAttribs));
  if (!attribs) return;
  doc.SetAttribute(attribs, "Flags", state.flags.ToText().c_str());
  doc.SetIntAttribute(attribs, "Stage", state.stage);
  doc.SetFloatAttribute(attribs, "CumulativeTime", state.cumulativeTime + state.pendingTime);
  doc.SetFloatAttribute(attribs, "BestGameTime", state.bestGameTime);
  doc.SetIntAttribute(attribs, "ClassID", state.classId);
  if (state.lastKnownVenue) doc.SetAttribute(attribs, "LastKnownVenue", state.lastKnownVenue->c_str());
}
