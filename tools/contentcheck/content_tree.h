// Content files read into plain trees (element name, attributes in order, children), so checks can
// walk them without node handles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace contentcheck {

struct Element {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<Element> children;

  // The attribute's text (names compare without regard to case), or nullopt.
  std::optional<std::string> Get(const std::string& attribute) const;
  std::string GetOr(const std::string& attribute, const std::string& def = {}) const;
  // A leading integer, or def when missing or not a number.
  int Int(const std::string& attribute, int def) const;
  float Float(const std::string& attribute, float def) const;
  // Comma-separated numbers; empty when missing or malformed.
  std::vector<float> Floats(const std::string& attribute) const;
  // The first child of that name (any case), or null.
  const Element* Child(const std::string& childName) const;
};

// The root element of the document, or nullopt when the bytes do not parse.
std::optional<Element> ParseTree(const std::vector<uint8_t>& bytes);

bool SameText(const std::string& a, const std::string& b);  // ASCII letter case ignored
bool PlainAscii(const std::string& text);                   // printable ASCII, tabs and line breaks

}  // namespace contentcheck
