// The typed key file that stands in for the registry: sections of named values, each an integer
// ("dword") or a string. Names compare without regard to ASCII case, as registry names do.
//
//   [Window]
//   Resolution=dword:1
//   Gamma="1.25"
//
// Parsing is tolerant: a line that cannot be understood is skipped, so one damaged line never
// costs the others. Values of a type this program does not know are kept as written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

struct Value {
  enum class Type { Dword, String, Other };
  Type type = Type::String;
  uint32_t dword = 0;
  std::string text;  // String: the bytes; Other: the raw text after '='

  static Value Dword(uint32_t v) { return {Type::Dword, v, {}}; }
  static Value String(std::string s) { return {Type::String, 0, std::move(s)}; }
};

class KeyFile {
 public:
  struct Entry {
    std::string name;
    Value value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  static KeyFile Parse(std::string_view text);
  std::string Serialize() const;

  const Value* Find(std::string_view section, std::string_view name) const;
  // False (and nothing changed) when a name cannot be stored; see IsValid*Name.
  bool Set(std::string_view section, std::string_view name, Value value);
  bool Remove(std::string_view section, std::string_view name);

  const std::vector<Section>& Sections() const { return sections_; }

 private:
  Section* FindSection(std::string_view name);
  std::vector<Section> sections_;
};

// Names are stored as written, so they may hold no control byte, no leading or trailing space,
// and nothing the line syntax gives a meaning to ('=' in a value name, ']' in a section name,
// a leading '[', ';' or '#').
bool IsValidSectionName(std::string_view name);
bool IsValidValueName(std::string_view name);

// A quoted string in which any byte string survives: \" \\ \n \r \t and \xHH for every other byte
// outside printable ASCII.
std::string QuoteString(std::string_view bytes);
// Reads one quoted string that makes up the whole of text; false when it is not one.
bool UnquoteString(std::string_view text, std::string& out);

// The file on disk. A missing file is an empty one. ReadKeyFile is false only when a file is
// there but cannot be read, so a writer never replaces settings it could not see.
bool ReadKeyFile(const std::string& path, KeyFile& out);
bool WriteKeyFile(const std::string& path, const KeyFile& file);

}  // namespace settings
