#include "content_tree.h"

#include <cstdlib>

#include "data/xml_document.h"

namespace contentcheck {
namespace {

Element ReadElement(XmlDocument& doc, XmlNode node) {
  Element e;
  e.name = doc.CopyNodeName(node).value_or("");
  for (const std::string& a : doc.AttributeNames(node))
    e.attributes.emplace_back(a, doc.CopyAttribute(node, a.c_str()).value_or(""));
  for (ScopedXmlNode child(doc, doc.FindChildNode(node)); child; child.Next())
    if (doc.IsElement(child)) e.children.push_back(ReadElement(doc, child));
  return e;
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool PlainAscii(const std::string& text) {
  for (unsigned char c : text)
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c > 0x7E) return false;
  return true;
}

std::optional<std::string> Element::Get(const std::string& attribute) const {
  for (const auto& [k, v] : attributes)
    if (SameText(k, attribute)) return v;
  return std::nullopt;
}

std::string Element::GetOr(const std::string& attribute, const std::string& def) const {
  return Get(attribute).value_or(def);
}

int Element::Int(const std::string& attribute, int def) const {
  const std::optional<std::string> v = Get(attribute);
  if (!v || v->empty()) return def;
  char* end = nullptr;
  const long n = std::strtol(v->c_str(), &end, 10);
  return end == v->c_str() ? def : int(n);
}

float Element::Float(const std::string& attribute, float def) const {
  const std::optional<std::string> v = Get(attribute);
  if (!v || v->empty()) return def;
  char* end = nullptr;
  const float f = std::strtof(v->c_str(), &end);
  return end == v->c_str() ? def : f;
}

std::vector<float> Element::Floats(const std::string& attribute) const {
  std::vector<float> out;
  const std::optional<std::string> v = Get(attribute);
  if (!v) return out;
  const char* p = v->c_str();
  while (true) {
    char* end = nullptr;
    const float f = std::strtof(p, &end);
    if (end == p) return {};
    out.push_back(f);
    while (*end == ' ') ++end;
    if (*end == '\0') return out;
    if (*end != ',') return {};
    p = end + 1;
  }
}

const Element* Element::Child(const std::string& childName) const {
  for (const Element& c : children)
    if (SameText(c.name, childName)) return &c;
  return nullptr;
}

std::optional<Element> ParseTree(const std::vector<uint8_t>& bytes) {
  XmlDocument doc;
  if (doc.LoadBytes(bytes.data(), bytes.size()) != 0) return std::nullopt;
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return std::nullopt;
  return ReadElement(doc, root);
}

}  // namespace contentcheck
