// The current player's record and every operation on progress. Exactly one player is current at a
// time, or none; all operations act on the current player and do nothing (returning 0, false, -1
// or none as stated) when there is none. Other subsystems read and change progress only here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/xml_document.h"
#include "player/flag_set.h"

// Environment class id stored for "resume in a search venue".
inline constexpr int kResumeSearchVenue = 43;

struct GameState {
  std::string name;  // also the profile file's base name (its spelling on disk)
  FlagSet flags;
  int32_t stage = 0;
  float cumulativeTime = 0.0f;  // whole seconds played, plus penalties
  float pendingTime = 0.0f;     // frame time not yet moved over; below 1 after each update
  float bestGameTime = 0.0f;    // 0: no completed game yet
  std::unique_ptr<XmlDocument> document;
  std::optional<std::string> lastKnownVenue;
  int32_t classId = 0;
};

// Flag 0 is the tips preference: on for a new player, kept across a new game.
inline constexpr int kShowTipsFlag = 0;

// ---- Players ----------------------------------------------------------------------------------

// $XDG_DATA_HOME/Brannock/Vardell/Players (no trailing slash).
std::string PlayersFolder();
void CreatePlayersFolder();
// The names of the profiles in the players folder, sorted, one per name whatever the case on disk.
std::vector<std::string> ListPlayers();

// Makes the named player current, loading its profile or creating it. Selecting the current player
// (in any letter case) keeps its record as it is. A name that is not a valid player name selects
// nobody: the result is null and the current player stays.
GameState* SelectPlayer(const char* name);
GameState* CurrentGameState();
const char* CurrentPlayerName();  // null when no player is current
// Writes the profile atomically; 0 on success, -1 when nothing was written (the old file stays).
int SavePlayer();
void ClosePlayer();
// A new game: clears all progress and the profile document, keeps the tips flag and the best time,
// and saves.
void ResetPlayer();
// Deletes the named player's profile (closing, and so saving, the current player first when it is
// the one named). Any valid name may be given; true when a file was removed.
bool DeletePlayer(const char* name);

// ---- Progress ---------------------------------------------------------------------------------

bool TestFlag(int flag);
bool SetFlag(int flag);  // true when the flag was already set
void ClearFlag(int flag);

int GetStage();
void SetStage(int stage);
int AdvanceStage();  // the new stage
// True when there is no player, or the stage is 0 and no venue has been left yet.
bool IsNewGame();

void AddPlayTime(float seconds);
void AddTimePenalty(float seconds);
// Records the best time and starts a new game; raises the notice the main menu takes.
void CompleteGame();
bool TakeGameCompleteNotice();  // true once after CompleteGame

void SetLastVenue(const char* venueName);  // also sets the class id to resume a search venue
// The venue to resume (none when there is none) and, through classId, the environment class.
std::optional<std::string> GetLastVenue(int* classId = nullptr);

// ---- The profile document (the save area of venues and the inventory) -----------------------

// The document (null without a player) and, through root, its root element (kNoNode without one).
// The root handle is the caller's to release.
XmlDocument* ProfileDocument(XmlNode* root);
// The first child element of the root with that name (case-insensitive), or kNoNode; the handle is
// the caller's to release. doc receives the document (null without a player).
XmlNode FindProfileElement(const char* name, XmlDocument** doc = nullptr);
void RemoveProfileElement(const char* name);
// The saved "UnfoundItems" of a venue's item board; -1 without a player, a venue element, an
// "ItemBoard" child or the count itself.
int VenueUnfoundItems(const char* venueName);
// Removes the first saved inventory item of that class (puzzles that use an item up when solved).
void RemoveSavedInventoryItem(int itemClass);

// ---- For tests and tools ----------------------------------------------------------------------

// Reads "PlayerAttribs" of a parsed profile into the record (fields without a valid value keep
// what they hold). Safe on any document.
void ReadPlayerAttribs(XmlDocument& doc, GameState& state);
// Replaces the root's "PlayerAttribs" with the record's values (appended as the root's last child).
void WritePlayerAttribs(XmlDocument& doc, const GameState& state);
// Makes a player current from profile bytes in memory, read as a load from disk reads them, without
// touching the disk (fuzzing). false when the bytes hold no profile; the record then has defaults.
bool SelectPlayerFromBytes(const char* name, const void* data, size_t size);
// Forgets the current player without saving (a test's clean slate).
void ResetPlayerModuleForTests();
