// A player profile on arbitrary bytes: loading it and every operation other scenes run on the
// profile document must never crash, and whatever record it yields must survive a save and a
// reload unchanged (a profile the game saves must always load again).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "player/game_state.h"

namespace {
std::vector<std::string> ChildNames(XmlDocument& doc, XmlNode root) {
  std::vector<std::string> names;
  for (ScopedXmlNode n(doc, doc.FindChildNode(root)); n; n.Next())
    if (auto name = doc.CopyNodeName(n)) names.push_back(*name);
  return names;
}

}  // namespace

#define CHECK(cond)                                                   \
  do {                                                                \
    if (!(cond)) {                                                    \
      std::fprintf(stderr, "profile fuzz check failed: %s\n", #cond); \
      std::abort();                                                   \
    }                                                                 \
  } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelectPlayerFromBytes("Fuzz", data, size);
  GameState* state = CurrentGameState();
  CHECK(state && state->document);
  CHECK(std::isfinite(state->cumulativeTime) && state->cumulativeTime >= 0.0f);
  CHECK(std::isfinite(state->bestGameTime) && state->bestGameTime >= 0.0f);

  XmlDocument& doc = *state->document;
  XmlNode root = kNoNode;
  ProfileDocument(&root);
  std::vector<std::string> names = ChildNames(doc, root);
  doc.ReleaseNode(root);

  // What venues, the inventory and puzzles do with the save area.
  for (const std::string& name : names) VenueUnfoundItems(name.c_str());
  GetLastVenue();
  IsNewGame();
  TestFlag(state->stage);
  SetFlag(state->classId);
  RemoveSavedInventoryItem(state->classId);
  RemoveSavedInventoryItem(VenueUnfoundItems(names.empty() ? "" : names.front().c_str()));
  if (names.size() > 1) RemoveProfileElement(names[1].c_str());
  AddPlayTime(1.5f);
  AdvanceStage();
  CHECK(doc.LiveHandleCount() == 0);

  WritePlayerAttribs(doc, *state);
  std::string saved = doc.SaveToString();
  GameState reloaded;
  reloaded.document = std::make_unique<XmlDocument>();
  CHECK(reloaded.document->LoadBytes(saved.data(), saved.size()) == 0);
  ReadPlayerAttribs(*reloaded.document, reloaded);
  CHECK(reloaded.flags == state->flags);
  CHECK(reloaded.stage == state->stage);
  CHECK(reloaded.classId == state->classId);
  CHECK(reloaded.lastKnownVenue == state->lastKnownVenue);

  ResetPlayerModuleForTests();
  return 0;
}
