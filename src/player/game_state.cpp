// The current player: selecting, loading, saving, closing, resetting and deleting profiles.
#include "player/game_state.h"

#include <cstdio>

#include "core/loading_progress.h"
#include "platform/os/host.h"
#include "player/player_name.h"

namespace {
struct CurrentPlayer {
  std::unique_ptr<GameState> state;
  std::string fileName;  // the profile's name in the players folder, as spelled on disk
};
CurrentPlayer g_current;
bool g_gameCompleteNotice = false;

std::unique_ptr<XmlDocument> NewProfileDocument() {
  auto doc = std::make_unique<XmlDocument>();
  doc->ReleaseNode(doc->CreateElement(0, "Player"));
  return doc;
}

enum class LoadResult { kLoaded, kFresh, kDamagedInPlace };

// Reads the record from a document just loaded; false when it is no profile (no element at all).
bool TakeLoadedProfile(GameState& state, int loadResult) {
  XmlNode root = state.document->Root();
  state.document->ReleaseNode(root);
  if (loadResult != 0 || root == kNoNode) return false;
  ReadPlayerAttribs(*state.document, state);
  return true;
}

// Loads the profile into a record at its defaults. A file that exists but cannot be read as a
// profile is kept aside as "<file>.bad" so that the fresh record saved next never destroys it.
LoadResult LoadProfile(GameState& state, const std::string& path) {
  if (!os::FileExists(path)) {
    state.document = NewProfileDocument();
    return LoadResult::kFresh;
  }
  state.document = std::make_unique<XmlDocument>();
  if (TakeLoadedProfile(state, state.document->LoadFile(path))) return LoadResult::kLoaded;

  state.document = NewProfileDocument();
  std::string aside = path + ".bad";
  if (os::RenameFile(path, aside)) {
    std::fprintf(stderr, "Player profile %s could not be read; kept as %s\n", path.c_str(), aside.c_str());
    return LoadResult::kFresh;
  }
  std::fprintf(stderr, "Player profile %s could not be read nor moved aside\n", path.c_str());
  return LoadResult::kDamagedInPlace;
}

std::unique_ptr<GameState> NewRecord(std::string name) {
  auto state = std::make_unique<GameState>();
  state->name = std::move(name);
  state->flags.Set(kShowTipsFlag);
  return state;
}

std::string ProfilePath(const std::string& fileName) {
  return os::JoinPath(PlayersFolder(), fileName);
}
}  // namespace

std::string PlayersFolder() {
  return os::JoinPath(os::AppDataDir(), "Players");
}

void CreatePlayersFolder() {
  if (!os::MakeDirectories(PlayersFolder()))
    std::fprintf(stderr, "Cannot create the players folder %s\n", PlayersFolder().c_str());
}

std::vector<std::string> ListPlayers() {
  return PlayerNamesInListing(os::ListDirectory(PlayersFolder(), os::ListKind::Files));
}

GameState* SelectPlayer(const char* name) {
  if (!name || !IsValidPlayerName(name)) return nullptr;
  if (g_current.state && SameNameIgnoringCase(g_current.state->name, name)) return g_current.state.get();
  ClosePlayer();

  std::string file = FindProfileFile(os::ListDirectory(PlayersFolder(), os::ListKind::Files), name);
  if (file.empty()) file = std::string(name) + std::string(kProfileExtension);

  auto state = NewRecord(file.substr(0, file.size() - kProfileExtension.size()));
  LoadResult loaded = LoadProfile(*state, ProfilePath(file));

  g_current.state = std::move(state);
  g_current.fileName = file;
  if (loaded == LoadResult::kFresh) SavePlayer();
  return g_current.state.get();
}

GameState* CurrentGameState() {
  return g_current.state.get();
}

const char* CurrentPlayerName() {
  return g_current.state ? g_current.state->name.c_str() : nullptr;
}

int SavePlayer() {
  GameState* state = g_current.state.get();
  if (!state) return 0;
  if (!state->document) state->document = NewProfileDocument();
  WritePlayerAttribs(*state->document, *state);
  // The folder is made at start; making it again covers it being removed while the game runs.
  os::MakeDirectories(PlayersFolder());
  return state->document->Save(ProfilePath(g_current.fileName)) == 0 ? 0 : -1;
}

void ClosePlayer() {
  if (!g_current.state) return;
  SavePlayer();
  g_current.state.reset();
  g_current.fileName.clear();
}

void ResetPlayer() {
  GameState* state = g_current.state.get();
  if (!state) return;
  bool tips = state->flags.Test(kShowTipsFlag);
  float best = state->bestGameTime;

  GameState fresh;
  fresh.name = std::move(state->name);
  if (tips) fresh.flags.Set(kShowTipsFlag);
  fresh.bestGameTime = best;
  fresh.document = NewProfileDocument();
  *state = std::move(fresh);
  SavePlayer();
}

bool DeletePlayer(const char* name) {
  if (!name || !IsValidPlayerName(name)) return false;
  if (g_current.state && SameNameIgnoringCase(g_current.state->name, name)) ClosePlayer();
  std::string file = FindProfileFile(os::ListDirectory(PlayersFolder(), os::ListKind::Files), name);
  if (file.empty()) return false;
  return os::RemoveFile(ProfilePath(file));
}

void CompleteGame() {
  GameState* state = g_current.state.get();
  if (!state) return;
  g_gameCompleteNotice = true;
  // The frame time not yet carried over does not count towards the best time.
  if (state->bestGameTime == 0.0f || state->bestGameTime > state->cumulativeTime)
    state->bestGameTime = state->cumulativeTime;
  ResetPlayer();
}

bool TakeGameCompleteNotice() {
  bool notice = g_gameCompleteNotice;
  g_gameCompleteNotice = false;
  return notice;
}

bool SelectPlayerFromBytes(const char* name, const void* data, size_t size) {
  ResetPlayerModuleForTests();
  if (!name || !IsValidPlayerName(name)) return false;
  auto state = NewRecord(name);
  state->document = std::make_unique<XmlDocument>();
  bool loaded = TakeLoadedProfile(*state, state->document->LoadBytes(data, size));
  if (!loaded) state->document = NewProfileDocument();
  g_current.state = std::move(state);
  g_current.fileName = std::string(name) + std::string(kProfileExtension);
  return loaded;
}

void ResetPlayerModuleForTests() {
  g_current.state.reset();
  g_current.fileName.clear();
  g_gameCompleteNotice = false;
}
