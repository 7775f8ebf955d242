// The one way the game touches XML. A document hands out integer node handles; every handle an
// operation returns is a new reference the caller gives back with ReleaseNode (ScopedXmlNode does it
// on scope exit). Every operation accepts kNoNode (-1) and the null handle 0 as "no node" and then
// returns its failure value. Missing nodes and attributes become defaults, never errors.
//
// Text is Windows-1252 bytes end to end: the bytes of a member or file are taken as they are,
// whatever encoding the declaration names, and saved documents declare Windows-1252. Character
// references are turned into Windows-1252 bytes (a character without one becomes a space).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

using XmlNode = int32_t;
inline constexpr XmlNode kNoNode = -1;

class XmlDocument {
 public:
  // A new document holds only the declaration version="1.0" encoding="Windows-1252".
  XmlDocument();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // ---- Document ---------------------------------------------------------------------------------

  // Parses the member of Database.pak (in the data root; opened on first use). 0 on success,
  // nonzero when the member is missing or does not parse; a failed load leaves an empty document.
  int LoadMember(const char* memberName);
  // Parses a loose file. 0 on success, nonzero on failure (empty document as above).
  int LoadFile(const std::string& path);
  // Parses bytes already in memory (the two loads above and tests). 0 on success.
  int LoadBytes(const void* data, size_t size);
  // Writes the document with a line per element and two spaces per level (CRLF line breaks, no
  // final line break) atomically to path: a failed save leaves the old file whole. 0 on success.
  int Save(const std::string& path);
  // The text Save would write.
  std::string SaveToString();

  XmlNode Root();    // the first child of the document that is an element
  XmlNode AsNode();  // the document itself, as a parent for CreateElement; -1 after Close
  // Gives the document back: every handle becomes invalid and every operation fails afterwards.
  void Close();

  // ---- Nodes ------------------------------------------------------------------------------------

  // With a name: the first child whose name equals it without regard to case (the node's name is
  // compared in its first 99 characters). With null: the first child of any kind.
  XmlNode FindChildNode(XmlNode node, const char* name = nullptr);
  // The next sibling of any kind (element, text, comment). node stays the caller's to release.
  XmlNode NextSiblingNode(XmlNode node);
  // The next sibling that is an element (of any name).
  XmlNode NextSiblingElement(XmlNode node);
  int ChildCount(XmlNode node);         // child nodes of every kind
  int ChildElementCount(XmlNode node);  // child elements only
  bool IsElement(XmlNode node);
  // Copies the name (at most size - 1 bytes, zero-terminated); returns the full name's length, 0
  // on failure (buffer then empty). Text nodes are "#text", comments "#comment".
  size_t GetNodeName(XmlNode node, char* buffer, size_t size);
  std::optional<std::string> CopyNodeName(XmlNode node);
  // The concatenated text of the node's text children (an element's inner text, not nested).
  std::string GetText(XmlNode node);
  // Appends a new element (and, with text, a text child) to parent; parent 0 means the document.
  // -1 when parent cannot hold elements or name is not a valid XML name.
  XmlNode CreateElement(XmlNode parent, const char* name, const char* text = nullptr);
  // Removes the node from its parent and releases the handle; every other handle to the node or
  // to anything inside it becomes invalid too.
  void RemoveNode(XmlNode node);
  void ReleaseNode(XmlNode node);
  // Handles currently held (for leak checks in tests).
  size_t LiveHandleCount() const;

  // ---- Attributes -------------------------------------------------------------------------------

  // Copies the text (at most size - 1 bytes, zero-terminated); returns its full length, 0 when
  // missing.
  size_t GetAttribute(XmlNode node, const char* name, char* buffer, size_t size);
  bool HasAttribute(XmlNode node, const char* name);
  // The element's attribute names in document order (tools and checks of content files).
  std::vector<std::string> AttributeNames(XmlNode node);
  // The text; when missing, a copy of def, or nullopt when def is null.
  std::optional<std::string> CopyAttribute(XmlNode node, const char* name, const char* def = nullptr);
  // Leading decimal number ("12abc" gives 12); def when missing or when no number starts the text
  // or the number does not fit.
  int GetIntAttribute(XmlNode node, const char* name, int def);
  float GetFloatAttribute(XmlNode node, const char* name, float def);
  // Comma-separated lists: commas + 1 items, each parsed from the character after the previous
  // comma. Empty when missing or when any item fails (an empty text fails its one item).
  std::vector<int> GetIntListAttribute(XmlNode node, const char* name);
  std::vector<float> GetFloatListAttribute(XmlNode node, const char* name);
  // Exactly 4 (2) integers from the list; otherwise a copy of def, or zeros when def is null.
  std::array<int, 4> GetRectAttribute(XmlNode node, const char* name, const int* def = nullptr);
  std::array<int, 2> GetPointAttribute(XmlNode node, const char* name, const int* def = nullptr);
  // Exactly 2 floats, otherwise (0, 0).
  std::array<float, 2> GetVec2Attribute(XmlNode node, const char* name);

  // Sets (or adds) the attribute. A null name is written as "No Name", a null text as "No Text".
  // false when node is not an element or name is not a valid XML name.
  bool SetAttribute(XmlNode node, const char* name, const char* text);
  bool SetIntAttribute(XmlNode node, const char* name, int value);      // "%d"
  bool SetFloatAttribute(XmlNode node, const char* name, float value);  // "%g"
  bool SetIntListAttribute(XmlNode node, const char* name, std::span<const int> values);
  bool SetFloatListAttribute(XmlNode node, const char* name, std::span<const float> values);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Releases a handle when it goes out of scope.
class ScopedXmlNode {
 public:
  ScopedXmlNode(XmlDocument& doc, XmlNode node) : doc_(&doc), node_(node) {}
  ~ScopedXmlNode() { doc_->ReleaseNode(node_); }
  ScopedXmlNode(const ScopedXmlNode&) = delete;
  ScopedXmlNode& operator=(const ScopedXmlNode&) = delete;
  XmlNode get() const { return node_; }
  operator XmlNode() const { return node_; }
  explicit operator bool() const { return node_ != kNoNode && node_ != 0; }
  // Moves to the next sibling of any kind, releasing the current handle.
  void Next() {
    XmlNode next = doc_->NextSiblingNode(node_);
    doc_->ReleaseNode(node_);
    node_ = next;
  }
  void NextElement() {
    XmlNode next = doc_->NextSiblingElement(node_);
    doc_->ReleaseNode(node_);
    node_ = next;
  }

 private:
  XmlDocument* doc_;
  XmlNode node_;
};
