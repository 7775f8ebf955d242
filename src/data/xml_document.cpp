#include "data/xml_document.h"

#include <algorithm>
#include <cstring>
#include <pugixml.hpp>
#include <string_view>

#include "data/pakfile.h"
#include "data/xml_text.h"
#include "platform/os/host.h"

namespace {

// Comments, processing instructions and the declaration are kept as nodes. Entities are decoded
// by our own pass so that character references become Windows-1252 bytes, not UTF-8.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_wconv_attribute | pugi::parse_eol |
                                   pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration;
constexpr size_t kMaxFileBytes = size_t(256) << 20;
constexpr size_t kNameCompareLength = 99;

// A handle is (generation << 22) | (slot + 1): always positive, never 0, and a released handle
// stops working even when its slot is reused.
constexpr uint32_t kSlotBits = 22;
constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
constexpr uint32_t kMaxSlots = kSlotMask - 1;
constexpr uint32_t kGenerationMask = 0x1FF;

const char* NodeName(const pugi::xml_node& n) {
  switch (n.type()) {
    case pugi::node_document:
      return "#document";
    case pugi::node_pcdata:
      return "#text";
    case pugi::node_cdata:
      return "#cdata-section";
    case pugi::node_comment:
      return "#comment";
    default:
      return n.name();
  }
}

bool CanHoldElements(const pugi::xml_node& n) {
  return n.type() == pugi::node_element || n.type() == pugi::node_document;
}

void DecodeTree(pugi::xml_node root) {
  auto decode = [](const char* text, auto&& set) {
    if (std::strchr(text, '&')) set(xmltext::DecodeEntities(text).c_str());
  };
  // Iterative: a document may nest deeper than the stack would allow.
  pugi::xml_node n = root.first_child();
  while (n) {
    if (n.type() == pugi::node_pcdata) decode(n.value(), [&](const char* v) { n.set_value(v); });
    if (n.type() == pugi::node_element)
      for (pugi::xml_attribute a : n.attributes()) decode(a.value(), [&](const char* v) { a.set_value(v); });
    if (n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n && !n.next_sibling() && n != root) n = n.parent();
    if (!n || n == root) break;
    n = n.next_sibling();
  }
}

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

}  // namespace

struct XmlDocument::Impl {
  struct Slot {
    pugi::xml_node node;
    uint32_t generation = 0;
    bool used = false;
  };

  pugi::xml_document doc;
  bool closed = false;
  std::vector<Slot> slots;
  std::vector<uint32_t> freeSlots;
  size_t live = 0;

  XmlNode NewHandle(pugi::xml_node n) {
    if (!n || closed) return kNoNode;
    uint32_t index;
    if (!freeSlots.empty()) {
      index = freeSlots.back();
      freeSlots.pop_back();
    } else {
      if (slots.size() >= kMaxSlots) return kNoNode;
      index = uint32_t(slots.size());
      slots.emplace_back();
    }
    Slot& s = slots[index];
    s.node = n;
    s.used = true;
    ++live;
    return XmlNode((s.generation << kSlotBits) | (index + 1));
  }

  Slot* Find(XmlNode h) {
    if (h <= 0 || closed) return nullptr;
    uint32_t index = (uint32_t(h) & kSlotMask) - 1;
    uint32_t generation = uint32_t(h) >> kSlotBits;
    if (index >= slots.size()) return nullptr;
    Slot& s = slots[index];
    return s.used && s.generation == generation ? &s : nullptr;
  }

  pugi::xml_node Resolve(XmlNode h) {
    Slot* s = Find(h);
    return s ? s->node : pugi::xml_node();
  }

  pugi::xml_node Element(XmlNode h) {
    pugi::xml_node n = Resolve(h);
    return n.type() == pugi::node_element ? n : pugi::xml_node();
  }

  void Free(Slot& s) {
    s.used = false;
    s.node = pugi::xml_node();
    s.generation = (s.generation + 1) & kGenerationMask;
    freeSlots.push_back(uint32_t(&s - slots.data()));
    --live;
  }

  void FreeAll() {
    for (Slot& s : slots)
      if (s.used) Free(s);
  }

  void Reset() {
    FreeAll();
    doc.reset();
  }

  void AddDeclaration() {
    pugi::xml_node decl = doc.prepend_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "Windows-1252";
  }

  const char* AttributeText(XmlNode h, const char* name) {
    if (!name) return nullptr;
    pugi::xml_attribute a = Element(h).attribute(name);
    return a ? a.value() : nullptr;
  }
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {
  impl_->AddDeclaration();
}

XmlDocument::~XmlDocument() = default;

// ---- Document -----------------------------------------------------------------------------------

int XmlDocument::LoadBytes(const void* data, size_t size) {
  if (impl_->closed) return 1;
  // Nodes of the previous content die with it; so do their handles.
  impl_->Reset();
  pugi::xml_parse_result result = impl_->doc.load_buffer(data, size, kParseOptions, pugi::encoding_utf8);
  if (!result) {
    // The parser keeps what it built before the error; a failed load must leave nothing.
    impl_->doc.reset();
    return 1;
  }
  DecodeTree(impl_->doc);
  return 0;
}

int XmlDocument::LoadMember(const char* memberName) {
  if (impl_->closed || !memberName) return 1;
  std::optional<std::vector<uint8_t>> bytes = OpenDataPak("Database.pak")->ReadMember(memberName);
  if (!bytes) {
    impl_->Reset();
    return 1;
  }
  return LoadBytes(bytes->data(), bytes->size());
}

int XmlDocument::LoadFile(const std::string& path) {
  if (impl_->closed) return 1;
  std::vector<uint8_t> bytes;
  if (!os::ReadFile(path, bytes, kMaxFileBytes)) {
    impl_->Reset();
    return 1;
  }
  return LoadBytes(bytes.data(), bytes.size());
}

std::string XmlDocument::SaveToString() {
  if (impl_->closed) return {};
  pugi::xml_node first = impl_->doc.first_child();
  if (first.type() == pugi::node_declaration) {
    // Whatever the loaded text declared, the saved bytes are Windows-1252.
    pugi::xml_attribute standalone = first.attribute("standalone");
    std::string keep = standalone ? standalone.value() : "";
    first.remove_attributes();
    first.append_attribute("version") = "1.0";
    first.append_attribute("encoding") = "Windows-1252";
    if (standalone) first.append_attribute("standalone") = keep.c_str();
  } else {
    impl_->AddDeclaration();
  }
  StringWriter writer;
  impl_->doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return xmltext::Reformat(writer.text);
}

int XmlDocument::Save(const std::string& path) {
  if (impl_->closed) return 1;
  // Written whole to a temporary file and renamed, so a crash or a full disk never leaves the old
  // file cut short.
  return os::WriteFileAtomic(path, SaveToString()) ? 0 : 1;
}

XmlNode XmlDocument::Root() {
  if (impl_->closed) return kNoNode;
  for (pugi::xml_node n = impl_->doc.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return impl_->NewHandle(n);
  return kNoNode;
}

XmlNode XmlDocument::AsNode() {
  return impl_->NewHandle(impl_->doc);
}

void XmlDocument::Close() {
  impl_->Reset();
  impl_->closed = true;
}

// ---- Nodes --------------------------------------------------------------------------------------

XmlNode XmlDocument::FindChildNode(XmlNode node, const char* name) {
  pugi::xml_node parent = impl_->Resolve(node);
  if (!parent) return kNoNode;
  if (!name) return impl_->NewHandle(parent.first_child());
  std::string_view wanted(name);
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
    std::string_view have(NodeName(c));
    have = have.substr(0, kNameCompareLength);
    if (have.size() != wanted.size()) continue;
    bool same = true;
    for (size_t i = 0; i < have.size() && same; ++i) {
      char a = have[i], b = wanted[i];
      if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
      if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
      same = a == b;
    }
    if (same) return impl_->NewHandle(c);
  }
  return kNoNode;
}

XmlNode XmlDocument::NextSiblingNode(XmlNode node) {
  return impl_->NewHandle(impl_->Resolve(node).next_sibling());
}

XmlNode XmlDocument::NextSiblingElement(XmlNode node) {
  pugi::xml_node n = impl_->Resolve(node);
  if (!n) return kNoNode;
  for (n = n.next_sibling(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return impl_->NewHandle(n);
  return kNoNode;
}

int XmlDocument::ChildCount(XmlNode node) {
  int count = 0;
  for (pugi::xml_node c = impl_->Resolve(node).first_child(); c; c = c.next_sibling()) ++count;
  return count;
}

int XmlDocument::ChildElementCount(XmlNode node) {
  int count = 0;
  for (pugi::xml_node c = impl_->Resolve(node).first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) ++count;
  return count;
}

bool XmlDocument::IsElement(XmlNode node) {
  return impl_->Resolve(node).type() == pugi::node_element;
}

size_t XmlDocument::GetNodeName(XmlNode node, char* buffer, size_t size) {
  if (buffer && size > 0) buffer[0] = 0;
  pugi::xml_node n = impl_->Resolve(node);
  if (!n) return 0;
  std::string_view name(NodeName(n));
  if (buffer && size > 0) {
    size_t copy = std::min(name.size(), size - 1);
    std::memcpy(buffer, name.data(), copy);
    buffer[copy] = 0;
  }
  return name.size();
}

std::optional<std::string> XmlDocument::CopyNodeName(XmlNode node) {
  pugi::xml_node n = impl_->Resolve(node);
  if (!n) return std::nullopt;
  return std::string(NodeName(n));
}

std::string XmlDocument::GetText(XmlNode node) {
  std::string text;
  for (pugi::xml_node c = impl_->Resolve(node).first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) text += c.value();
  return text;
}

XmlNode XmlDocument::CreateElement(XmlNode parent, const char* name, const char* text) {
  if (impl_->closed) return kNoNode;
  pugi::xml_node p = parent == 0 ? pugi::xml_node(impl_->doc) : impl_->Resolve(parent);
  // A name that is not an XML name would make a file that can never be read back.
  if (!p || !CanHoldElements(p) || !name || !xmltext::IsValidName(name)) return kNoNode;
  if (p.type() == pugi::node_document)
    for (pugi::xml_node c = p.first_child(); c; c = c.next_sibling())
      if (c.type() == pugi::node_element) return kNoNode;  // one document element only
  pugi::xml_node e = p.append_child(name);
  if (text) e.append_child(pugi::node_pcdata).set_value(text);
  return impl_->NewHandle(e);
}

void XmlDocument::RemoveNode(XmlNode node) {
  Impl::Slot* slot = impl_->Find(node);
  if (!slot) return;
  pugi::xml_node n = slot->node;
  pugi::xml_node parent = n.parent();
  if (!parent) {  // the document itself stays
    impl_->Free(*slot);
    return;
  }
  // Handles to the node or anything inside it would point at freed memory once it is gone.
  for (Impl::Slot& s : impl_->slots) {
    if (!s.used) continue;
    for (pugi::xml_node up = s.node; up; up = up.parent())
      if (up == n) {
        impl_->Free(s);
        break;
      }
  }
  parent.remove_child(n);
}

void XmlDocument::ReleaseNode(XmlNode node) {
  if (Impl::Slot* s = impl_->Find(node)) impl_->Free(*s);
}

size_t XmlDocument::LiveHandleCount() const {
  return impl_->live;
}

// ---- Attributes ---------------------------------------------------------------------------------

size_t XmlDocument::GetAttribute(XmlNode node, const char* name, char* buffer, size_t size) {
  if (buffer && size > 0) buffer[0] = 0;
  const char* text = impl_->AttributeText(node, name);
  if (!text) return 0;
  size_t length = std::strlen(text);
  if (buffer && size > 0) {
    size_t copy = std::min(length, size - 1);
    std::memcpy(buffer, text, copy);
    buffer[copy] = 0;
  }
  return length;
}

bool XmlDocument::HasAttribute(XmlNode node, const char* name) {
  return impl_->AttributeText(node, name) != nullptr;
}

std::vector<std::string> XmlDocument::AttributeNames(XmlNode node) {
  std::vector<std::string> names;
  for (pugi::xml_attribute a : impl_->Element(node).attributes()) names.emplace_back(a.name());
  return names;
}

std::optional<std::string> XmlDocument::CopyAttribute(XmlNode node, const char* name, const char* def) {
  if (const char* text = impl_->AttributeText(node, name)) return std::string(text);
  if (def) return std::string(def);
  return std::nullopt;
}

int XmlDocument::GetIntAttribute(XmlNode node, const char* name, int def) {
  const char* text = impl_->AttributeText(node, name);
  if (!text) return def;
  return xmltext::ParseLeadingInt(text).value_or(def);
}

float XmlDocument::GetFloatAttribute(XmlNode node, const char* name, float def) {
  const char* text = impl_->AttributeText(node, name);
  if (!text) return def;
  return xmltext::ParseLeadingFloat(text).value_or(def);
}

std::vector<int> XmlDocument::GetIntListAttribute(XmlNode node, const char* name) {
  const char* text = impl_->AttributeText(node, name);
  return text ? xmltext::ParseIntList(text) : std::vector<int>();
}

std::vector<float> XmlDocument::GetFloatListAttribute(XmlNode node, const char* name) {
  const char* text = impl_->AttributeText(node, name);
  return text ? xmltext::ParseFloatList(text) : std::vector<float>();
}

std::array<int, 4> XmlDocument::GetRectAttribute(XmlNode node, const char* name, const int* def) {
  std::vector<int> v = GetIntListAttribute(node, name);
  if (v.size() == 4) return {v[0], v[1], v[2], v[3]};
  if (def) return {def[0], def[1], def[2], def[3]};
  return {0, 0, 0, 0};
}

std::array<int, 2> XmlDocument::GetPointAttribute(XmlNode node, const char* name, const int* def) {
  std::vector<int> v = GetIntListAttribute(node, name);
  if (v.size() == 2) return {v[0], v[1]};
  if (def) return {def[0], def[1]};
  return {0, 0};
}

std::array<float, 2> XmlDocument::GetVec2Attribute(XmlNode node, const char* name) {
  std::vector<float> v = GetFloatListAttribute(node, name);
  if (v.size() == 2) return {v[0], v[1]};
  return {0.0f, 0.0f};
}

bool XmlDocument::SetAttribute(XmlNode node, const char* name, const char* text) {
  pugi::xml_node e = impl_->Element(node);
  if (!name) name = "No Name";
  if (!text) text = "No Text";
  // "No Name" itself is no XML name; writing it would spoil the whole file, so a missing name
  // is refused like any other invalid one.
  if (!e || !xmltext::IsValidName(name)) return false;
  pugi::xml_attribute a = e.attribute(name);
  if (!a) a = e.append_attribute(name);
  return a.set_value(text);
}

bool XmlDocument::SetIntAttribute(XmlNode node, const char* name, int value) {
  return SetAttribute(node, name, xmltext::FormatInt(value).c_str());
}

bool XmlDocument::SetFloatAttribute(XmlNode node, const char* name, float value) {
  return SetAttribute(node, name, xmltext::FormatFloat(value).c_str());
}

bool XmlDocument::SetIntListAttribute(XmlNode node, const char* name, std::span<const int> values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) text += ',';
    text += xmltext::FormatInt(values[i]);
  }
  return SetAttribute(node, name, text.c_str());
}

bool XmlDocument::SetFloatListAttribute(XmlNode node, const char* name, std::span<const float> values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) text += ',';
    text += xmltext::FormatFloat(values[i]);
  }
  return SetAttribute(node, name, text.c_str());
}
