// How many loading steps each scene took the last time it was built, so the transition's bar can
// fill in proportion. Seeded from "LoadingScreen\Shutter.xml" and learned as transitions end; it
// lives for the run only and is never written back.
#pragma once

#include <optional>
#include <string>
#include <vector>

class XmlDocument;

class ProgressTable {
 public:
  struct Item {
    int classId = 0;
    std::optional<std::string> argument;
    int total = 0;
  };

  bool Empty() const { return items_.empty(); }
  size_t Size() const { return items_.size(); }
  void Clear() { items_.clear(); }
  // Every "Item" child element of the root; later items go in front, so they win a lookup.
  void Read(XmlDocument& doc);
  // The total for (class, argument): an item of that class whose argument matches ignoring case,
  // or, without an argument, the first of that class without one. 0 when none.
  int Lookup(int classId, const char* argument) const;
  // Updates the matching item, or adds one in front.
  void Learn(int classId, const char* argument, int total);

 private:
  Item* Find(int classId, const char* argument);
  std::vector<Item> items_;  // front first
};

// The game's table; loaded on a device restore while empty, freed at shutdown.
ProgressTable& TransitionProgressTable();
void LoadTransitionTable();
void FreeTransitionTable();
