// The content checker: every venue, puzzle, map and conversation file of the archives parses, every
// member it names exists in the right archive, and the story's content rules hold (keep-clear
// zones, plain ASCII texts, short object names, clickable pictures as 32-bit TGA opaque at their
// centre, back buttons, hotspot flags that play can set, the scrap and jewel counts, item board
// sizes, flags that must stay clear, every stage of the story map resolvable).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "content_tree.h"

class CPakfile;

namespace contentcheck {

struct Archives {
  CPakfile* database = nullptr;
  CPakfile* textures = nullptr;
  CPakfile* sounds = nullptr;
};

struct Problem {
  std::string file;     // the member the problem is in
  std::string element;  // the element (with its identifying attribute), or empty
  std::string message;
  std::string Text() const;
};

// Shared state of one run: the archives, the string keys, and the problems found so far.
class Context {
 public:
  explicit Context(const Archives& archives);

  void Report(const std::string& file, const std::string& element, const std::string& message);
  const std::vector<Problem>& Problems() const { return problems_; }

  // The member of Database.pak parsed, or nullopt (reported) when it is missing or malformed.
  std::optional<Element> LoadXml(const std::string& member, const std::string& namedBy = {});
  std::vector<std::string> DatabaseMembers(const std::string& prefix) const;
  bool HasDatabaseMember(const std::string& member) const;
  bool HasTexture(const std::string& member) const;
  bool HasSound(const std::string& member) const;
  std::optional<std::vector<uint8_t>> ReadTexture(const std::string& member) const;
  bool HasKey(const std::string& key) const { return keys_.count(Lower(key)) != 0; }
  // A speech: a conversation file under GUI\Characters\ or a string key.
  bool HasSpeech(const std::string& name) const;
  // Reports a missing key; empty names are reported too.
  void ExpectKey(const std::string& file, const std::string& element, const std::string& key);
  void ExpectTexture(const std::string& file, const std::string& element, const std::string& member);

  static std::string Lower(std::string text);

 private:
  Archives archives_;
  std::set<std::string> keys_;
  std::vector<Problem> problems_;
};

// Flags something in play can set: venues' visited and completion flags, the rule tables' outcomes
// and the puzzles' own entered and solved flags.
struct FlagSources {
  std::map<int, std::string> setBy;  // flag -> who sets it (first found)
};

// Every check over the archives; the problems in the order found.
std::vector<Problem> CheckContent(const Archives& archives);

// The parts (venue_checks.cpp and content_check.cpp).
void CheckStrings(Context& c);
void CheckGameMap(Context& c);
void CheckMaps(Context& c);
void CheckConversations(Context& c);
void CheckPuzzleFiles(Context& c, FlagSources& flags);
void CheckVenueMap(Context& c);
void CheckVenues(Context& c, FlagSources& flags);

}  // namespace contentcheck
