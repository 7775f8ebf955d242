// Document bytes -> load -> walk every node -> every getter; a document that loads must save to
// text that loads again with the same root. (Saved text is not a fixed point for mixed content:
// the line breaks put before a tag that follows text become part of that text.)
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/xml_document.h"

namespace {

void Touch(XmlDocument& doc, XmlNode n) {
  char buf[16];
  doc.GetNodeName(n, buf, sizeof buf);
  doc.CopyNodeName(n);
  doc.ChildCount(n);
  doc.GetText(n);
  if (!doc.IsElement(n)) return;
  std::vector<std::string> names = doc.AttributeNames(n);
  names.push_back("Value");
  for (const std::string& a : names) {
    const char* name = a.c_str();
    doc.GetAttribute(n, name, buf, sizeof buf);
    doc.CopyAttribute(n, name, "d");
    doc.GetIntAttribute(n, name, 0);
    doc.GetFloatAttribute(n, name, 0);
    doc.GetIntListAttribute(n, name);
    doc.GetFloatListAttribute(n, name);
    doc.GetRectAttribute(n, name);
    doc.GetPointAttribute(n, name);
    doc.GetVec2Attribute(n, name);
  }
  XmlNode byName = doc.FindChildNode(n, "value");
  doc.ReleaseNode(byName);
}

// Depth-first without recursion: inputs may nest deeper than the stack allows.
void Walk(XmlDocument& doc) {
  std::vector<XmlNode> stack;
  stack.push_back(doc.AsNode());
  while (!stack.empty()) {
    XmlNode n = stack.back();
    stack.pop_back();
    Touch(doc, n);
    XmlNode next = doc.NextSiblingNode(n);
    XmlNode child = doc.FindChildNode(n);
    doc.ReleaseNode(n);
    if (next != kNoNode) stack.push_back(next);
    if (child != kNoNode) stack.push_back(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlDocument doc;
  if (doc.LoadBytes(data, size) != 0) {
    if (doc.Root() != kNoNode) std::abort();  // a failed load leaves nothing behind
    return 0;
  }
  Walk(doc);
  if (doc.LiveHandleCount() != 0) std::abort();

  std::string saved = doc.SaveToString();
  XmlDocument again;
  if (again.LoadBytes(saved.data(), saved.size()) != 0) std::abort();
  XmlNode r1 = doc.Root(), r2 = again.Root();
  if (doc.CopyNodeName(r1) != again.CopyNodeName(r2)) std::abort();
  doc.ReleaseNode(r1);
  again.ReleaseNode(r2);
  return 0;
}
